#include "link/HidapiBackend.h"

#include <hidapi.h>

#include <algorithm>
#include <vector>

namespace veltra {

namespace {

class HidapiDevice : public HidDevice {
  public:
    explicit HidapiDevice(hid_device* handle) : handle_(handle) {}
    ~HidapiDevice() override { hid_close(handle_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    std::optional<std::u32string> productString(std::size_t maxUnits) override {
        std::vector<wchar_t> buffer(std::max<std::size_t>(maxUnits, 1), L'\0');
        if (hid_get_product_string(handle_, buffer.data(), buffer.size()) != 0) return std::nullopt;
        buffer.back() = L'\0';
        std::u32string text;
        for (wchar_t c : buffer) {
            if (c == L'\0') break;
            text.push_back(static_cast<char32_t>(c));
        }
        return text;
    }

    bool write(const Report& report) override {
        if (stale_) drain();
        return hid_write(handle_, report.data(), report.size()) == static_cast<int>(report.size());
    }

    ReadStatus read(Report& report, int timeoutMs) override {
        // hidraw hands over an input report without its report ID: 64 bytes. The program
        // numbers bytes as the instrument does, with the report ID in byte 0.
        report.fill(0);
        const int n = hid_read_timeout(handle_, report.data() + 1, report.size() - 1, timeoutMs);
        if (n < 0) return ReadStatus::Gone;
        if (n == 0) {
            stale_ = true;  // a late answer would be taken for the next one
            return ReadStatus::TimedOut;
        }
        return ReadStatus::Ok;
    }

  private:
    void drain() {
        unsigned char scratch[kReportSize];
        while (hid_read_timeout(handle_, scratch, sizeof scratch, 0) > 0) {
        }
        stale_ = false;
    }

    hid_device* handle_;
    bool stale_ = false;
};

}  // namespace

HidapiBackend::HidapiBackend() : started_(hid_init() == 0) {}

HidapiBackend::~HidapiBackend() {
    if (started_) hid_exit();
}

std::vector<std::string> HidapiBackend::enumerate() {
    std::vector<std::string> paths;
    listedProducts_.clear();
    if (!started_) return paths;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* d = list; d; d = d->next) {
        if (!d->path) continue;
        std::string path = d->path;
        if (std::find(paths.begin(), paths.end(), path) != paths.end()) continue;
        paths.push_back(path);
        if (d->product_string) {
            std::u32string product;
            for (const wchar_t* c = d->product_string; *c; ++c)
                product.push_back(static_cast<char32_t>(*c));
            listedProducts_[path] = product;
        }
    }
    hid_free_enumeration(list);
    return paths;
}

std::optional<std::u32string> HidapiBackend::listedProduct(const std::string& path) const {
    const auto listed = listedProducts_.find(path);
    if (listed == listedProducts_.end()) return std::nullopt;
    return listed->second;
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path) {
    if (!started_) return nullptr;
    hid_device* handle = hid_open_path(path.c_str());
    if (!handle) return nullptr;
    return std::make_unique<HidapiDevice>(handle);
}

}  // namespace veltra
