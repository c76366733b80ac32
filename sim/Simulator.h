// The simulated instrument: a faithful peer of the IO interface and the instrument behind it,
// reached through the same HidBackend interface as real hardware. It keeps the answer queue of
// the real device (every command report queues exactly one answer, every read takes one), logs
// every report, and injects faults on demand.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/HidBackend.h"
#include "link/Report.h"

namespace veltra::sim {

// What the instrument and its IO interface say about themselves.
struct Identity {
    std::string product = "VELTRA-52";
    std::string serial = "VT520417";
    std::string ioVersion = "IO 2.05";
    std::string vtVersion = " 3.12";  // follows the model name in the "*?VE" answer
};

// One channel as the instrument stores it.
struct SimChannel {
    std::string name;
    long long frequency = 0, bandwidth = 0, offset = 0;
    int type = 0, system = 0, modulation = 0, symbolRate = 0, group = 0, flag = 0;
};

struct SimPlan {
    std::string name;
    std::vector<SimChannel> channels;
};

// One logger as the instrument answers for it: the index entry, and the answer values of its
// queries ("*?ET" header and "*?HD" records for a TV logger; "*?HM" rows by code for the modem
// list, whose kind "*?EM" answers).
struct SimLogger {
    std::string name, time, date;
    int kind = 0;                      // modem list: 0 modem logger, 1 downstream logger
    std::string header;                // "*?ET" value
    std::vector<std::string> records;  // "*?HD" values
    std::map<int, std::string> rows;   // "*?HM" values by row code (0..13)
};

struct TrafficEntry {
    bool toDevice;  // true: program -> device
    Report report;
};

class Simulator : public HidBackend {
  public:
    explicit Simulator(Identity identity = {});
    ~Simulator() override;

    // HidBackend
    bool available() const override { return hidAvailable_; }
    bool simulated() const override { return true; }
    std::vector<std::string> enumerate() override;
    std::optional<std::u32string> listedProduct(const std::string& path) const override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

    Identity& identity() { return identity_; }

    // Loggers by number: the TV list (0..49) and the modem list (0..29).
    std::array<std::optional<SimLogger>, 50>& tvLoggers() { return tvLoggers_; }
    std::array<std::optional<SimLogger>, 30>& modemLoggers() { return modemLoggers_; }

    // Channel plans in slot order (at most ten).
    std::vector<SimPlan>& plans() { return plans_; }
    const std::vector<SimPlan>& plans() const { return plans_; }
    // Adds a plan from the text of a channel plan file; false when a line is not a channel.
    bool addPlanFromFile(const std::string& content);
    // The wire text of a channel, as the instrument answers "*?CF".
    static std::string ChannelWireText(const SimChannel& channel);
    // A channel from the payload of a channel-write command.
    static std::optional<SimChannel> ChannelFromPayload(const std::string& payload);

    // Plugging. Every change is announced through the device-change callback, as the system
    // announces a real USB plug or unplug.
    void setPlugged(bool plugged);
    bool plugged() const { return plugged_; }
    void setDeviceChangeCallback(std::function<void()> callback) {
        onDeviceChange_ = std::move(callback);
    }
    // Another HID device on the bus, listed before (or after) the IO interface.
    void addOtherDevice(const std::string& product, bool before = true);
    // A second IO interface, listed after the first one.
    void addSecondInterface(const std::string& serial);
    void setHidAvailable(bool available) { hidAvailable_ = available; }
    int openHandles() const { return openHandles_; }
    // Devices opened since the start, closed or not.
    int opens() const { return opens_; }

    // Faults.
    void silence(const std::string& commandPrefix);  // such commands get no answer
    void unplugAtReport(int n);                      // the n-th report written (1-based) is lost
    void setStatus(const std::string& commandPrefix, std::uint8_t status, int times = -1);
    void setAnswer(const std::string& commandPrefix, const Report& answer);  // malformed answers
    void setLatency(std::chrono::microseconds perReport) { latency_ = perReport; }
    // The next `count` channel writes are answered but not kept, as a channel the instrument
    // could not take.
    void dropChannelWrites(int count) { dropChannels_ = count; }
    // What a noisy cable or a pulled plug does to one report.
    enum class Fault { Unplug, NoAnswer, Zeros, RandomBytes, WrongEcho, GarbledValue };
    // The n-th report written from now on (1-based) meets `fault`: Unplug loses the report and
    // the device; the others let the instrument act on the command and then lose its answer,
    // zero it, replace it with noise, give it another command's echo, or keep its echo and
    // garble its value (0xFF, "&" and "." bytes).
    void faultAtReport(int n, Fault fault, unsigned seed = 52);
    int reportsWritten() const { return reportsWritten_; }

