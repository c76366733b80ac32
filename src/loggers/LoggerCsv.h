// A logger as a spreadsheet (RFC 4180, UTF-8, "." as decimal mark): its header values first, one
// record each whose first field starts with "#", then a header row with units and the table.
// The one writer for the viewers, the Loggers tab and the command line. Plain C++.
#pragma once

#include <string>

#include "loggers/LoggerRecords.h"
#include "loggers/Verdicts.h"

namespace veltra {

// Levels in `unit`, their headers naming it; the instrument's own texts in dBuV.
std::string TvLoggerCsv(const TvLogger& logger, LevelUnit unit = LevelUnit::dBuV);
std::string DownLoggerCsv(const DownLogger& logger, LevelUnit unit = LevelUnit::dBuV);
std::string ModemLoggerCsv(const ModemLogger& logger, LevelUnit unit = LevelUnit::dBuV);
// The record of `kind` (kShowTv, kShowDown, kShowModem).
std::string LoggerCsv(const LoggerRecords& records, LoggerKindShown kind,
                      LevelUnit unit = LevelUnit::dBuV);

}  // namespace veltra
