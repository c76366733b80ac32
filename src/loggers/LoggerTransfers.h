// The Loggers tab's operations: receiving a list's index, fetching loggers into their records,
// writing and opening logger files. Plain C++ on the link, the prompts and the index grid.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "face/DeviceBusy.h"
#include "channelplans/ChannelRecord.h"
#include "language/LanguageTable.h"
#include "link/Link.h"
#include "loggers/LoggerRecords.h"
#include "loggers/PrintLayouts.h"
#include "face/UserPrompts.h"

namespace veltra {

// Which viewer to show after a fetch or an open.
enum LoggerKindShown { kShowNothing = 0, kShowTv = 1, kShowDown = 2, kShowModem = 3 };

// Writer modes.
enum LoggerWriteMode { kPrintFile = 1, kSaveToLoggers = 2, kSaveAs = 3, kSaveAllAs = 4 };

class LoggerTransfers {
  public:
    // `index` is the index grid (LoggerIndex): 5 columns, rows 1..50. `loggersFolder` ends in "/".
    LoggerTransfers(Link& link, UserPrompts& prompts, const LanguageTable& texts, TextGrid& index,
                    DeviceBusy& busy, std::string loggersFolder);

    const std::string& loggersFolder() const { return loggersFolder_; }

    LoggerRecords records;
    std::array<std::array<LoggerIndexEntry, kMaxLoggers>, 2> LoggerIndexTable{};
    std::array<int, kMaxLoggers + 1> LoggerRowMap{};  // grid row -> logger number, -1 none
    int LoggerCount = 0;

    // Receiving (false: the instrument stopped answering).
    bool ReceiveLoggerIndex(int list);
    std::optional<std::array<bool, kMaxLoggers>> GetLoggerList(int list);
    std::optional<LoggerIndexEntry> GetLoggerEntry(int number, int list);

    // 1 TV, 2 downstream, 3 modem logger loaded; -10 no IO interface; other values: failure.
    // Row -1 opens a logger file through `openDialog`.
    int FetchLogger(int row, bool tv, FileDialogState& openDialog);
    int GetTvLogger(int row);
    std::optional<TvHeader> GetTvHeader(int number);
    int GetTvRecord(int number, int record, int row);
    int GetLoggerKind(int number);
    int GetDownLogger(int row);
    int GetDownHeader(int number);
    int GetDownRow(int number, int row);
    int GetModemLogger(int row);
    int GetModemRow(int number, int code);

    // Files. `dialog` is the viewer's save dialog (mode 3) or the confirmed save-all dialog
    // (mode 4).
    int WriteTvLogger(int mode, FileDialogState* dialog = nullptr);
    int WriteDownLogger(int mode, FileDialogState* dialog = nullptr);
    int WriteModemLogger(int mode, FileDialogState* dialog = nullptr);
    int OpenLogger(FileDialogState& dialog);
    std::string printFilePath() const { return loggersFolder_ + "print.temp"; }

    // The tab. `listIndex` is the chooser's index (0 modem list, 1 TV list).
    // True when loggers were listed (the save and print buttons may be enabled).
    bool ReceiveLogButClick(int listIndex);
    void FillLoggerIndex(int list);
    void ClearLoggerIndex();
    void LoggerIndexMouseUp(bool leftButton, int column, int row);
    bool LoggerIndexSelectCell(int column, int row) const;
    // The viewer to show for the double-clicked row.
    int LoggerIndexDblClick(int listIndex);
    void SaveLogButClick(int listIndex, FileDialogState& openDialog);
    void SaveLogAsButClick(int listIndex, FileDialogState& saveAllDialog,
                           FileDialogState& openDialog);
    int OpenLogButClick(FileDialogState& openDialog);

    // Printing: the logger shown in a viewer of `kind` (kShowTv, kShowDown, kShowModem), and
    // every logger marked in the index.
    void ImprimirRegistreClick(int kind, TextPrinter& printer);
    void PrintSelButClick(int listIndex, TextPrinter& printer, FileDialogState& openDialog);

    // The cell of the last mouse release over the index grid.
    int clickedColumn = 0;
    int clickedRow = 0;

  private:
    void message(int code);
    std::optional<std::string> query(const std::string& command);
    void copyIndexRow(int row, std::string& name, std::string& time, std::string& date);
    // Writes `text` to the file of `mode`; 0, 1 (declined) or -20.
    int writeLogger(int mode, FileDialogState* dialog, const std::string& name,
                    const char* extension, const std::string& text, std::string& fileName);
    std::optional<bool> tvFlag(int listIndex);
    // Writes the loaded logger of `kind` (kShowTv, kShowDown, kShowModem) in `mode`.
    int writeRecord(int kind, int mode, FileDialogState* dialog = nullptr);
    // Writes the record of `kind` in mode 1 and prints it; false when the caller must stop.
    bool printRecord(int kind, TextPrinter& printer);
    const std::string& recordName(int kind) const;

    Link& link_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    TextGrid& index_;
    DeviceBusy& busy_;
    std::string loggersFolder_;
};

}  // namespace veltra
