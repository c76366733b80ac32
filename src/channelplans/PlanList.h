// What the channel plan operations and the editor need of the tab: its plan list and the buttons
// a read enables.
#pragma once

#include <string>

namespace veltra {

// The plan list of the channel plan tab (Llista).
class PlanList {
  public:
    virtual ~PlanList() = default;
    virtual void clear() = 0;
    virtual void add(const std::string& name) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual int count() const = 0;
    virtual std::string item(int position) const = 0;
    virtual bool isSelected(int position) const = 0;
};

// Buttons of the tab that a read enables.
class PlanButtons {
  public:
    virtual ~PlanButtons() = default;
    virtual void enableSendAndDelete() = 0;
};

}  // namespace veltra
