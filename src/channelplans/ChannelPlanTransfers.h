// Reading, sending and deleting the instrument's channel plans: the operations behind the
// channel plan tab. Plain C++: they use the link, and talk to the person through UserPrompts,
// the progress window and the plan index.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "channelplans/ChannelRecord.h"
#include "channelplans/PlanIndex.h"
#include "face/DeviceBusy.h"
#include "face/Progress.h"
#include "face/UserPrompts.h"
#include "language/LanguageTable.h"
#include "link/Link.h"
#include "text/Files.h"
#include "text/Outcome.h"

namespace veltra {

class ChannelPlanTransfers {
  public:
    ChannelPlanTransfers(Link& link, UserPrompts& prompts, const LanguageTable& texts,
                         Progress& progress, PlanIndex& list, DeviceBusy& busy);

    // Folder of the local plan copies; empty: the current folder.
    void setCopiesFolder(std::string folder) { copiesFolder_ = std::move(folder); }
    const std::string& copiesFolder() const { return copiesFolder_; }
    // The plans the last read pass read whole, as plan files, in slot order (an empty text for
    // a plan it could not read): what the copies hold, also when they could not be written.
    const std::vector<std::string>& planTexts() const { return planTexts_; }

    // The four plan queries. Empty optional on a failed exchange.
    std::optional<int> GetChannelPlanQuantity();
    std::optional<std::string> GetChannelPlanName(int slot);  // "error" above slot 9
    std::optional<int> GetChannelQuantity(int slot);
    std::optional<std::string> GetChannel(int slot,
                                          int index);  // "error" + message 12 out of range

    // The plan of the list that a double click opens in the editor: the first selected one that
    // the instrument still holds (the list may no longer match it). Asks the instrument for its
    // plan count; message 7 without an instrument.
    std::optional<int> PlanToOpen();

    // The tab's operations. Each returns Done, or the failure it has told the person of.
    // Lists the instrument's plans and reads each into its local copy.
    Ended ReadChannelPlans();
    // Sends the plan files `chooseFiles` gives (asked once the instrument is known to have room
    // for one more plan), one after another, each checked whole before its first command.
    Ended SendPlanFiles(const std::function<std::vector<std::string>()>& chooseFiles);
    // Deletes the plans selected in the index: the kept ones go back after the erase.
    Ended DeleteSelectedPlans();
    Ended EraseAllChannelPlans();
    // Reads every plan into its local copy, with the progress window. A failed exchange is
    // thrown as Failure::NoAnswer (the operation that called it ends).
    Ended SaveChannelPlans();

    // A delete writes down the plans it keeps before it erases the instrument, and removes the
    // note once they are back. The note's path while one is there (an interrupted delete).
    std::optional<std::string> PendingWriteBack() const;
    // Offers to send the plans of an interrupted delete back: a question, then the erase and
    // the write-back of every noted plan, and a read pass. Nothing without a note.
    Ended FinishWriteBack();

  private:
    // The exchanges of an operation's body: a failed one is thrown as Failure::NoAnswer and
    // ends the operation in guarded().
    int quantity();
    std::string name(int slot);
    int channels(int slot);
    void send(const std::string& command);
    // Writes one plan into `slot`: its name, its channel count and each channel, a step of the
    // progress window each.
    void writePlan(int slot, const std::string& planName, const std::vector<std::string>& payloads);
    void eraseSequence();
    void message(int code, const std::string& detail = {});
    Ended told(Failure failure, int code, const std::string& detail = {});
    // A channel line that cannot be sent: message 14 and the progress window's "Error NN.where".
    Ended refuseChannel(const std::string& marker, const std::string& where, int maximum);
    const std::string& text(int key) const { return texts_.text(key); }
    void fillListFromInstrument(int count);
    // Lists a plan under its name as the instrument answered it.
    void addToList(const std::string& planName);
    // Whether the copies' folder takes files; message 18 naming it and the reason.
    FileWrite copiesWritable() const;
    Ended copiesUnwritable(const FileWrite& write);
    // Message 44 when the last read pass found fewer (or more) channels in `slot` than `sent`.
    Ended checkKept(int slot, const std::string& planName, int sent);
    // Sends `copies` (plan files' texts) into slots 0.. of an erased instrument, then "*PM01",
    // removes the write-back note and reads the plans again.
    Ended writeBack(const std::vector<std::string>& copies);
    std::string writeBackNotePath() const;
    // Message 42 naming the note when an interrupted delete is still to be finished: the plans
    // must not change before it is.
    std::optional<Ended> refusedForWriteBack();
    // Runs `body`, turning a failed exchange into message 7 and a finished progress window.
    Ended guarded(const std::function<Ended()>& body);

    Link& link_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    Progress& progress_;
    PlanIndex& list_;
    DeviceBusy& busy_;
    std::string copiesFolder_;
    bool progressShown_ = false;
    // The local copies that the last read pass of this run completed: the only ones a delete
    // may write back.
    std::set<std::string> freshCopies_;
    // The last read pass: each plan's file text and channel count (-1: not read).
    std::vector<std::string> planTexts_;
    std::vector<int> planChannels_;
};

}  // namespace veltra
