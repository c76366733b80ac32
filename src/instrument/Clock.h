// Setting the instrument's clock from the PC's local time.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "face/DeviceBusy.h"
#include "face/UserPrompts.h"
#include "link/Link.h"
#include "text/Outcome.h"

namespace veltra {

// Searches the IO interface, writes the "*SK" clock report and draws answers until the
// instrument answers with `serial` again. Message 7 when no instrument is found or it does not
// come back into step; nothing while another operation owns the device.
Ended SetInstrumentClock(Link& link, DeviceBusy& busy, UserPrompts& prompts,
                         const std::function<void(int)>& message, const std::string& serial,
                         const std::tm& now);

}  // namespace veltra
