// The only door to hardware: enumerate HID devices, open one, move 65-byte reports, close.
// HidapiBackend talks to real devices; the simulator implements the same interface.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/Report.h"

namespace veltra {

enum class ReadStatus { Ok, TimedOut, Gone };

class HidDevice {
  public:
    virtual ~HidDevice() = default;
    // The product string, at most `maxUnits` - 1 characters (the buffer holds the terminator).
    // Empty optional when it cannot be read.
    virtual std::optional<std::u32string> productString(std::size_t maxUnits) = 0;
    // True when all 65 bytes were written.
    virtual bool write(const Report& report) = 0;
    // Waits at most `timeoutMs` for one input report; byte 0 of `report` is the report ID 0x00.
    virtual ReadStatus read(Report& report, int timeoutMs) = 0;
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;
    // False when the HID library could not be started: every search then finds nothing.
    virtual bool available() const = 0;
    // Device paths in enumeration order, each path once.
    virtual std::vector<std::string> enumerate() = 0;
    // Null when the device cannot be opened. Closing is destroying the device.
    virtual std::unique_ptr<HidDevice> open(const std::string& path) = 0;
    // The product string the last enumeration listed for `path`, read without opening the
    // device; empty optional when it listed none.
    virtual std::optional<std::u32string> listedProduct(const std::string& path) const {
        (void)path;
        return std::nullopt;
    }
    // Whether the instrument behind this door is a simulated one: said wherever the connection
    // is shown, so that nobody takes it for a real instrument.
    virtual bool simulated() const { return false; }
};

}  // namespace veltra
