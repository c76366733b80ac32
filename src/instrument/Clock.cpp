#include "instrument/Clock.h"

namespace veltra {

void SetInstrumentClock(Link& link, UserPrompts& prompts, const std::function<void(int)>& message,
                        const std::string& serial, const std::tm& now) {
    if (!link.FindIOInterface()) {
        message(7);
        return;
    }
    WaitCursor wait(prompts);
    link.SetClock(ClockText(now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour,
                            now.tm_min, now.tm_sec));
    if (link.ResyncAnswers(serial) < 0) message(7);
}

}  // namespace veltra
