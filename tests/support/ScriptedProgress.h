// The progress window and the plan list as plain records, for operation tests.
#pragma once

#include <string>
#include <vector>

#include "channelplans/ChannelPlanTransfers.h"
#include "face/Progress.h"

namespace veltra::test {

class RecordedProgress : public Progress {
  public:
    void prepare(const std::string& caption_, const std::string& status_,
                 const std::string& warning_, int maximum_) override {
        caption = caption_;
        status = status_;
        warning = warning_;
        max = maximum_;
        pos = 0;
        finished = false;
        shown = true;
        barVisible = true;
        ++prepared;
    }
    void setStatus(const std::string& text) override { status = text; }
    void setWarning(const std::string& text) override { warning = text; }
    void setMaximum(int maximum_) override { max = maximum_; }
    void setPosition(int position_) override { pos = position_; }
    int position() const override { return pos; }
    int maximum() const override { return max; }
    void setBarVisible(bool visible) override { barVisible = visible; }
    void finish() override { finished = true; }

    std::string caption, status, warning;
    int max = 0, pos = 0, prepared = 0;
    bool finished = false, shown = false, barVisible = false;
};

}  // namespace veltra::test
