// Loggers as fixed-pitch text reports, and how the text printer lays the lines on pages.
// Plain C++.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "loggers/LoggerRecords.h"
#include "loggers/Verdicts.h"

namespace veltra {

// The print layouts. Each ends with "#" right after the last table row; the TV layout is empty
// (no value) when a record's type is neither "DIGITAL" nor "ANALOG". With `verdicts`, each table
// ends in a column of them under `header`.
std::optional<std::string> TvPrintLayout(const TvLogger& logger,
                                         const VerdictColumn* verdicts = nullptr,
                                         const std::string& header = {});
std::string ModemPrintLayout(const ModemLogger& logger, const VerdictColumn* verdicts = nullptr,
                             const std::string& header = {});
std::string DownPrintLayout(const DownLogger& logger, const VerdictColumn* verdicts = nullptr,
                            const std::string& header = {});

// The lines a print file puts on paper: read in pieces of at most 149 characters, each without
// its line break; the last piece, which has none, loses its last character (the "#").
std::vector<std::string> PrintedLines(const std::string& text);

// Where each line goes: page number and the y of its top, with margins of 80 device units and a
// page that is full when the next line would start below its height minus 160.
struct LinePlace {
    int page;
    int y;
};
std::vector<LinePlace> PlaceLines(std::size_t lines, int lineSpacing, int pageHeight);

inline constexpr int kPrintMargin = 80;

// The printer: a print dialog, a job title, and one job of text lines.
class TextPrinter {
  public:
    virtual ~TextPrinter() = default;
    // The print dialog; false when cancelled.
    virtual bool choosePrinter() = 0;
    virtual void SetPrintTitle(const std::string& title) = 0;
    // One print job; an empty list starts and ends an empty job.
    virtual void printLines(const std::vector<std::string>& lines) = 0;
    // Several loggers printed after one dialog. Between the two calls a printer whose output is
    // a file gathers them into that one document, each from a new page (separate jobs would
    // each replace the file); a real printer still gets one job per logger.
    virtual void beginBatch() {}
    virtual void endBatch() {}
};

// Begins a batch and ends it on every way out.
class PrintBatch {
  public:
    explicit PrintBatch(TextPrinter& printer) : printer_(printer) { printer_.beginBatch(); }
    ~PrintBatch() { printer_.endBatch(); }
    PrintBatch(const PrintBatch&) = delete;
    PrintBatch& operator=(const PrintBatch&) = delete;

  private:
    TextPrinter& printer_;
};

// 1 printed; 0 the file cannot be opened (an empty job was started and ended).
int PrintTextFile(const std::string& path, TextPrinter& printer);

}  // namespace veltra
