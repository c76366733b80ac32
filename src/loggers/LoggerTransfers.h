// The Loggers tab's operations and the viewers' save and print: the index model, fetching,
// files and printing put together. Each operation turns a failure into the numbered messages
// the person sees in one place. Plain C++ on the link and the prompts.
#pragma once

#include <cstddef>
#include <optional>
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

    // The list of the Loggers tab's chooser at `index` (0 modem, 1 TV); message 34 for another.
    std::optional<LoggerList> ChooserList(int index);

    // Receives the index of `list` into the index model. Done also for an empty list (message 37
    // said); NoInstrument or NoAnswer (message 7 said), Busy.
    Ended ReceiveLoggerList(LoggerList list);
    // Fetches the logger at `position` of the index into its record: the kind to show.
    Outcome<LoggerKindShown> FetchListedLogger(LoggerList list, std::size_t position);
    // Fetches the loggers at `positions` of the index (SaveAllLoggers: every listed one) into the
    // Loggers folder, then says they are saved.
    Ended SaveLoggers(LoggerList list, const std::vector<std::size_t>& positions);
    Ended SaveAllLoggers(LoggerList list);
    // Fetches every listed logger beside the file chosen once in `dialog`.
    Ended SaveAllLoggersAs(LoggerList list, FileDialogState& dialog);
    // Fetches every marked logger into a spreadsheet beside the file chosen once.
    Ended ExportMarkedCsv(LoggerList list, FileDialogState& dialog);
    // Opens a logger file into its record: the kind to show.
    Outcome<LoggerKindShown> OpenLoggerFile(FileDialogState& dialog);
    // A second TV logger file for the TV viewer's comparison; none when it cannot be read or is
    // not a TV logger (the person is told why).
    std::optional<TvLogger> OpenTvForComparison(FileDialogState& dialog);
    // A viewer's "save as" of the record of `kind`, and its export as a spreadsheet.
    Ended SaveRecordAs(LoggerKindShown kind, FileDialogState& dialog);
    Ended ExportRecordCsv(LoggerKindShown kind, FileDialogState& dialog);

    // Printing, after the printer dialog: the record shown in a viewer of `kind`, and every
    // logger marked in the index (one dialog for them all).
    Ended PrintRecord(LoggerKindShown kind, TextPrinter& printer);
    Ended PrintMarkedLoggers(LoggerList list, TextPrinter& printer);

  private:
    void message(int code, const std::string& detail = {});
    Ended told(Failure failure, int code, const std::string& detail = {});
    // Fetches the logger at `position`, with the wait cursor; on a failure says why.
    // `noInstrument` is the message for a missing IO interface.
    Outcome<LoggerKindShown> fetch(const LoggerIndexRow& row, LoggerList list, int noInstrument);
    // Says why a fetch failed.
    Ended fetchFailed(Failure failure, int noInstrument);
    // Says why a logger file could not be opened: the file, and where and why.
    Ended openFailed(Failure failure, const std::string& detail);
    // Says why a write failed: the file and the system's reason.
    Ended writeFailed(const Ended& written);
    // Saves the listed loggers at `positions` in `mode`; `dialog` is asked for once, before the
    // first write.
    Ended save(LoggerList list, const std::vector<std::size_t>& positions, LoggerWriteMode mode,
               FileDialogState* dialog);
    std::vector<std::size_t> everyPosition() const;
    // Writes the record of `kind` in the print file and prints it.
    Ended printRecord(LoggerKindShown kind, TextPrinter& printer);

    Link& link_;
    UserPrompts& prompts_;
    const LanguageTable& texts_;
    DeviceBusy& busy_;
    LoggerIndexTable indexTable_;
    LoggerIndex index_;
    LoggerFetcher fetcher_;
    LoggerFiles files_;
};

}  // namespace veltra
