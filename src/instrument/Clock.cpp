#include "instrument/Clock.h"

#include "face/DeviceJob.h"
#include "face/Messages.h"

namespace veltra {

Ended SetInstrumentClock(Link& link, DeviceBusy& busy, UserPrompts& prompts,
                         const std::function<void(int)>& message, const std::string& serial,
                         const std::tm& now) {
    DeviceJob job(busy, link, message);
    if (!job) return job.refusal();
    WaitCursor wait(prompts);
    link.SetClock(ClockText(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour,
                            now.tm_min, now.tm_sec));
    if (link.ResyncAnswers(serial) < 0) {
        message(message::kNoInstrument);
        return {Failure::NoAnswer, {}, message::kNoInstrument};
    }
    return Done{};
}

}  // namespace veltra
