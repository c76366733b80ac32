#include "loggers/LoggerFiles.h"

#include "face/TextKeys.h"
#include "loggers/LoggerCsv.h"
#include "loggers/PrintLayouts.h"
#include "text/Files.h"

namespace veltra {

namespace {

constexpr int kAskOverwriteLogger = 30;

struct RecordFile {
    const std::string& name;
    std::string& fileName;
    const char* extension;
};

RecordFile FileOf(LoggerRecords& records, int kind) {
    switch (kind) {
        case kShowTv:
            return {records.tv.name, records.tv.fileName, kTvExtension};
        case kShowDown:
            return {records.down.name, records.down.fileName, kDownExtension};
        default:
            return {records.modem.name, records.modem.fileName, kModemExtension};
    }
}

// The text of the record of `kind`: its file, or its printout for the print file.
std::optional<std::string> RecordText(const LoggerRecords& records, int kind, bool print) {
    switch (kind) {
        case kShowTv: {
            if (print) return TvPrintLayout(records.tv);
            std::string text;
            if (!TvLoggerFileText(records.tv, text)) return std::nullopt;
            return text;
        }
        case kShowDown:
            return print ? DownPrintLayout(records.down) : DownLoggerFileText(records.down);
        default:
            return print ? ModemPrintLayout(records.modem) : ModemLoggerFileText(records.modem);
    }
}

}  // namespace

LoggerFiles::LoggerFiles(UserPrompts& prompts, const LanguageTable& texts, std::string folder)
    : prompts_(prompts), texts_(texts), folder_(std::move(folder)) {
    folder_ = WithSeparator(folder_);
}

Outcome<std::string> LoggerFiles::pathFor(int mode, FileDialogState* dialog,
                                          const std::string& name, const char* extension) {
    switch (mode) {
        case kPrintFile:
            MakeFolders(folder_);
            return printFilePath();
        case kSaveToLoggers:
            MakeFolders(folder_);
            return folder_ + SafeFileName(name) + extension;
        case kSaveAs:
        case kCsvAs: {
            if (!dialog) return Failure::Cancelled;
            dialog->fileName = SafeFileName(name) + extension;
            if (dialog->initialFolder.empty()) dialog->initialFolder = folder_;
            auto chosen = prompts_.chooseSaveFile(*dialog);
            if (!chosen) return Failure::Cancelled;
            if (!EndsWith(*chosen, extension)) *chosen += extension;
            return *chosen;
        }
        case kSaveAllAs:
        case kCsvAllAs: {
            if (!dialog) return Failure::Cancelled;
            std::string path = SaveAllAsPath(dialog->fileName, name, extension);
            if (FileExists(path) && !prompts_.askYesNo(texts_.text(text::kQuestionCaption),
                                                       texts_.text(kAskOverwriteLogger)))
                return Failure::Declined;
            return path;
        }
        default:
            return Failure::Cancelled;
    }
}

Outcome<Done> LoggerFiles::write(LoggerRecords& records, int kind, int mode,
                                 FileDialogState* dialog) {
    const bool csv = mode == kCsvAs || mode == kCsvAllAs;
    const auto text =
        csv ? LoggerCsv(records, kind) : RecordText(records, kind, mode == kPrintFile);
    if (!text) return Failure::BadRecord;
    const RecordFile file = FileOf(records, kind);
    const auto path = pathFor(mode, dialog, file.name, csv ? ".csv" : file.extension);
    if (!path) return path.failure();
    if (!WriteFileAtomically(*path, *text)) return Failure::FileUnwritable;
    if (mode != kPrintFile && !csv) file.fileName = *path;
    return Done{};
}

Outcome<LoggerKindShown> LoggerFiles::OpenLogger(FileDialogState& dialog, LoggerRecords& records) {
    const auto path = prompts_.chooseOpenFile(dialog);
    if (!path) return Failure::Cancelled;
    if (!EndsWith(*path, kTvExtension) && !EndsWith(*path, kDownExtension) &&
        !EndsWith(*path, kModemExtension))
        return Failure::WrongFileKind;
    std::string content;
    const FileRead read = ReadWholeFile(*path, content, file_limit::kLoggerFile);
    // A file far larger than any logger is not one: refused before it is read.
    if (read.status == FileRead::TooLarge) return {Failure::BadFile, *path};
    if (!read) return {Failure::FileUnreadable, *path};
    const int result = ReadLoggerText(content, *path, records);
    if (result >= kShowTv && result <= kShowModem) return static_cast<LoggerKindShown>(result);
    if (result >= 1000) return {Failure::BadRecord, std::to_string(result)};
    return {Failure::BadFile, std::to_string(result)};
}

}  // namespace veltra
