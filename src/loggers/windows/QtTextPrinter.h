// The text printer on Qt's printing: the print dialog (a technician without a printer can print
// to a PDF file there), one job per logger, a fixed-pitch font.
#pragma once

#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QWidget>
#include <memory>

#include "loggers/PrintLayouts.h"

namespace veltra {

class QtTextPrinter : public TextPrinter {
  public:
    explicit QtTextPrinter(QWidget* parent = nullptr);

    bool choosePrinter() override;
    void SetPrintTitle(const std::string& title) override { title_ = title; }
    void printLines(const std::vector<std::string>& lines) override;
    void beginBatch() override { batch_ = true; }
    void endBatch() override;

    // Prints every job into this PDF file without a dialog (tests, unattended runs).
    void setPdfOutput(const QString& path);
    int jobs() const { return jobs_; }
    const std::string& lastTitle() const { return lastTitle_; }
    // Made on first use: the printing system's start costs a noticeable part of the program's.
    QPrinter& printer() {
        if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return *printer_;
    }

  private:
    std::unique_ptr<QPrinter> printer_;
    QPointer<QWidget> parent_;
    std::string title_;
    std::string lastTitle_;
    bool pdfOnly_ = false;
    int jobs_ = 0;
    bool batch_ = false;
    // The one document of a batch printed to a file, open from its first logger to its end.
    std::unique_ptr<QPainter> document_;
};

}  // namespace veltra
