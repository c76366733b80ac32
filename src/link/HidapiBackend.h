// HidBackend on hidapi's hidraw backend.
#pragma once

#include <map>

#include "link/HidBackend.h"

namespace veltra {

class HidapiBackend : public HidBackend {
  public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    bool available() const override { return started_; }
    std::vector<std::string> enumerate() override;
    std::optional<std::u32string> listedProduct(const std::string& path) const override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

  private:
    bool started_ = false;
    std::map<std::string, std::u32string> listedProducts_;
};

}  // namespace veltra
