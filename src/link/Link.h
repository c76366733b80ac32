// The link to the instrument: owns the one device handle to the IO interface and offers the
// command exchanges every operation uses. Nothing else touches a HidBackend.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "link/Report.h"

namespace veltra {

inline constexpr const char* kProductString = "VELTRA-52";

// Narrows a product string to 8-bit text: characters above 0x7F become "?".
std::string NarrowProductString(const std::u32string& text);

// An IO interface on the bus: its device path and product string.
struct FoundInterface {
    std::string path;
    std::string product;
};
// Every HID device whose product string is exactly the IO interface's, in bus order.
std::vector<FoundInterface> ListIOInterfaces(HidBackend& backend);

class Link {
  public:
    // `readTimeoutMs`: the longest wait for one answer. The link shows nothing to the person: it
    // returns results, and the operations say what they mean.
    explicit Link(HidBackend& backend, int readTimeoutMs = 2000);

    // Closes the previous handle, then opens the first HID device whose product string is
    // exactly "VELTRA-52" (only the one at the chosen path, when a path was chosen). True when
    // one was found.
    bool FindIOInterface();
    // Several instruments plugged in: the device path of the one to use (empty: the first).
    void setDevicePath(std::string path) { devicePath_ = std::move(path); }
    bool isOpen() const { return device_ != nullptr; }
    // Whether the instrument is a simulated one (HidBackend::simulated).
    bool simulated() const { return backend_.simulated(); }
    // Product string of the IO interface found last; kept when a later search fails.
    const std::string& modelName() const { return modelName_; }
    void close();

    // One report out, one report in. False when the write or the read failed (no device, time-out,
    // device gone): the exchange yields no answer.
    bool exchange(const Report& out, Report& answer);
    // One report in, without writing (an answer that is still queued).
    bool readAnswer(Report& answer);
    // One report out, nothing read (the clock report, the IO interface's loader).
    bool writeOnly(const Report& out);

    // Report code 25: the answer's bytes from byte 5. Empty optional on a failed exchange.
    std::optional<std::string> SendQuery(const std::string& command);
    // Report code 25, four-character query: the value from byte 8 up to the first CR. Empty
    // optional on a failed exchange and on an answer that does not repeat the query.
    std::optional<std::string> QueryValue(const std::string& command);
    // Report code 22 after a search: answer byte 3; 0 without an IO interface or an answer.
    std::uint8_t SendCommand(const std::string& command);
    // Report code 23: 1, 2 or 3 as answered, otherwise 0.
    int SendRecord(const std::vector<std::uint8_t>& record);
    // Report code 24, "*FE" and the step digit. Refused also when no answer came; Other for a
    // status the instrument does not give.
    enum class EraseStatus { Refused, Accepted, Warning, Other };
    EraseStatus EraseStep(int step);
    // "*EP" with report code 22; the answer is read and not used. False on a failed exchange.
    bool SendEP();
    // Draws answers until one to "*?NS" carries `serial`: the number of extra answers drawn, or
    // -1 when the instrument did not come back into step within kMaxResyncTries reads.
    int ResyncAnswers(const std::string& serial);
    static constexpr int kMaxResyncTries = 16;

    // Identity of the connected instrument; empty texts when the exchange fails.
    std::string GetIOVersion();
    std::string GetVTVersion();
    std::string GetSerial();

    // Sets the instrument clock: the "*SK" report, whose answer is not read here.
    bool SetClock(const std::string& clockText);

  private:
    HidBackend& backend_;
    std::unique_ptr<HidDevice> device_;
    std::string modelName_;
    std::string devicePath_;
    int timeoutMs_;
};

}  // namespace veltra
