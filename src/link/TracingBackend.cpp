#include "link/TracingBackend.h"

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

TracingBackend::TracingBackend(HidBackend& backend, const std::string& path)
    : backend_(backend), out_(path, std::ios::binary | std::ios::trunc) {}

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
    out_ << ms << ' ' << text << '\n';
    out_.flush();
}

}  // namespace veltra
