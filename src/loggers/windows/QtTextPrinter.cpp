#include "loggers/windows/QtTextPrinter.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrintDialog>

#include "widgets/QtText.h"

namespace veltra {

QtTextPrinter::QtTextPrinter(QWidget* parent) : parent_(parent) {}

void QtTextPrinter::setPdfOutput(const QString& path) {
    pdfOnly_ = true;
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(path);
}

bool QtTextPrinter::choosePrinter() {
    if (pdfOnly_) return true;
    QPrintDialog dialog(&printer(), parent_);
    return dialog.exec() == QDialog::Accepted;
}

void QtTextPrinter::endBatch() {
    batch_ = false;
    if (document_) document_->end();
    document_.reset();
}

void QtTextPrinter::printLines(const std::vector<std::string>& lines) {
    QPainter single;
    QPainter* target = &single;
    if (batch_ && !printer().outputFileName().isEmpty()) {
        if (document_) {
            printer().newPage();  // the next logger of the document
        } else {
            printer().setDocName(toQt(title_));
            document_ = std::make_unique<QPainter>();
            if (!document_->begin(&printer())) {
                document_.reset();
                return;
            }
            ++jobs_;
        }
        target = document_.get();
    } else {
        printer().setDocName(toQt(title_));
        if (!single.begin(&printer())) return;
        ++jobs_;
    }
    QPainter& painter = *target;
    lastTitle_ = title_;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(10);
    font.setFixedPitch(true);
    painter.setFont(font);
    const int spacing = QFontMetrics(font, &printer()).height();
    const int width = printer().width();
    const auto places = PlaceLines(lines.size(), spacing, printer().height());
    int page = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (places[i].page != page) {
            printer().newPage();
            page = places[i].page;
        }
        painter.drawText(QRect(kPrintMargin, places[i].y, width - kPrintMargin, spacing),
                         Qt::AlignLeft | Qt::AlignTop, toQt(lines[i]));
    }
    if (target == &single) single.end();
}

}  // namespace veltra
