#include "firmware/FirmwareUpdates.h"
#include "face/TextKeys.h"

#include "face/DeviceJob.h"
#include "face/Messages.h"
#include "firmware/FirmwareFiles.h"
#include "link/Commands.h"
#include "text/Files.h"
#include "text/Text.h"

namespace veltra {

namespace {

constexpr int kConfirmIOUpdate = 47;
constexpr int kCurrentInstrumentVersion = 48;
constexpr int kConfirmInstrumentUpdate = 49;
constexpr int kCurrentIOVersion = 50;
constexpr int kPreparing = 59;
constexpr int kIOUpdateCaption = 74;
constexpr int kInstrumentUpdateCaption = 73;
constexpr int kBlock = 64;
constexpr int kRecordSends = 6;

}  // namespace

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

void FirmwareUpdates::message(int code, const std::string& detail) {
    ShowMessageCode(prompts_, texts_, code, detail);
}

void FirmwareUpdates::refuseFile(const FirmwareFileCheck& check) {
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
    message(message::kBadFirmwareFile, detail);
}

void FirmwareUpdates::failed() {
    progress_.fail(texts_);
    progress_.setBarVisible(false);
}

// ---------------------------------------------------------------------------------------------
// IO interface

void FirmwareUpdates::Actualitzar(std::string& commandLineFile, FileDialogState& dialog,
                                  const std::string& versionFolder, const std::string& ioVersion) {
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return;
    dialog.initialFolder = versionFolder;
    std::string path = commandLineFile;
    if (path.empty()) {
        const auto chosen = prompts_.chooseOpenFile(dialog);
        if (!chosen) return;
        path = *chosen;
    }
    if (!EndsWith(path, ".hex")) {
        message(message::kWrongExtension);
        commandLineFile.clear();
        return;
    }
    std::string content;
    if (!readFirmwareFile(path, file_limit::kHexFile, content)) {
        commandLineFile.clear();
        return;
    }
    WaitCursor waitCursor(prompts_);
    prompts_.processEvents();
    // The whole image is read before the IO interface is asked to leave its firmware: a file
    // that cannot be flashed whole never erases it.
    FirmwareImage image;
    if (const FirmwareFileCheck check = ReadHexFile(content, image); !check) {
        refuseFile(check);
        commandLineFile.clear();
        return;
    }
    if (!confirmation_.confirm(text(kCurrentIOVersion) + ioVersion, text(kConfirmIOUpdate), path))
        return;  // the command-line file stays for the next update
    progress_.prepare(text(kIOUpdateCaption), text(text::kStarting), text(text::kDoNotDisconnect),
                      0);
    prompts_.processEvents();

    LoaderReports reports;
    if (!link_.writeOnly(reports.enterLoader(true))) return failed();
    // The IO interface restarts in its loader under the same product string.
    for (int i = 0; i < 40; ++i)
        wait_(100);
    bool found = link_.FindIOInterface();
    for (int retry = 0; !found && retry < kExtraSearches; ++retry) {
        wait_(200);
        found = link_.FindIOInterface();
    }
    for (int unit = 4; unit <= 126; ++unit) {
        if (!link_.writeOnly(reports.erase(static_cast<std::uint8_t>(unit)))) return failed();
    }
    progress_.setMaximum(std::max<int>(0, static_cast<int>(image.end) - 4096));
    progress_.setPosition(0);
    progress_.setStatus(text(text::kWriting));
    auto writeBlock = [&](std::uint32_t address) {
        const std::uint8_t* bytes = image.bytes.data() + address;
        if (!link_.writeOnly(reports.firstHalf(address, bytes))) return false;
        if (!link_.writeOnly(reports.secondHalf(bytes + 32))) return false;
        progress_.setPosition(progress_.position() + kBlock);
        return true;
    };
    for (std::uint32_t address = kImageStart + kBlock;
         address <= image.end && address + kBlock <= kImageSize; address += kBlock) {
        if (!writeBlock(address)) return failed();
        prompts_.processEvents();
    }
    // The start of the firmware goes last: an update broken off earlier leaves it unwritten.
    if (!writeBlock(kImageStart)) return failed();
    link_.writeOnly(reports.enterLoader(false));
    progress_.succeed(texts_, true);
    commandLineFile.clear();
}

bool FirmwareUpdates::readFirmwareFile(const std::string& path, std::size_t limit,
                                       std::string& content) {
    const FileRead read = ReadWholeFile(path, content, limit);
    // Far larger than any firmware of the device: not one.
    if (read.status == FileRead::TooLarge) message(message::kBadFirmwareFile, path);
    if (!read && read.status != FileRead::TooLarge) message(message::kFileUnreadable, path);
    return static_cast<bool>(read);
}

// ---------------------------------------------------------------------------------------------
// Instrument

void FirmwareUpdates::ActualitzarVT52(const std::string& commandLineFile, FileDialogState& dialog,
                                      const std::string& instrumentVersion) {
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return;
    // A cancelled dialog ends the update.
    const auto chosen = prompts_.chooseOpenFile(dialog);
    if (!chosen || chosen->empty()) return;
    const std::string path = *chosen;
    if (!EndsWith(path, ".p52")) {
        message(message::kWrongExtension);
        return;
    }
    std::string content;
    if (!readFirmwareFile(path, file_limit::kSRecordFile, content)) {
        link_.FindIOInterface();
        return;
    }
    WaitCursor waitCursor(prompts_);
    prompts_.processEvents();
    // The whole file is checked before the instrument leaves its normal work.
    if (const FirmwareFileCheck check = CheckSRecordFile(content); !check) {
        refuseFile(check);
        return;
    }
    const std::string shownFile = commandLineFile.empty() ? path : commandLineFile;
    if (!confirmation_.confirm(text(kCurrentInstrumentVersion) + instrumentVersion,
                               text(kConfirmInstrumentUpdate), shownFile))
        return;
    progress_.prepare(text(kInstrumentUpdateCaption), text(text::kStarting),
                      text(text::kDoNotDisconnect), static_cast<int>(content.size()));
    prompts_.processEvents();

    if (link_.SendCommand(command::kStartUpdate) == 0) return failed();
    progress_.setStatus(text(kPreparing));
    wait_(2000);
    for (int step = 2; step <= 7; ++step) {
        switch (link_.EraseStep(step)) {
            case Link::EraseStatus::Accepted:
                break;
            case Link::EraseStatus::Warning:
                message(message::kEraseWarning);  // a warning: the update goes on
                break;
            case Link::EraseStatus::Refused:
                message(message::kNoInstrument);
                return failed();
            case Link::EraseStatus::Other:
                return failed();
        }
    }
    progress_.setStatus(text(text::kWriting));
    wait_(200);

    // From here on every way out finishes the progress window and searches the IO interface
    // again, whatever became of the instrument.
    auto sendAll = [&] {
        TextLineReader lines(content);
        while (const auto line = lines.next(99)) {
            const std::vector<std::uint8_t> record = SRecordToRecord(*line);
            int status = 0;
            for (int send = 1; send <= kRecordSends; ++send) {
                status = link_.SendRecord(record);
                if (status == 1) break;
                if (send < kRecordSends) wait_(500);
            }
            if (status != 1) return false;
            progress_.setPosition(progress_.position() + static_cast<int>(line->size()) + 2);
            prompts_.processEvents();
        }
        return link_.SendCommand(command::kEndUpdate) != 0;
    };
    if (sendAll()) {
        progress_.succeed(texts_, true);
    } else {
        failed();
    }
    link_.FindIOInterface();
}

}  // namespace veltra
