#include "channelplans/ChannelPlanTransfers.h"

#include <algorithm>

#include "face/DeviceJob.h"
#include "face/Messages.h"
#include "language/TextKeys.h"
#include "link/Commands.h"
#include "text/Files.h"

namespace veltra {

namespace {

// The progress window's steps for each plan of a write-back.
constexpr int kStepsPerPlan = 150;
constexpr const char* kWriteBackNote = "plans-to-send-back.txt";
// Ten plans and their sizes.
constexpr std::size_t kWriteBackNoteLimit = (kMaxPlans + 1) * file_limit::kPlanFile;

// The channel lines of a plan file as the payloads of their commands, every line converted
// before anything is sent. A line that cannot be sent stops the conversion: its error marker and
// its index are kept.
struct PlanPayloads {
    std::vector<std::string> payloads;
    std::string marker;
    int badLine = -1;
};

PlanPayloads ConvertPlan(PlanFileReader& reader) {
    PlanPayloads plan;
    PayloadConverter converter;
    for (int k = 0; k < reader.count(); ++k) {
        std::string payload = converter.ChannelLineToPayload(reader.nextLine(), k == 0);
        if (IsErrorMarker(payload)) {
            plan.marker = std::move(payload);
            plan.badLine = k;
            break;
        }
        plan.payloads.push_back(std::move(payload));
    }
    return plan;
}

// Whether a plan file's text can be sent whole: its shape, and every channel line.
bool IsSendablePlan(const std::string& content) {
    if (!IsPlanFileShape(content)) return false;
    PlanFileReader reader(content);
    return ConvertPlan(reader).badLine < 0;
}

}  // namespace

ChannelPlanTransfers::ChannelPlanTransfers(Link& link, UserPrompts& prompts,
                                           const LanguageTable& texts, Progress& progress,
                                           PlanIndex& list, DeviceBusy& busy)
    : link_(link),
      prompts_(prompts),
      texts_(texts),
      progress_(progress),
      list_(list),
      busy_(busy) {}

void ChannelPlanTransfers::message(int code, const std::string& detail) {
    ShowMessageCode(prompts_, texts_, code, detail);
}

Ended ChannelPlanTransfers::told(Failure failure, int code, const std::string& detail) {
    message(code, detail);
    return {failure, detail, code};
}

Ended ChannelPlanTransfers::refuseChannel(const std::string& marker, const std::string& where,
                                          int maximum) {
    message(message::kBadChannel,
            marker == kTooLongMarker ? text(text::kChannelTooLong) : std::string());
    progress_.prepare(text(text::kWritingCaption), text(text::kStarting),
                      text(text::kDoNotDisconnect), maximum);
    progress_.setStatus(text(text::kBadChannelText));
    progress_.setWarning("Error " + marker.substr(5, 2) + "." + where);
    progress_.toMaximum();
    progress_.finish();
    return {Failure::BadFile, where, message::kBadChannel};
}

// ---------------------------------------------------------------------------------------------
// Queries

// An answer of the wrong form is a failed exchange, as if it had never come.
std::optional<int> ChannelPlanTransfers::GetChannelPlanQuantity() {
    const auto answer = link_.QueryValue(command::kPlanCount);
    if (!answer) return std::nullopt;
    return CountValue(*answer, kMaxPlans);
}

std::optional<std::string> ChannelPlanTransfers::GetChannelPlanName(int slot) {
    if (slot < 0 || slot > 9) return std::string("error");
    return link_.QueryValue(command::PlanName(slot));
}

std::optional<int> ChannelPlanTransfers::GetChannelQuantity(int slot) {
    const auto answer = link_.QueryValue(command::ChannelCount(slot));
    if (!answer) return std::nullopt;
    return CountValue(*answer, kMaxChannels);
}

std::optional<std::string> ChannelPlanTransfers::GetChannel(int slot, int index) {
    if (slot < 0 || slot > 99 || index < 0 || index > 999) return std::string("error");
    return link_.QueryValue(command::Channel(slot, index));
}

// Query helpers that end the operation on a failed exchange.
int ChannelPlanTransfers::quantity() {
    const auto n = GetChannelPlanQuantity();
    if (!n) throw Failure::NoAnswer;
    return *n;
}

std::string ChannelPlanTransfers::name(int slot) {
    const auto text = GetChannelPlanName(slot);
    if (!text) throw Failure::NoAnswer;
    return *text;
}

int ChannelPlanTransfers::channels(int slot) {
    const auto n = GetChannelQuantity(slot);
    if (!n) throw Failure::NoAnswer;
    return *n;
}

void ChannelPlanTransfers::send(const std::string& command) {
    // The answers to the plan write commands are read but not examined.
    if (!link_.SendQuery(command)) throw Failure::NoAnswer;
}

void ChannelPlanTransfers::writePlan(int slot, const std::string& planName,
                                     const std::vector<std::string>& payloads) {
    send(command::SetPlanName(slot, planName));
    send(command::SetChannelCount(slot, static_cast<int>(payloads.size())));
    for (const std::string& payload : payloads) {
        progress_.advance();
        prompts_.processEvents();
        send(command::SetChannel(slot, payload));
    }
}

void ChannelPlanTransfers::eraseSequence() {
    send(command::kErasePlans);
    if (!link_.SendEP()) throw Failure::NoAnswer;
}

Ended ChannelPlanTransfers::guarded(const std::function<Ended()>& body) {
    progressShown_ = false;
    try {
        return body();
    } catch (Failure) {
        // What the instrument holds now is not known: the copies must be read again.
        freshCopies_.clear();
        // The instrument went silent or was unplugged in the middle: say so, and never leave
        // the progress window waiting without its OK button.
        if (progressShown_) {
            progress_.fail(texts_);
        }
        return told(Failure::NoAnswer, message::kNoInstrument);
    }
}

void ChannelPlanTransfers::addToList(const std::string& planName) {
    // A name in bytes that are not printable text (a Latin-1 name from other software, a tab) is
    // listed escaped, and the person told which slot it is: it cannot be sent back as it was,
    // while the other plans are used as ever.
    const bool printable = IsPrintableText(planName);
    list_.add(printable ? planName : EscapedText(planName), printable);
    if (!printable)
        prompts_.showMessage(
            0, text(kMessageCaptionText),
            FillIn(text(text::kPlanNameUnusable),
                   {std::to_string(list_.count() - 1), list_.item(list_.count() - 1)}),
            MessageIcon::Information);
}

void ChannelPlanTransfers::fillListFromInstrument(int count) {
    list_.clear();
    for (int slot = 0; slot < count; ++slot)
        addToList(name(slot));
}

FileWrite ChannelPlanTransfers::copiesWritable() const {
    return CanWriteInFolder(copiesFolder_.empty() ? "." : copiesFolder_);
}

Ended ChannelPlanTransfers::copiesUnwritable(const FileWrite& write) {
    return told(Failure::FileUnwritable, message::kFileUnwritable,
                FillIn(text(text::kCopiesUnwritable),
                       {copiesFolder_.empty() ? "." : copiesFolder_, write.reason()}));
}

std::optional<int> ChannelPlanTransfers::PlanToOpen() {
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return std::nullopt;
    const int n = GetChannelPlanQuantity().value_or(0);
    for (int position = 0; position < n && position < list_.count(); ++position) {
        if (list_.isSelected(position)) return position;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Reading

Ended ChannelPlanTransfers::ReadChannelPlans() {
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return job.refusal();
    list_.setSendAndDeleteEnabled(true);
    list_.setEnabled(true);
    list_.clear();
    freshCopies_.clear();
    return guarded([&]() -> Ended {
        // An instrument holds at most ten plans; a larger count is a garbled answer.
        const int n = quantity();
        if (n <= 0) return Done{};
        for (int slot = 0; slot < n; ++slot)
            addToList(name(slot));
        return SaveChannelPlans();
    });
}

Ended ChannelPlanTransfers::SaveChannelPlans() {
    const int n = quantity();
    int total = 0;
    for (int slot = 0; slot < n; ++slot)
        total += channels(slot);
    progress_.prepare(text(text::kReadingCaption), text(text::kStarting),
                      text(text::kDoNotDisconnect), total);
    progressShown_ = true;
    prompts_.processEvents();

    freshCopies_.clear();
    planTexts_.assign(static_cast<std::size_t>(n), std::string());
    planChannels_.assign(static_cast<std::size_t>(n), -1);
    Ended ended = Done{};
    FileWrite copyFailed;
    std::vector<std::string> names;
    for (int slot = 0; slot < n; ++slot) {
        const std::string answered = name(slot);
        // The copy holds the name as listed: escaped when the instrument's is not printable.
        const std::string planName = IsPrintableText(answered) ? answered : EscapedText(answered);
        // A name that disagrees with the one just listed is not to be trusted either.
        if (slot < list_.count() && list_.item(slot) != planName) throw Failure::NoAnswer;
        names.push_back(planName);
        const int count = channels(slot);
        // The count line is asked once more; an answer that disagrees is not to be trusted.
        if (channels(slot) != count) throw Failure::NoAnswer;
        std::vector<std::string> lines;
        bool complete = true;
        for (int j = 0; j < count; ++j) {
            const auto wire = GetChannel(slot, j);
            if (!wire) throw Failure::NoAnswer;
            if (*wire == "error") ended = told(Failure::BadAnswer, message::kOutOfRange);
            const std::string line = ChannelAnswerToLine(*wire);
            if (line == "error") {
                ended = told(Failure::BadAnswer, message::kBadChannelData);
                complete = false;
                break;
            }
            lines.push_back(std::to_string(j) + line);
            progress_.advance();
            prompts_.processEvents();
        }
        // A copy is replaced only by a complete one: a stopped pass keeps the previous copy.
        if (!complete) break;
        const auto at = static_cast<std::size_t>(slot);
        planTexts_[at] = FormatPlanFile(planName, lines);
        planChannels_[at] = count;
        const std::string path = LocalPlanCopyPath(copiesFolder_, names, at);
        if (const FileWrite written = WriteFileAtomically(path, planTexts_[at]))
            freshCopies_.insert(path);
        else if (!copyFailed.error)
            copyFailed = written;
    }
    progress_.succeed(texts_, true);
    // The plans are read and listed all the same; what needs the copies (a delete, the editor)
    // will say so again.
    if (copyFailed.error) copiesUnwritable(copyFailed);
    return ended;
}

// ---------------------------------------------------------------------------------------------
// Sending

Ended ChannelPlanTransfers::SendPlanFiles(
    const std::function<std::vector<std::string>()>& chooseFiles) {
    if (const auto refused = refusedForWriteBack()) return *refused;
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return job.refusal();
    return guarded([&]() -> Ended {
        int n = quantity();
        if (n >= kMaxPlans) return told(Failure::BadFile, message::kTenPlans);
        const std::vector<std::string> files = chooseFiles();
        if (files.empty()) return Failure::Cancelled;
        // The copies are written after every plan sent: a folder that cannot take them is found
        // out before the instrument changes, not after.
        if (const FileWrite probe = copiesWritable(); !probe) return copiesUnwritable(probe);
        Ended ended = Done{};
        for (const std::string& file : files) {
            if (n >= kMaxPlans) return told(Failure::BadFile, message::kTenPlans);
            std::string content;
            const FileRead read = ReadWholeFile(file, content, file_limit::kPlanFile);
            if (read.status != FileRead::Done && read.status != FileRead::TooLarge)
                return told(Failure::FileUnreadable, message::kFileUnreadable,
                            UnreadableDetail(file, read));
            // A file that cannot be a channel plan (empty, of one huge line, a count that does
            // not match its lines) is refused as a bad plan before anything is sent.
            if (!read || !IsPlanFileShape(content))
                return told(Failure::BadFile, message::kBadChannel, file);
            PlanFileReader reader(std::move(content));
            // A name already in the instrument is refused before anything is sent, so the
            // instrument stays as it was.
            for (int s = 0; s < n; ++s) {
                if (name(s) == reader.name())
                    return told(Failure::BadFile, message::kPlanNameExists, reader.name());
            }
            // So is a bad channel line: every line is converted before the first command for
            // this file, and the plans already in the instrument are never touched.
            const int count = reader.count();
            const PlanPayloads plan = ConvertPlan(reader);
            if (plan.badLine >= 0)
                return refuseChannel(plan.marker, std::to_string(plan.badLine), count);
            send(command::kOpenPlanWrite);
            const int slot = n;
            send(command::SetPlanCount(n + 1));
            n = n + 1;
            progress_.prepare(text(text::kWritingCaption), text(text::kStarting),
                              text(text::kDoNotDisconnect), count);
            progressShown_ = true;
            prompts_.processEvents();
            writePlan(slot, reader.name(), plan.payloads);
            progress_.succeed(texts_, false);
            if (quantity() != n) ended = told(Failure::BadAnswer, message::kPlanCountChanged);
            fillListFromInstrument(n);
            list_.setEnabled(true);
            if (const Ended read = SaveChannelPlans(); !read) ended = read;
            // The read-back decides: an instrument that kept fewer channels than were sent
            // (one it could not take) holds another plan than the file.
            if (const Ended kept = checkKept(slot, reader.name(), count); !kept) ended = kept;
        }
        return ended;
    });
}

// ---------------------------------------------------------------------------------------------
// Deleting

Ended ChannelPlanTransfers::DeleteSelectedPlans() {
    if (const auto refused = refusedForWriteBack()) return *refused;
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return job.refusal();
    if (!prompts_.askYesNo(text(text::kQuestionCaption), text(text::kAskDeleteSelected)))
        return Failure::Declined;
    return guarded([&]() -> Ended {
        const int b = quantity();
        std::vector<std::string> kept;
        for (int p = 0; p < b && p < list_.count(); ++p) {
            if (!list_.isSelected(p)) kept.push_back(list_.item(p));
        }
        const int k = static_cast<int>(kept.size());
        if (k == b) return told(Failure::NothingChosen, message::kNothingSelected);
        // Every kept plan must be sendable before the instrument is erased: erasing first and
        // failing afterwards would lose the technician's plans. Its name must be one that can
        // be sent, its copy complete from the last read pass of this run, and the note below
        // must be writable.
        std::vector<std::string> copies;
        if (const FileWrite probe = copiesWritable(); !probe) return copiesUnwritable(probe);
        for (int p = 0; p < b && p < list_.count(); ++p) {
            if (list_.isSelected(p)) continue;
            if (!list_.sendable(p))
                return told(
                    Failure::BadFile, message::kPlanNotSendable,
                    FillIn(text(text::kPlanNameUnusable), {std::to_string(p), list_.item(p)}));
            const std::string path =
                LocalPlanCopyPath(copiesFolder_, list_.names(), static_cast<std::size_t>(p));
            if (freshCopies_.count(path) == 0)
                return told(Failure::BadFile, message::kReadPlansAgain);
            std::string content;
            if (!ReadWholeFile(path, content, file_limit::kPlanFile))
                return told(Failure::FileUnreadable, message::kBadChannelData, path);
            if (!IsSendablePlan(content)) return told(Failure::BadFile, message::kBadChannel, path);
            copies.push_back(std::move(content));
        }

        // Written down before the erase: should the program stop or the cable be pulled before
        // every kept plan is back, the next run sends them back from this note.
        if (const FileWrite noted =
                WriteFileAtomically(writeBackNotePath(), FormatWriteBackNote(copies));
            !noted)
            return told(Failure::FileUnwritable, message::kFileUnwritable,
                        UnwritableDetail(writeBackNotePath(), noted));
        eraseSequence();
        return writeBack(copies);
    });
}

Ended ChannelPlanTransfers::writeBack(const std::vector<std::string>& copies) {
    const int k = static_cast<int>(copies.size());
    list_.setSendAndDeleteEnabled(true);
    list_.setEnabled(true);
    list_.clear();
    for (const std::string& copy : copies)
        list_.add(PlanFileReader(copy).name());
    send(command::SetPlanCount(k));
    progress_.prepare(text(text::kWritingCaption), text(text::kStarting),
                      text(text::kDoNotDisconnect), k * kStepsPerPlan);
    progressShown_ = true;
    prompts_.processEvents();
    for (int l = 0; l < k; ++l) {
        progress_.setPosition(l * kStepsPerPlan);
        PlanFileReader reader(copies[static_cast<std::size_t>(l)]);
        writePlan(l, reader.name(), ConvertPlan(reader).payloads);
    }
    progress_.succeed(texts_, false);
    send(command::kOpenPlanWrite);
    fillListFromInstrument(quantity());
    Ended ended = SaveChannelPlans();
    // The note goes once every plan is back whole; else the next run offers to send them again.
    bool whole = true;
    for (int l = 0; l < k; ++l) {
        PlanFileReader reader(copies[static_cast<std::size_t>(l)]);
        if (const Ended kept = checkKept(l, reader.name(), reader.count()); !kept) {
            ended = kept;
            whole = false;
        }
    }
    if (whole) RemoveFile(writeBackNotePath());
    return ended;
}

Ended ChannelPlanTransfers::checkKept(int slot, const std::string& planName, int sent) {
    const auto at = static_cast<std::size_t>(slot);
    const int kept = at < planChannels_.size() ? planChannels_[at] : -1;
    if (kept == sent) return Done{};
    return told(Failure::BadAnswer, message::kChannelsNotKept,
                FillIn(text(text::kChannelsKept),
                       {planName, std::to_string(std::max(kept, 0)), std::to_string(sent)}));
}

// ---------------------------------------------------------------------------------------------
// An interrupted delete

std::string ChannelPlanTransfers::writeBackNotePath() const {
    return WithSeparator(copiesFolder_) + kWriteBackNote;
}

std::optional<std::string> ChannelPlanTransfers::PendingWriteBack() const {
    if (!FileExists(writeBackNotePath())) return std::nullopt;
    return writeBackNotePath();
}

std::optional<Ended> ChannelPlanTransfers::refusedForWriteBack() {
    const auto note = PendingWriteBack();
    if (!note) return std::nullopt;
    return told(Failure::BadFile, message::kWriteBackPending, *note);
}

Ended ChannelPlanTransfers::FinishWriteBack() {
    const auto notePath = PendingWriteBack();
    if (!notePath) return Done{};
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return job.refusal();
    std::string note;
    std::optional<std::vector<std::string>> copies;
    if (ReadWholeFile(*notePath, note, kWriteBackNoteLimit)) copies = ReadWriteBackNote(note);
    if (copies && !std::all_of(copies->begin(), copies->end(), IsSendablePlan)) copies.reset();
    if (!copies) return told(Failure::BadFile, message::kBadChannelData, *notePath);
    if (!prompts_.askYesNo(text(text::kQuestionCaption), text(text::kAskFinishWriteBack)))
        return Failure::Declined;
    return guarded([&] {
        freshCopies_.clear();
        eraseSequence();
        return writeBack(*copies);
    });
}

Ended ChannelPlanTransfers::EraseAllChannelPlans() {
    if (const auto refused = refusedForWriteBack()) return *refused;
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return job.refusal();
    if (!prompts_.askYesNo(text(text::kQuestionCaption), text(text::kAskEraseAll)))
        return Failure::Declined;
    return guarded([&]() -> Ended {
        freshCopies_.clear();
        eraseSequence();
        list_.clear();
        return Done{};
    });
}

}  // namespace veltra
