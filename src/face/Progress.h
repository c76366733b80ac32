// How operations drive the progress window: one small interface, implemented by TUpdatingFORM
// and scripted in tests.
#pragma once

#include <string>

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
};

}  // namespace veltra
