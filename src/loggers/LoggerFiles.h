// Logger files: writing a record into its file (the Loggers folder, a chosen file, the files of
// a save-all, the print file) and opening a logger file into its record. Nothing is shown: a
// failure comes back named, and the operation says what it means.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "face/UserPrompts.h"
#include "language/LanguageTable.h"
#include "loggers/LoggerCsv.h"
#include "loggers/LoggerRecords.h"
#include "loggers/Verdicts.h"
#include "text/Files.h"
#include "text/Outcome.h"

namespace veltra {

// Where a record is written.
// The spreadsheet modes write a CSV where SaveAs and SaveAllAs would write the logger file;
// they leave the record's file name alone (it names the logger file shown).
enum class LoggerWriteMode { PrintFile = 1, SaveToLoggers, SaveAs, SaveAllAs, CsvAs, CsvAllAs };

class LoggerFiles {
  public:
    // `folder` is the Loggers folder; a "/" is added when missing.
    LoggerFiles(UserPrompts& prompts, const LanguageTable& texts, std::string folder);

    const std::string& folder() const { return folder_; }
    std::string printFilePath() const { return folder_ + "print.temp"; }

    // The logger writers, one a kind of record: the record in `mode`; except for the print file
    // and the spreadsheets, the record's file name becomes the path written. `dialog` is the
    // viewer's save dialog (SaveAs, CsvAs) or the confirmed save-all dialog (SaveAllAs,
    // CsvAllAs). Failures: Cancelled (no file chosen), Declined (an existing file kept),
    // BadRecord (a TV record of neither type: nothing is written rather than half a file),
    // FileUnwritable.
    Ended WriteTvLogger(TvLogger& tv, LoggerWriteMode mode, FileDialogState* dialog = nullptr);
    Ended WriteDownLogger(DownLogger& down, LoggerWriteMode mode,
                          FileDialogState* dialog = nullptr);
    Ended WriteModemLogger(ModemLogger& modem, LoggerWriteMode mode,
                           FileDialogState* dialog = nullptr);
    // The record of `kind` of `records` by its writer.
    Ended WriteLogger(LoggerRecords& records, LoggerKindShown kind, LoggerWriteMode mode,
                      FileDialogState* dialog = nullptr);

    // Asks for a logger file and reads it into the record of its kind. Failures: Cancelled,
    // WrongFileKind (the name's extension), FileUnreadable (the detail: the file and why),
    // BadFile (too large, damaged or cut short: the detail names the file, the line and why).
    Outcome<LoggerKindShown> OpenLogger(FileDialogState& dialog, LoggerRecords& records);

    // The logger files and spreadsheets written since the last `forgetWritten`, in order.
    const std::vector<std::string>& written() const { return written_; }
    // The unit of the levels in the spreadsheets (the logger files keep the instrument's).
    void setLevelUnit(LevelUnit unit) { unit_ = unit; }
    // The limit set the spreadsheets of `kind` give verdicts and figures on (without one, none).
    void setJudging(LoggerKindShown kind, LimitSet limits) { judging_[kind] = std::move(limits); }
    // Forgets the files written, and the names they took: a new save begins.
    void forgetWritten() {
        written_.clear();
        names_.clear();
    }

  private:
    CsvStyle styleOf(LoggerKindShown kind) const {
        return {unit_, judging_[kind] ? &*judging_[kind] : nullptr, VerdictWordsIn(texts_)};
    }
    LevelUnit unit_ = LevelUnit::dBuV;
    std::optional<LimitSet> judging_[4];
    Outcome<std::string> pathFor(LoggerWriteMode mode, FileDialogState* dialog,
                                 const std::string& name, const char* extension);
    Ended write(const std::optional<std::string>& text, const std::string& name,
                std::string& fileName, const char* extension, LoggerWriteMode mode,
                FileDialogState* dialog);

    UserPrompts& prompts_;
    const LanguageTable& texts_;
    std::string folder_;
    std::vector<std::string> written_;
    DistinctFileNames names_;
};

// Where and why a logger file was refused, in the person's language ("Line 12: ...").
std::string LoggerFileErrorText(const LoggerFileError& error, const LanguageTable& texts);

}  // namespace veltra
