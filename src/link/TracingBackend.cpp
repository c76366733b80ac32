#include "link/TracingBackend.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace veltra {

namespace {

class TracingDevice : public HidDevice {
  public:
    TracingDevice(std::unique_ptr<HidDevice> device, TracingBackend& trace)
        : device_(std::move(device)), trace_(trace) {}

    std::optional<std::u32string> productString(std::size_t maxUnits) override {
        return device_->productString(maxUnits);
    }
    bool write(const Report& report) override {
        const bool written = device_->write(report);
        trace_.line((written ? "> " : "# not written: ") + ReportToHex(report));
        return written;
    }
    ReadStatus read(Report& report, int timeoutMs) override {
        const ReadStatus status = device_->read(report, timeoutMs);
        if (status == ReadStatus::Ok) trace_.line("< " + ReportToHex(report));
        if (status == ReadStatus::TimedOut) trace_.line("# no answer");
        if (status == ReadStatus::Gone) trace_.line("# device gone");
        return status;
    }

  private:
    std::unique_ptr<HidDevice> device_;
    TracingBackend& trace_;
};

}  // namespace

TracingBackend::TracingBackend(HidBackend& backend, const std::string& path) : backend_(backend) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
    // Once open, a line waits for a slow reader rather than being lost.
    if (fd_ >= 0) ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

TracingBackend::~TracingBackend() {
    if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<HidDevice> TracingBackend::open(const std::string& path) {
    auto device = backend_.open(path);
    if (!device) return nullptr;
    line("# opened " + path);
    return std::make_unique<TracingDevice>(std::move(device), *this);
}

void TracingBackend::line(const std::string& text) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start_)
                        .count();
    // Each line goes out at once: a trace of a run that crashed keeps its last report.
    const std::string whole = std::to_string(ms) + ' ' + text + '\n';
    std::size_t done = 0;
    while (fd_ >= 0 && !failed_ && done < whole.size()) {
        const ssize_t n = ::write(fd_, whole.data() + done, whole.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            failed_ = true;
        else
            done += static_cast<std::size_t>(n);
    }
}

}  // namespace veltra
