// Reading, sending and deleting the instrument's channel plans: the operations behind the
// channel plan tab. Plain C++: they use the link, and talk to the person through UserPrompts,
// the progress window and the plan list.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "channelplans/ChannelRecord.h"
#include "firmware/Progress.h"
#include "language/LanguageTable.h"
#include "link/Link.h"
#include "shell/UserPrompts.h"

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

// Refuses a second device operation while one runs.
class DeviceBusy {
  public:
    class Guard {
      public:
        explicit Guard(DeviceBusy& busy) : busy_(busy), owns_(!busy.busy_) { busy_.busy_ = true; }
        ~Guard() {
            if (owns_) busy_.busy_ = false;
        }
        Guard(const Guard&) = delete;
        Guard& operator=(const Guard&) = delete;
        // False when another operation already runs: the caller must not go on.
        explicit operator bool() const { return owns_; }

      private:
        DeviceBusy& busy_;
        bool owns_;
    };
    bool busy() const { return busy_; }

  private:
    bool busy_ = false;
};

class ChannelPlanTransfers {
  public:
    ChannelPlanTransfers(Link& link, UserPrompts& prompts, const LanguageTable& texts,
                         Progress& progress, PlanList& list, PlanButtons& buttons,
                         DeviceBusy& busy);

    // Folder of the local plan copies; empty: the current folder.
    void setCopiesFolder(std::string folder) { copiesFolder_ = std::move(folder); }
    const std::string& copiesFolder() const { return copiesFolder_; }

    // The four plan queries. Empty optional on a failed exchange.
    std::optional<int> GetChannelPlanQuantity();
    std::optional<std::string> GetChannelPlanName(int slot);  // "error" above slot 9
    std::optional<int> GetChannelQuantity(int slot);
    std::optional<std::string> GetChannel(int slot,
                                          int index);  // "error" + message 12 out of range

    // The tab's actions.
    void ReceiveButClick();
    // Sends the chosen files (`dialog` is CarregarCanals, its folder set to `programFolder`).
    void LoadButClick(FileDialogState& dialog, const std::string& programFolder);
    void DelSelButClick();
    void EraseAllChannelPlans();
    // Reads every plan into its local copy, with the progress window.
    void SaveChannelPlans();

  private:
    class Abort {};  // a failed exchange: the operation ends with message 7

    int quantity();
    std::string name(int slot);
    int channels(int slot);
    std::string ask(const std::string& command);
    void send(const std::string& command);
    void eraseSequence();
    void linkFailed();
    void message(int code, const std::string& detail = {});
    // A channel line that cannot be sent: message 14 and the progress window's "Error NN.where".
    void refuseChannel(const std::string& marker, const std::string& where, int maximum);
    const std::string& text(int key) const { return texts_.text(key); }
    void fillListFromInstrument(int count);
    // Runs `body`, turning a failed exchange into message 7 and a finished progress window.
    void guarded(const std::function<void()>& body);

    Link& link_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    Progress& progress_;
    PlanList& list_;
    PlanButtons& buttons_;
    DeviceBusy& busy_;
    std::string copiesFolder_;
    bool progressShown_ = false;
    // The local copies that the last read pass of this run completed: the only ones a delete
    // may write back.
    std::set<std::string> freshCopies_;
};

}  // namespace veltra
