// The Loggers tab's operations and the viewers' save and print: the index model, fetching,
// files and printing put together. Each operation turns a failure into the numbered messages
// the person sees in one place. Plain C++ on the link and the prompts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "face/DeviceBusy.h"
#include "face/UserPrompts.h"
#include "language/LanguageTable.h"
#include "link/Link.h"
#include "loggers/LoggerFetch.h"
#include "loggers/LoggerFiles.h"
#include "loggers/LoggerIndex.h"
#include "loggers/LoggerRecords.h"
#include "loggers/PrintLayouts.h"

namespace veltra {

class LoggerTransfers {
  public:
    // `loggersFolder` is the Loggers folder (a "/" is added when missing).
    LoggerTransfers(Link& link, UserPrompts& prompts, const LanguageTable& texts, DeviceBusy& busy,
                    std::string loggersFolder);

    // The records the viewers show: the last logger fetched or opened of each kind.
    LoggerRecords records;
    const LoggerIndex& index() const { return index_; }
    LoggerIndex& index() { return index_; }
    LoggerFetcher& fetcher() { return fetcher_; }
    LoggerFiles& files() { return files_; }

    // `listIndex` is the list chooser's index: 0 the modem list, 1 the TV list.
    // True when loggers were listed (the save and print buttons may be enabled).
    bool ReceiveLogButClick(int listIndex);
    // Fetches the logger at `position` of the index: the kind to show, or kShowNothing.
    LoggerKindShown LoggerIndexDblClick(int listIndex, std::size_t position);
    // Fetches every listed logger into the Loggers folder, or beside the file chosen once.
    void SaveLogButClick(int listIndex);
    // Fetches the loggers at `positions` of the index into the Loggers folder.
    void SaveLoggers(int listIndex, const std::vector<std::size_t>& positions);
    void SaveLogAsButClick(int listIndex, FileDialogState& saveAllDialog);
    // Fetches every marked logger into a spreadsheet beside the file chosen once.
    void ExportMarkedCsv(int listIndex, FileDialogState& dialog);
    // Opens a logger file: the kind to show, or kShowNothing.
    LoggerKindShown OpenLogButClick(FileDialogState& openDialog);
    // A second TV logger file for the TV viewer's comparison; none when it cannot be read or is
    // not a TV logger (the person is told why).
    std::optional<TvLogger> OpenTvForComparison(FileDialogState& dialog);
    // A viewer's "save as" of the record of `kind`, and its export as a spreadsheet.
    void SaveRecordAs(int kind, FileDialogState& dialog);
    void ExportRecordCsv(int kind, FileDialogState& dialog);

    // Printing: the record shown in a viewer of `kind`, and every logger marked in the index.
    void ImprimirRegistreClick(int kind, TextPrinter& printer);
    void PrintSelButClick(int listIndex, TextPrinter& printer);

  private:
    void message(int code, const std::string& detail = {});
    // The list of the chooser's index; message 34 for an unknown one.
    std::optional<bool> tvFlag(int listIndex);
    // Fetches the logger at `position`, with the wait cursor; on a failure says why.
    // `noInstrument` is the message for a missing IO interface.
    bool fetch(const LoggerIndexRow& row, bool tv, LoggerKindShown& kind, int noInstrument);
    // Says why a fetch, an open or a write failed.
    // `detail`: the file that could not be read.
    void fetchFailed(Failure failure, int noInstrument, const std::string& detail = {});
    void writeFailed(Failure failure);
    // Saves the listed loggers at `positions` in `mode`; `dialog` is asked for once, before the
    // first write.
    void save(int listIndex, const std::vector<std::size_t>& positions, int mode,
              FileDialogState* dialog);
    std::vector<std::size_t> everyPosition() const;
    // Writes the record of `kind` in the print file and prints it; false when the caller must
    // stop.
    bool printRecord(int kind, TextPrinter& printer);

    Link& link_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    DeviceBusy& busy_;
    LoggerIndex index_;
    LoggerFetcher fetcher_;
    LoggerFiles files_;
};

}  // namespace veltra
