// A USB bus for tests: a umockdev test bed whose emulated hidraw devices hidapi and libudev take
// for real ones. A VELTRA-52 IO interface on it is served by the simulated instrument, reached
// through the kernel's report semantics (65-byte output reports with the report ID, 64-byte
// input reports without it). Works only in a process started under umockdev's preload
// (umockdev-wrapper); elsewhere unavailable() says why.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/Simulator.h"

namespace veltra::test {

class EmulatedBus {
  public:
    EmulatedBus();
    ~EmulatedBus();
    EmulatedBus(const EmulatedBus&) = delete;
    EmulatedBus& operator=(const EmulatedBus&) = delete;

    // Empty when the bus works; otherwise the reason (for GTEST_SKIP).
    const std::string& unavailable() const { return unavailable_; }

    // Plugs an IO interface whose instrument is `instrument`, which must outlive the bus or be
    // unplugged (unplugAll) before it goes; its hidraw path. When the
    // instrument's IO interface leaves for its loader or comes back, the emulated device is
    // unplugged and plugged again under a new node, as USB re-enumeration does.
    std::string plugInstrument(sim::Simulator& instrument,
                               const std::string& product = "VELTRA-52");
    // Another HID device that answers nothing; one that is not `openable` has no device node.
    std::string plugOther(const std::string& product, bool openable = true);
    // Puts an input report (its 64 bytes after the report ID) on the device, as a late answer.
    void sendInput(const std::string& path, const Report& report);
    // Pulls the device out: its node hangs up and the "remove" events go out.
    void unplug(const std::string& path);
    // Pulls every device out.
    void unplugAll();
    // Waits (bounded) until every report written so far was answered and every re-enumeration
    // is done.
    void settle();
    // Plug and unplug events seen so far (add and remove of USB devices).
    int reenumerations() const { return reenumerations_; }

  private:
    struct Device;
    Device* add(const std::string& product, bool openable, sim::Simulator* instrument);
    void remove(Device& device);
    void serve();
    bool serveOne(Device& device);

    std::string unavailable_;
    struct Bed;
    std::unique_ptr<Bed> bed_;
    std::vector<std::unique_ptr<Device>> devices_;
    std::recursive_mutex mutex_;
    int next_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> busy_{0};
    std::atomic<int> reenumerations_{0};
    std::thread peer_;
};

}  // namespace veltra::test
