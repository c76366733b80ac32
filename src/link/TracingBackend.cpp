#include "link/TracingBackend.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>

#include "text/Files.h"

namespace veltra {

namespace {

// The trace file as a descriptor: opened without waiting for a FIFO's reader (none on Windows).
int OpenTrace(const std::string& path) {
#ifdef _WIN32
    return ::_wopen(NativePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
#else
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
    // Once open, a line waits for a slow reader rather than being lost.
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
#endif
}

long WriteSome(int fd, const char* bytes, std::size_t size) {
#ifdef _WIN32
    return ::_write(fd, bytes, static_cast<unsigned>(size));
#else
    return static_cast<long>(::write(fd, bytes, size));
#endif
}

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

TracingBackend::TracingBackend(HidBackend& backend, const std::string& path)
    : backend_(backend), fd_(OpenTrace(path)) {}

TracingBackend::~TracingBackend() {
#ifdef _WIN32
    if (fd_ >= 0) ::_close(fd_);
#else
    if (fd_ >= 0) ::close(fd_);
#endif
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
        const long n = WriteSome(fd_, whole.data() + done, whole.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            failed_ = true;
        else
            done += static_cast<std::size_t>(n);
    }
}

}  // namespace veltra
