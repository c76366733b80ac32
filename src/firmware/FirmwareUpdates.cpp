#include "firmware/FirmwareUpdates.h"

#include "face/DeviceJob.h"
#include "face/Messages.h"
#include "firmware/FirmwareFiles.h"
#include "firmware/IoLoader.h"
#include "language/TextKeys.h"
#include "link/Commands.h"
#include "text/Files.h"
#include "text/Text.h"

namespace veltra {

namespace {

// The instrument's update protocol: after the start command it prepares for 2 s, erases in the
// steps 2 to 7, and takes the records 200 ms after the last step; a record it refuses is sent up
// to six times, 500 ms apart.
constexpr int kPrepareMs = 2000;
constexpr int kFirstEraseStep = 2;
constexpr int kLastEraseStep = 7;
constexpr int kBeforeRecordsMs = 200;
constexpr int kRecordSends = 6;
constexpr int kResendMs = 500;
// The longest S-record line taken, and the line end counted with each in the progress window.
constexpr std::size_t kRecordLineLimit = 99;
constexpr int kLineEnd = 2;

}  // namespace

bool FileUsedUp(const Ended& ended) {
    return ended || ended.failure() == Failure::WrongFileKind ||
           ended.failure() == Failure::FileUnreadable || ended.failure() == Failure::BadFile;
}

FirmwareUpdates::FirmwareUpdates(Link& link, UserPrompts& prompts, const LanguageTable& texts,
                                 Progress& progress, UpdateConfirmation& confirmation,
                                 DeviceBusy& busy, std::function<void(int)> wait)
    : link_(link),
      prompts_(prompts),
      texts_(texts),
      progress_(progress),
      confirmation_(confirmation),
      busy_(busy),
      wait_(std::move(wait)) {}

Ended FirmwareUpdates::told(Failure failure, int code, const std::string& detail) {
    ShowMessageCode(prompts_, texts_, code, detail);
    return {failure, detail, code};
}

Ended FirmwareUpdates::refuseFile(const FirmwareFileCheck& check) {
    int key = text::kBadRecordLine;
    switch (check.problem) {
        case FirmwareProblem::None:
        case FirmwareProblem::BadRecord:
            break;
        case FirmwareProblem::BadChecksum:
            key = text::kBadChecksumLine;
            break;
        case FirmwareProblem::RecordType:
            key = text::kRecordTypeLine;
            break;
        case FirmwareProblem::CutShort:
            key = text::kFileCutShort;
            break;
        case FirmwareProblem::NoFirmware:
            key = text::kNoFirmwareInFile;
            break;
    }
    std::string detail = text(key);
    // A language file of an older program holds no such text.
    if (detail == "-") detail.clear();
    if (!detail.empty() && check.line > 0) detail += ": " + std::to_string(check.line);
    return told(Failure::BadFile, message::kBadFirmwareFile, detail);
}

Ended FirmwareUpdates::failed() {
    progress_.fail(texts_);
    progress_.setBarVisible(false);
    return Failure::NoAnswer;
}

Outcome<std::string> FirmwareUpdates::readFirmwareFile(const std::string& path, std::size_t limit) {
    std::string content;
    const FileRead read = ReadWholeFile(path, content, limit);
    if (read) return content;
    // Far larger than any firmware of the device: not one.
    if (read.status == FileRead::TooLarge) {
        ShowMessageCode(prompts_, texts_, message::kBadFirmwareFile, path);
        return {Failure::BadFile, path, message::kBadFirmwareFile};
    }
    ShowMessageCode(prompts_, texts_, message::kFileUnreadable, path);
    return {Failure::FileUnreadable, path, message::kFileUnreadable};
}

Outcome<FirmwareUpdates::ChosenFile> FirmwareUpdates::chooseFile(const FileChoice& file,
                                                                 const char* extension,
                                                                 std::size_t limit) {
    const auto path = file();
    if (!path) return Failure::Cancelled;
    if (!EndsWith(*path, extension))
        return FailureOf<ChosenFile>(told(Failure::WrongFileKind, message::kWrongExtension));
    auto content = readFirmwareFile(*path, limit);
    if (!content) return FailureOf<ChosenFile>(content);
    return ChosenFile{*path, std::move(*content)};
}

// ---------------------------------------------------------------------------------------------
// IO interface

Ended FirmwareUpdates::UpdateIOInterface(const FileChoice& file, const std::string& ioVersion) {
    DeviceJob job(busy_, link_, [this](int code) { ShowMessageCode(prompts_, texts_, code); });
    if (!job) return job.refusal();
    const auto chosen = chooseFile(file, ".hex", file_limit::kHexFile);
    if (!chosen) return FailureOf<Done>(chosen);
    const std::string& path = chosen->path;
    WaitCursor waitCursor(prompts_);
    prompts_.processEvents();
    // The whole image is read before the IO interface is asked to leave its firmware: a file
    // that cannot be flashed whole never erases it.
    FirmwareImage image;
    if (const FirmwareFileCheck check = ReadHexFile(chosen->content, image); !check)
        return refuseFile(check);
    if (!confirmation_.confirm(text(text::kCurrentIOVersion) + ioVersion,
                               text(text::kConfirmIOUpdate), path))
        return Failure::Declined;
    progress_.prepare(text(text::kIOUpdateCaption), text(text::kStarting),
                      text(text::kDoNotDisconnect), 0);
    prompts_.processEvents();

    IoLoader loader(link_, wait_);
    if (!loader.Enter() || !loader.Erase()) return failed();
    progress_.setMaximum(IoLoader::BytesToWrite(image));
    progress_.setPosition(0);
    progress_.setStatus(text(text::kWriting));
    const bool written = loader.Write(image, [this] {
        progress_.setPosition(progress_.position() + static_cast<int>(io_loader::kBlock));
        prompts_.processEvents();
    });
    if (!written) return failed();
    // Done only when the interface has left its loader and answers again from its new firmware:
    // a lost last report leaves it in the loader, which answers nothing.
    if (!loader.Leave() || !loader.ComeBack() || link_.GetIOVersion().empty()) {
        failed();
        return told(Failure::NoAnswer, message::kNoInstrument, text(text::kIoNotBack));
    }
    progress_.succeed(texts_, true);
    return Done{};
}

// ---------------------------------------------------------------------------------------------
// Instrument

Ended FirmwareUpdates::UpdateInstrument(const FileChoice& file,
                                        const std::string& instrumentVersion,
                                        const std::string& shownFile) {
    DeviceJob job(busy_, link_, [this](int code) { ShowMessageCode(prompts_, texts_, code); });
    if (!job) return job.refusal();
    // An empty name is a cancelled dialog too.
    const auto chosen = chooseFile(
        [&file]() -> std::optional<std::string> {
            auto path = file();
            if (path && path->empty()) return std::nullopt;
            return path;
        },
        ".p52", file_limit::kSRecordFile);
    if (!chosen) {
        // A file that could not be read: the IO interface is searched again.
        if (chosen.failure() == Failure::FileUnreadable || chosen.failure() == Failure::BadFile)
            link_.FindIOInterface();
        return FailureOf<Done>(chosen);
    }
    const std::string& path = chosen->path;
    const std::string& content = chosen->content;
    WaitCursor waitCursor(prompts_);
    prompts_.processEvents();
    // The whole file is checked before the instrument leaves its normal work.
    if (const FirmwareFileCheck check = CheckSRecordFile(content); !check) return refuseFile(check);
    if (!confirmation_.confirm(text(text::kCurrentInstrumentVersion) + instrumentVersion,
                               text(text::kConfirmInstrumentUpdate),
                               shownFile.empty() ? path : shownFile))
        return Failure::Declined;
    progress_.prepare(text(text::kInstrumentUpdateCaption), text(text::kStarting),
                      text(text::kDoNotDisconnect), static_cast<int>(content.size()));
    prompts_.processEvents();

    if (link_.SendCommand(command::kStartUpdate) == 0) return failed();
    progress_.setStatus(text(text::kPreparing));
    wait_(kPrepareMs);
    for (int step = kFirstEraseStep; step <= kLastEraseStep; ++step) {
        switch (link_.EraseStep(step)) {
            case Link::EraseStatus::Accepted:
                break;
            case Link::EraseStatus::Warning:
                // A warning: the update goes on.
                ShowMessageCode(prompts_, texts_, message::kEraseWarning);
                break;
            case Link::EraseStatus::Refused:
                ShowMessageCode(prompts_, texts_, message::kNoInstrument);
                failed();
                return {Failure::NoInstrument, {}, message::kNoInstrument};
            case Link::EraseStatus::Other:
                return failed();
        }
    }
    progress_.setStatus(text(text::kWriting));
    wait_(kBeforeRecordsMs);

    // From here on every way out finishes the progress window and searches the IO interface
    // again, whatever became of the instrument.
    auto sendAll = [&] {
        TextLineReader lines(content);
        while (const auto line = lines.next(kRecordLineLimit)) {
            const std::vector<std::uint8_t> record = SRecordToRecord(*line);
            int status = 0;
            for (int send = 1; send <= kRecordSends; ++send) {
                status = link_.SendRecord(record);
                if (status == 1) break;
                if (send < kRecordSends) wait_(kResendMs);
            }
            if (status != 1) return false;
            progress_.setPosition(progress_.position() + static_cast<int>(line->size()) + kLineEnd);
            prompts_.processEvents();
        }
        return link_.SendCommand(command::kEndUpdate) != 0;
    };
    Ended ended = Done{};
    if (sendAll()) {
        progress_.succeed(texts_, true);
    } else {
        ended = failed();
    }
    link_.FindIOInterface();
    return ended;
}

}  // namespace veltra