    // Firmware: the IO interface's image as its loader received it, the instrument's accepted
    // update records, and the folder they are saved to.
    const std::vector<std::uint8_t>& ioImage() const { return ioImage_; }
    const std::vector<std::uint8_t>& erasedUnits() const { return erasedUnits_; }
    bool inLoader() const { return inLoader_; }
    const std::vector<std::string>& receivedRecords() const { return receivedRecords_; }
    void setOutputFolder(std::string folder) { outputFolder_ = std::move(folder); }
    // Where the plans are kept between runs: plan0.c52 .. plan9.c52, each written anew (whole or
    // not at all) after every command that changes the plans. Empty: nowhere.
    void setPlansFolder(std::string folder) { plansFolder_ = std::move(folder); }
    // The lock of the state folder, held until the simulator goes.
    void holdFolderLock(std::shared_ptr<void> lock) { folderLock_ = std::move(lock); }

    // Traffic.
    const std::vector<TrafficEntry>& traffic() const { return traffic_; }
    void clearTraffic() { traffic_.clear(); }
    bool setTrafficLog(const std::string& path);
    // Command texts the program sent (bytes 3.. up to CR or 0x00), in order.
    std::vector<std::string> commandsSent() const;
    std::size_t pendingAnswers() const;

    // Device side, used by the simulated handles.
    bool deviceWrite(int deviceId, int generation, const Report& report);
    ReadStatus deviceRead(int deviceId, int generation, Report& report);
    bool devicePresent(int deviceId, int generation) const;
    // Each re-enumeration of the IO interface (entering or leaving its loader) starts a new
    // generation; handles of an earlier one are gone.
    int generation() const { return generation_; }
    std::string deviceProduct(int deviceId) const;
    void handleClosed() { --openHandles_; }

  protected:
    // Answers to one command report. Subsystems of the instrument extend these.
    virtual Report answerQuery(const std::string& command);
    virtual std::uint8_t commandStatus(const std::string& command);

    static Report QueryAnswer(const std::string& command, const std::string& value);
    static Report StatusAnswer(std::uint8_t code, std::uint8_t status);

  private:
    struct Device {
        int id;
        std::string product;
        std::string serial;
    };
    struct StatusOverride {
        std::uint8_t status;
        int times;  // -1: always
    };

    void log(bool toDevice, const Report& report);
    // Applies the injected fault to an answer; false when the answer is lost.
    bool spoil(Report& answer) const;
    std::optional<Report> answerFor(const Report& report);

    void loaderReport(const Report& report);
    std::uint8_t recordStatus(const Report& report);
    Report planQuery(const std::string& command);
    Report loggerQuery(const std::string& command);
    void planCommand(const std::string& command);

    Identity identity_;
    std::vector<SimPlan> plans_;
    std::array<std::optional<SimLogger>, 50> tvLoggers_;
    std::array<std::optional<SimLogger>, 30> modemLoggers_;
    bool erasePending_ = false;
    int generation_ = 0;
    bool inLoader_ = false;
    int dropChannels_ = 0;
    std::vector<std::uint8_t> ioImage_ = std::vector<std::uint8_t>(0x20000, 0);
    std::vector<std::uint8_t> erasedUnits_;
    std::uint32_t blockAddress_ = 0;
    bool updateMode_ = false;
    std::vector<std::string> receivedRecords_;
    std::string outputFolder_;
    std::string plansFolder_;
    // Writes the plan of slot `only`, or every slot and removes the files past the last plan.
    void savePlans(int only = -1);
    // A state file could not be written: the command that changed the state goes unanswered,
    // as a real instrument that could not store it would fail the exchange.
    void saveOutput(const std::string& name, const std::string& content);
    bool stateWriteFailed_ = false;
    std::shared_ptr<void> folderLock_;
    std::vector<Device> others_before_;
    std::vector<Device> others_after_;
    std::vector<Device> interfaces_;
    bool plugged_ = true;
    bool hidAvailable_ = true;
    int openHandles_ = 0;
    int opens_ = 0;
    std::function<void()> onDeviceChange_;

    std::map<int, std::deque<Report>> answers_;
    std::vector<std::string> silenced_;
    std::map<std::string, StatusOverride> statuses_;
    std::map<std::string, Report> fixedAnswers_;
    int unplugAt_ = 0;
    int reportsWritten_ = 0;
    int faultAt_ = 0;
    Fault fault_ = Fault::NoAnswer;
    unsigned faultSeed_ = 0;
    std::chrono::microseconds latency_{0};

    std::vector<TrafficEntry> traffic_;
    std::ofstream trafficLog_;
};

}  // namespace veltra::sim
