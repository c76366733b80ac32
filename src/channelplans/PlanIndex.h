// The channel plan tab's list as a model: the plans the instrument was last read to hold, in its
// order, which of them the person selected, and whether the list and the tab's send and delete
// buttons are enabled. Plain C++. The tab draws it at each change, as the change comes: the list
// fills while a read goes on.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace veltra {

class PlanIndex {
  public:
    void clear() {
        names_.clear();
        selected_.clear();
        sendable_.clear();
        changed();
    }
    // `name` as shown; `sendable`: false for a plan whose name the instrument gave in bytes that
    // are not printable text (shown escaped), which cannot be sent back to it.
    void add(const std::string& name, bool sendable = true) {
        names_.push_back(name);
        selected_.push_back(false);
        sendable_.push_back(sendable);
        changed();
    }
    bool sendable(int position) const {
        return position >= 0 && position < count() && sendable_[static_cast<std::size_t>(position)];
    }
    const std::vector<std::string>& names() const { return names_; }
    int count() const { return static_cast<int>(names_.size()); }
    const std::string& item(int position) const {
        return names_.at(static_cast<std::size_t>(position));
    }

    // The selection is the person's: set by the tab (or the command line), never drawn back.
    bool isSelected(int position) const {
        return position >= 0 && position < count() && selected_[static_cast<std::size_t>(position)];
    }
    void setSelected(int position, bool selected) {
        if (position >= 0 && position < count())
            selected_[static_cast<std::size_t>(position)] = selected;
    }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) {
        enabled_ = enabled;
        changed();
    }
    // Sending and deleting are possible once a read was tried with the instrument there.
    bool sendAndDeleteEnabled() const { return sendAndDelete_; }
    void setSendAndDeleteEnabled(bool enabled) {
        sendAndDelete_ = enabled;
        changed();
    }

    // Runs after every change the tab must draw.
    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

  private:
    void changed() {
        if (onChange_) onChange_();
    }

    std::vector<std::string> names_;
    std::vector<bool> selected_;
    std::vector<bool> sendable_;
    bool enabled_ = false;
    bool sendAndDelete_ = false;
    std::function<void()> onChange_;
};

}  // namespace veltra
