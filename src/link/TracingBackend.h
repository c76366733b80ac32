// A report trace for a technician with a misbehaving instrument: every report written or read
// through the wrapped backend (a real instrument or the simulator) goes to a file in the traffic
// log's format, after the milliseconds since the trace began. Plain C++.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "link/HidBackend.h"

namespace veltra {

class TracingBackend : public HidBackend {
  public:
    // `backend` stays owned by the caller. isOpen() is false when `path` cannot be written. A
    // FIFO without a reader is refused at once rather than waited for.
    TracingBackend(HidBackend& backend, const std::string& path);
    ~TracingBackend() override;
    TracingBackend(const TracingBackend&) = delete;
    TracingBackend& operator=(const TracingBackend&) = delete;
    bool isOpen() const { return fd_ >= 0; }
    // A line could not be written whole (a full disk): the trace is not complete.
    bool failed() const { return failed_; }

    bool available() const override { return backend_.available(); }
    bool simulated() const override { return backend_.simulated(); }
    std::vector<std::string> enumerate() override { return backend_.enumerate(); }
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    std::optional<std::u32string> listedProduct(const std::string& path) const override {
        return backend_.listedProduct(path);
    }

    // One line: the time stamp, then `text`.
    void line(const std::string& text);

  private:
    HidBackend& backend_;
    int fd_ = -1;
    bool failed_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace veltra
