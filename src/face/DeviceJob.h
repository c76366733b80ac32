// How every device operation begins: the busy guard (a second operation is refused without a
// word), then the search of the IO interface (message 7 without one). The guard is held until
// the job goes.
#pragma once

#include <functional>

#include "face/DeviceBusy.h"
#include "face/Messages.h"
#include "link/Link.h"
#include "text/Outcome.h"

namespace veltra {

class DeviceJob {
  public:
    DeviceJob(DeviceBusy& busy, Link& link, const std::function<void(int)>& message)
        : guard_(busy) {
        if (!guard_) return;
        found_ = link.FindIOInterface();
        if (!found_) message(message::kNoInstrument);
    }
    // False: the operation must not go on.
    explicit operator bool() const { return static_cast<bool>(guard_) && found_; }
    // Why it must not: busy, or no instrument (message 7 said).
    Ended refusal() const {
        if (!guard_) return Failure::Busy;
        return {Failure::NoInstrument, {}, message::kNoInstrument};
    }

  private:
    DeviceBusy::Guard guard_;
    bool found_ = false;
};

}  // namespace veltra
