// A logger as a spreadsheet (RFC 4180, UTF-8, "." as decimal mark): its header values first, one
// record each whose first field starts with "#", then a header row with units and the table.
// The one writer for the viewers, the Loggers tab and the command line. Plain C++.
#pragma once

#include <string>

#include "loggers/LoggerRecords.h"
#include "loggers/Verdicts.h"

namespace veltra {

// How a spreadsheet gives its levels and, with a limit set, its verdicts.
struct CsvStyle {
    LevelUnit unit = LevelUnit::dBuV;
    // With a set: each table ends in a verdict column, and the header values name the set and
    // give each network figure with its limit.
    const LimitSet* limits = nullptr;
    VerdictWords words;
};

// Levels in the style's unit, their headers naming it; the instrument's own texts in dBuV.
std::string TvLoggerCsv(const TvLogger& logger, const CsvStyle& style = {});
std::string DownLoggerCsv(const DownLogger& logger, const CsvStyle& style = {});
std::string ModemLoggerCsv(const ModemLogger& logger, const CsvStyle& style = {});
// The record of `kind` (kShowTv, kShowDown, kShowModem).
std::string LoggerCsv(const LoggerRecords& records, LoggerKindShown kind,
                      const CsvStyle& style = {});

}  // namespace veltra
