// Logger files: writing a record into its file (the Loggers folder, a chosen file, the files of
// a save-all, the print file) and opening a logger file into its record. Nothing is shown: a
// failure comes back named, and the operation says what it means.
#pragma once

#include <string>

#include "face/UserPrompts.h"
#include "language/LanguageTable.h"
#include "loggers/LoggerRecords.h"
#include "text/Outcome.h"

namespace veltra {

// Where a record is written.
// The spreadsheet modes write a CSV where kSaveAs and kSaveAllAs would write the logger file;
// they leave the record's file name alone (it names the logger file shown).
enum LoggerWriteMode {
    kPrintFile = 1,
    kSaveToLoggers = 2,
    kSaveAs = 3,
    kSaveAllAs = 4,
    kCsvAs = 5,
    kCsvAllAs = 6
};

class LoggerFiles {
  public:
    // `folder` is the Loggers folder; a "/" is added when missing.
    LoggerFiles(UserPrompts& prompts, const LanguageTable& texts, std::string folder);

    const std::string& folder() const { return folder_; }
    std::string printFilePath() const { return folder_ + "print.temp"; }

    // Writes the record of `kind` (kShowTv, kShowDown, kShowModem) in `mode`; except for the
    // print file, the record's file name becomes the path written. `dialog` is the viewer's
    // save dialog (kSaveAs) or the confirmed save-all dialog (kSaveAllAs). Failures: Cancelled
    // (no file chosen), Declined (an existing file kept), BadRecord (a TV record of neither
    // type: nothing is written rather than half a file), FileUnwritable.
    Outcome<Done> write(LoggerRecords& records, int kind, int mode,
                        FileDialogState* dialog = nullptr);

    // Asks for a logger file and reads it into the record of its kind. Failures: Cancelled,
    // WrongFileKind (the name's extension), FileUnreadable, BadFile (unknown kind, too many
    // records), BadRecord (a bad row: the detail holds row x 1000 + error).
    Outcome<LoggerKindShown> OpenLogger(FileDialogState& dialog, LoggerRecords& records);

  private:
    Outcome<std::string> pathFor(int mode, FileDialogState* dialog, const std::string& name,
                                 const char* extension);

    UserPrompts& prompts_;
    const LanguageTable& texts_;
    std::string folder_;
};

}  // namespace veltra
