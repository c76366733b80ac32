#include "loggers/LoggerFiles.h"

#include "language/TextKeys.h"
#include "loggers/LoggerCsv.h"
#include "loggers/PrintLayouts.h"
#include "text/Files.h"

namespace veltra {

namespace {

bool IsCsv(LoggerWriteMode mode) {
    return mode == LoggerWriteMode::CsvAs || mode == LoggerWriteMode::CsvAllAs;
}

}  // namespace

LoggerFiles::LoggerFiles(UserPrompts& prompts, const LanguageTable& texts, std::string folder)
    : prompts_(prompts), texts_(texts), folder_(std::move(folder)) {
    folder_ = WithSeparator(folder_);
}

Outcome<std::string> LoggerFiles::pathFor(LoggerWriteMode mode, FileDialogState* dialog,
                                          const std::string& name, const char* extension) {
    switch (mode) {
        case LoggerWriteMode::PrintFile:
            MakeFolders(folder_);
            return printFilePath();
        case LoggerWriteMode::SaveToLoggers:
            MakeFolders(folder_);
            // Loggers of one name saved together each keep a file of their own.
            return names_.take(folder_ + SafeFileName(name), extension);
        case LoggerWriteMode::SaveAs:
        case LoggerWriteMode::CsvAs: {
            if (!dialog) return Failure::Cancelled;
            dialog->fileName = SafeFileName(name) + extension;
            if (dialog->initialFolder.empty()) dialog->initialFolder = folder_;
            auto chosen = prompts_.chooseSaveFile(*dialog);
            if (!chosen) return Failure::Cancelled;
            if (!EndsWith(*chosen, extension)) *chosen += extension;
            return *chosen;
        }
        case LoggerWriteMode::SaveAllAs:
        case LoggerWriteMode::CsvAllAs: {
            if (!dialog) return Failure::Cancelled;
            std::string path = SaveAllAsPath(dialog->fileName, name, extension);
            path =
                names_.take(path.substr(0, path.size() - std::string(extension).size()), extension);
            if (FileExists(path) && !prompts_.askYesNo(texts_.text(text::kQuestionCaption),
                                                       texts_.text(text::kAskOverwriteLogger)))
                return Failure::Declined;
            return path;
        }
        default:
            return Failure::Cancelled;
    }
}

Ended LoggerFiles::write(const std::optional<std::string>& text, const std::string& name,
                         std::string& fileName, const char* extension, LoggerWriteMode mode,
                         FileDialogState* dialog) {
    if (!text) return Failure::BadRecord;
    const bool csv = IsCsv(mode);
    const auto path = pathFor(mode, dialog, name, csv ? ".csv" : extension);
    if (!path) return path.failure();
    if (const FileWrite written = WriteFileAtomically(*path, *text); !written)
        return {Failure::FileUnwritable, UnwritableDetail(*path, written)};
    if (mode != LoggerWriteMode::PrintFile && !csv) fileName = *path;
    if (mode != LoggerWriteMode::PrintFile) written_.push_back(*path);
    return Done{};
}

Ended LoggerFiles::WriteTvLogger(TvLogger& tv, LoggerWriteMode mode, FileDialogState* dialog) {
    std::optional<std::string> text;
    if (IsCsv(mode)) {
        text = TvLoggerCsv(tv, styleOf(kShowTv));
    } else if (mode == LoggerWriteMode::PrintFile) {
        text = TvPrintLayout(tv);
    } else if (std::string file; TvLoggerFileText(tv, file)) {
        text = std::move(file);
    }
    return write(text, tv.name, tv.fileName, kTvExtension, mode, dialog);
}

Ended LoggerFiles::WriteDownLogger(DownLogger& down, LoggerWriteMode mode,
                                   FileDialogState* dialog) {
    const std::string text = IsCsv(mode) ? DownLoggerCsv(down, styleOf(kShowDown))
                             : mode == LoggerWriteMode::PrintFile ? DownPrintLayout(down)
                                                                  : DownLoggerFileText(down);
    return write(text, down.name, down.fileName, kDownExtension, mode, dialog);
}

Ended LoggerFiles::WriteModemLogger(ModemLogger& modem, LoggerWriteMode mode,
                                    FileDialogState* dialog) {
    const std::string text = IsCsv(mode) ? ModemLoggerCsv(modem, styleOf(kShowModem))
                             : mode == LoggerWriteMode::PrintFile ? ModemPrintLayout(modem)
                                                                  : ModemLoggerFileText(modem);
    return write(text, modem.name, modem.fileName, kModemExtension, mode, dialog);
}

Ended LoggerFiles::WriteLogger(LoggerRecords& records, LoggerKindShown kind, LoggerWriteMode mode,
                               FileDialogState* dialog) {
    switch (kind) {
        case kShowTv:
            return WriteTvLogger(records.tv, mode, dialog);
        case kShowDown:
            return WriteDownLogger(records.down, mode, dialog);
        default:
            return WriteModemLogger(records.modem, mode, dialog);
    }
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
    if (read.status == FileRead::TooLarge) return {Failure::BadFile, UnreadableDetail(*path, read)};
    if (!read) return {Failure::FileUnreadable, UnreadableDetail(*path, read)};
    LoggerFileError error;
    const int result = ReadLoggerText(content, *path, records, &error);
    if (result >= kShowTv && result <= kShowModem) return static_cast<LoggerKindShown>(result);
    return {Failure::BadFile, *path + "\n" + LoggerFileErrorText(error, texts_)};
}

std::string LoggerFileErrorText(const LoggerFileError& error, const LanguageTable& texts) {
    int key = text::kLoggerBadRecord;
    switch (error.fault) {
        case LoggerFault::UnknownKind:
            key = text::kLoggerUnknownKind;
            break;
        case LoggerFault::EndsInHeader:
            key = text::kLoggerEndsInHeader;
            break;
        case LoggerFault::NotANumber:
            key = text::kLoggerNotANumber;
            break;
        case LoggerFault::TooManyRecords:
            key = text::kLoggerTooManyRecords;
            break;
        case LoggerFault::EndsEarly:
            key = text::kLoggerEndsEarly;
            break;
        case LoggerFault::FieldsMissing:
            key = text::kLoggerFieldsMissing;
            break;
        case LoggerFault::BadValue:
            key = text::kLoggerBadValue;
            break;
        case LoggerFault::None:
        case LoggerFault::BadRecord:
            break;
    }
    return FillIn(texts.text(key), {std::to_string(error.line)});
}

}  // namespace veltra
