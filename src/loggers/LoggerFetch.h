// Fetching from the instrument: a list's index and whole loggers into their records. Every query
// goes through the link; nothing is shown (the operations say what a failure means).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "language/LanguageTable.h"
#include "link/Link.h"
#include "loggers/LoggerIndex.h"
#include "loggers/LoggerRecords.h"
#include "text/Outcome.h"

namespace veltra {

class LoggerFetcher {
  public:
    // `texts` names the TV logger's noise modes.
    LoggerFetcher(Link& link, const LanguageTable& texts) : link_(link), texts_(texts) {}

    // The whole index of `list` into its part of `table`, absent entries included. A failed
    // exchange leaves the table as it was.
    Ended ReceiveLoggerIndex(LoggerList list, LoggerIndexTable& table);
    std::optional<std::array<bool, kMaxLoggers>> GetLoggerList(LoggerList list);
    std::optional<LoggerIndexEntry> GetLoggerEntry(int number, LoggerList list);

    // The logger of index row `row` into its record of `records`: which kind was loaded.
    // `list` is the list the row comes from. NoInstrument without an IO interface; BadRecord
    // when a record or row failed; BadAnswer for a refused header or an unknown kind.
    Outcome<LoggerKindShown> FetchLogger(const LoggerIndexRow& row, LoggerList list,
                                         LoggerRecords& records);

    // One exchange each; an empty optional (or false) on a failed or garbled answer, and
    // without a query for a logger number outside 0..49.
    std::optional<TvHeader> GetTvHeader(int number);
    bool GetTvRecord(int number, int record, TvRecord& into);
    std::optional<int> GetLoggerKind(int number);  // 0 modem, 1 downstream
    bool GetDownHeader(int number, DownLogger& into);
    bool GetDownRow(int number, int row, DownLogger& into);
    bool GetModemRow(int number, int code, ModemLogger& into);

  private:
    Outcome<LoggerKindShown> GetTvLogger(const LoggerIndexRow& row, TvLogger& tv);
    Outcome<LoggerKindShown> GetDownLogger(const LoggerIndexRow& row, DownLogger& down);
    Outcome<LoggerKindShown> GetModemLogger(const LoggerIndexRow& row, ModemLogger& modem);

    Link& link_;
    const LanguageTable& texts_;
};

}  // namespace veltra
