// The report a technician hands over at the end of a job: who measured where and for which work
// order, what was measured and when, whether it passed and why, on which limits. Plain content;
// the windows lay it on pages for a PDF, the printer and a picture.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "language/LanguageTable.h"
#include "loggers/Verdicts.h"

namespace veltra {

// The instrument the logger was measured with, where known (empty texts when not).
struct ReportInstrument {
    std::string model, serial;
    bool simulated = false;  // said beside the model: the logger was never measured
};

// What the technician says of the job, asked before a report and remembered.
struct ReportDetails {
    std::string technician, site, workOrder, note;
};

using LabelledValues = std::vector<std::pair<std::string, std::string>>;

// A table of the report: its rows as the viewer shows them, the failing ones marked.
struct ReportTable {
    std::string title;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> fails;
};

struct LoggerReport {
    std::string title;     // "Measurement report: TV logger NORTH-HE"
    LabelledValues facts;  // the job, the instrument, the logger
    bool pass = false;
    std::string verdict;               // "Fail: 10 of 11 channels pass; first failing: ..."
    std::vector<std::string> figures;  // each network figure with its limit
    std::string comparison;            // the logger compared with, when one is
    std::vector<ReportTable> tables;
    std::string limitSet;   // "Limit set: Subscriber outlet, 256QAM"
    LabelledValues limits;  // each limit's words and value
    std::string footer;     // "Made 10/12/2026 11:40 with VELTRA-52 Software v1.21"
};

// The report's head and verdict for a logger: the details given (empty ones left out), the
// instrument's model and serial number when known, the logger's kind, name, plan, date and time;
// the verdict with the summary, the figures, the limit set's values (levels in `unit`).
LoggerReport ReportOf(const std::string& kind, const std::string& name, const std::string& plan,
                      const std::string& date, const std::string& time,
                      const ReportDetails& details, const ReportInstrument& instrument,
                      const LoggerVerdict& verdict, const LimitSet& limits,
                      const LanguageTable& texts, LevelUnit unit);

// A table too wide for its page, as tables that fit: `widths` are its columns' (the first the
// rows' number, the last the verdict), `room` the page's width, `lastAtLeast` what the verdict
// needs. Each part holds column indexes: the first column, as many of the next as fit, and the
// last; every column is in some part, the verdict in each. One part when the whole table fits.
std::vector<std::vector<std::size_t>> TableParts(const std::vector<double>& widths, double room,
                                                 double lastAtLeast);
// The part of `table` with the columns `columns`.
ReportTable TablePart(const ReportTable& table, const std::vector<std::size_t>& columns);

// The limit set's values in words: ranges "min .. max", levels in `unit`.
LabelledValues LimitSetValues(const LimitSet& limits, const LanguageTable& texts, LevelUnit unit);

}  // namespace veltra
