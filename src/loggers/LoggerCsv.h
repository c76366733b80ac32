// A logger as a spreadsheet (RFC 4180, UTF-8, "." as decimal mark): its header values first, one
// record each whose first field starts with "#", then a header row with units and the table.
// The one writer for the viewers, the Loggers tab and the command line. Plain C++.
#pragma once

#include <string>

#include "loggers/LoggerRecords.h"

namespace veltra {

std::string TvLoggerCsv(const TvLogger& logger);
std::string DownLoggerCsv(const DownLogger& logger);
std::string ModemLoggerCsv(const ModemLogger& logger);
// The record of `kind` (kShowTv, kShowDown, kShowModem).
std::string LoggerCsv(const LoggerRecords& records, LoggerKindShown kind);

}  // namespace veltra
