// HidBackend on hidapi's hidraw backend.
#pragma once

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
    std::unique_ptr<HidDevice> open(const std::string& path) override;

  private:
    bool started_ = false;
};

}  // namespace veltra
