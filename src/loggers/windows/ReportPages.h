// A report laid on A4 pages, once, for every way it leaves the program: a PDF file, the printer,
// and pictures of its pages. Measured in points (1/72 inch) from the page's corner; each page
// ends with its number.
#pragma once

#include <QImage>
#include <QPainter>
#include <functional>
#include <string>
#include <vector>

#include "loggers/LoggerReport.h"

namespace veltra {

class ReportPages {
  public:
    // `graphs`: pictures of the viewer's graphs, drawn at the page's width under the verdict.
    ReportPages(LoggerReport report, std::vector<QImage> graphs, const LanguageTable& texts);

    // Paints the pages on `painter`, whose device has `dpi` dots per inch and an A4 page;
    // `newPage` moves it to the next. `pages` is the number written in "Page 1 of N" (0 while
    // counting). The number of pages painted.
    int paint(QPainter& painter, double dpi, const std::function<void()>& newPage, int pages) const;

    // The number of pages the report takes.
    int pageCount() const;
    // The report as a PDF document; empty when Qt cannot make one.
    std::string pdf() const;
    // Pictures of the pages at `dpi`.
    std::vector<QImage> pictures(double dpi) const;

  private:
    LoggerReport report_;
    std::vector<QImage> graphs_;
    const LanguageTable& texts_;
};

}  // namespace veltra
