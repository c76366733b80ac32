// How operations drive the progress window: one small interface, implemented by TUpdatingFORM
// and scripted in tests.
#pragma once

#include <string>

#include "language/LanguageTable.h"
#include "language/TextKeys.h"

namespace veltra {

class Progress {
  public:
    virtual ~Progress() = default;
    // Caption, status and warning texts, bar at 0 of `maximum` and visible, OK disabled; the
    // window is shown (not modal).
    virtual void prepare(const std::string& caption, const std::string& status,
                         const std::string& warning, int maximum) = 0;
    virtual void setStatus(const std::string& text) = 0;
    virtual void setWarning(const std::string& text) = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual int position() const = 0;
    virtual int maximum() const = 0;
    virtual void setBarVisible(bool visible) = 0;
    // OK enabled: the window waits for the person.
    virtual void finish() = 0;

    void advance() { setPosition(position() + 1); }
    void toMaximum() { setPosition(maximum()); }

    // How every operation ends in the window, OK enabled: "finished" with the bar full (and
    // "you may disconnect" in place of the warning when `mayDisconnect`), or "failed" with the
    // bar where it stopped.
    void succeed(const LanguageTable& texts, bool mayDisconnect) {
        setStatus(texts.text(text::kFinished));
        if (mayDisconnect) setWarning(texts.text(text::kMayDisconnect));
        toMaximum();
        ended(true);
        finish();
    }
    void fail(const LanguageTable& texts) {
        setStatus(texts.text(text::kFailed));
        ended(false);
        finish();
    }

  protected:
    // How the operation ended, told before finish(), whatever the words of its status.
    virtual void ended(bool /*succeeded*/) {}
};

}  // namespace veltra
