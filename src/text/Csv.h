// Comma-separated values for spreadsheets, as RFC 4180 writes them: a field holding a comma, a
// double quote or a line break goes in double quotes with its quotes doubled; every record ends
// with CR LF. Plain C++.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/Outcome.h"

namespace veltra {

// One record, CR LF included.
std::string CsvRecord(const std::vector<std::string>& fields);

struct CsvRow {
    int line = 0;  // the line of the text the record starts on (1 is the first)
    std::vector<std::string> fields;
};

// Reads CSV text: quoted fields may hold commas, doubled quotes and line breaks; records end with
// CR LF or LF; a UTF-8 byte order mark is skipped; empty lines are no records. A quote left open
// fails with BadFile and the line it opened on as the detail.
Outcome<std::vector<CsvRow>> ParseCsv(std::string_view text);

}  // namespace veltra
