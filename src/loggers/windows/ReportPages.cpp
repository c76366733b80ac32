#include "loggers/windows/ReportPages.h"

#include <QBuffer>
#include <QPdfWriter>
#include <algorithm>

#include "language/TextKeys.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {

namespace {

// A4 in points, its margins, the footer's band.
constexpr double kPageWidth = 595.3, kPageHeight = 841.9, kMargin = 42, kFooter = 24;
constexpr double kWidth = kPageWidth - 2 * kMargin;
// A table's smallest font, and the least room its verdict column gets.
constexpr double kSmallestTableFont = 6, kVerdictWidth = 90;
const QColor kFailingRow(255, 205, 205), kHeaderRow(220, 220, 220);

// The pen that writes down the pages: where it is, in points, and how to start the next page.
class PageWriter {
  public:
    PageWriter(QPainter& painter, double dpi, const std::function<void()>& newPage, int pages,
               QString footer, const LanguageTable& texts)
        : p_(painter),
          k_(dpi / 72),
          newPage_(newPage),
          pages_(pages),
          footer_(std::move(footer)),
          texts_(texts) {}

    double pt(double points) const { return points * k_; }
    void font(double size, bool bold = false) {
        QFont f = p_.font();
        f.setPointSizeF(size);
        f.setBold(bold);
        p_.setFont(f);
    }
    // The height of `text` wrapped at `width` points, in points, in the current font.
    double heightOf(const QString& text, double width) const {
        return p_.boundingRect(QRectF(0, 0, pt(width), 1e7), Qt::TextWordWrap, text).height() / k_;
    }
    // Room for `height` points on this page, else the next.
    void room(double height) {
        if (y_ + height <= kPageHeight - kMargin - kFooter || y_ == kMargin) return;
        endPage();
        newPage_();
        ++page_;
        y_ = kMargin;
        if (onNewPage_) onNewPage_();
    }
    // A paragraph across the page (or from `left`, `width` wide), wrapped.
    void paragraph(const QString& text, double size, bool bold = false, QColor colour = Qt::black,
                   double gapAfter = 4) {
        font(size, bold);
        const double height = heightOf(text, kWidth);
        room(height);
        p_.setPen(colour);
        p_.drawText(QRectF(pt(kMargin), pt(y_), pt(kWidth), pt(height) + 2), Qt::TextWordWrap,
                    text);
        y_ += height + gapAfter;
    }
    // Labelled values in two columns of pairs.
    void facts(const LabelledValues& values, double size, double labelWidth = 110) {
        const double half = kWidth / 2;
        for (std::size_t k = 0; k < values.size(); k += 2) {
            double height = 0;
            for (std::size_t j = k; j < std::min(k + 2, values.size()); ++j) {
                font(size, true);
                height = std::max(height, heightOf(toQt(values[j].first), labelWidth - 4));
                font(size);
                height = std::max(height, heightOf(toQt(values[j].second), half - labelWidth - 8));
            }
            room(height);
            for (std::size_t j = k; j < std::min(k + 2, values.size()); ++j) {
                const double left = kMargin + (j - k) * half;
                font(size, true);
                p_.setPen(Qt::black);
                p_.drawText(QRectF(pt(left), pt(y_), pt(labelWidth - 4), pt(height) + 2),
                            Qt::TextWordWrap, toQt(values[j].first));
                font(size);
                p_.drawText(QRectF(pt(left + labelWidth), pt(y_), pt(half - labelWidth - 8),
                                   pt(height) + 2),
                            Qt::TextWordWrap, toQt(values[j].second));
            }
            y_ += height + 2;
        }
        y_ += 4;
    }
    // A picture at the page's width.
    void picture(const QImage& image) {
        if (image.isNull()) return;
        const double height = kWidth * image.height() / image.width();
        room(height);
        p_.drawImage(QRectF(pt(kMargin), pt(y_), pt(kWidth), pt(height)), image);
        y_ += height + 8;
    }
    // A table as wide as the page: the columns that fit, in as many tables as it takes, each
    // with the rows' numbers first and the verdict last (a comparison's differences do not fit
    // beside the full values).
    void table(const ReportTable& t) {
        if (t.header.empty()) return;
        std::vector<double> widths(t.header.size(), 0);
        auto measure = [&](const std::vector<std::string>& row) {
            const QFontMetricsF metrics = p_.fontMetrics();
            for (std::size_t c = 0; c < widths.size() && c < row.size(); ++c)
                widths[c] = std::max(widths[c], metrics.horizontalAdvance(toQt(row[c])) / k_ + 6);
        };
        font(kSmallestTableFont, true);
        measure(t.header);
        font(kSmallestTableFont);
        for (const auto& row : t.rows)
            measure(row);
        const auto parts = TableParts(widths, kWidth, kVerdictWidth);
        if (parts.size() == 1) return tableThatFits(t);
        for (const auto& part : parts)
            tableThatFits(TablePart(t, part));
    }
    // A table whose last column (the verdict) takes the room the others leave and wraps; its
    // header again on each new page; failing rows shaded.
    void tableThatFits(const ReportTable& t) {
        if (t.header.empty()) return;
        const std::size_t columns = t.header.size();
        double size = 7;
        std::vector<double> widths(columns, 0);
        for (;; size -= 0.5) {
            std::fill(widths.begin(), widths.end(), 0);
            auto measure = [&](const std::vector<std::string>& row) {
                const QFontMetricsF metrics = p_.fontMetrics();
                for (std::size_t c = 0; c + 1 < columns && c < row.size(); ++c)
                    widths[c] =
                        std::max(widths[c], metrics.horizontalAdvance(toQt(row[c])) / k_ + 6);
            };
            font(size, true);
            measure(t.header);
            font(size);
            for (const auto& row : t.rows)
                measure(row);
            double used = 0;
            for (std::size_t c = 0; c + 1 < columns; ++c)
                used += widths[c];
            widths[columns - 1] = kWidth - used;
            if (widths[columns - 1] >= kVerdictWidth || size <= kSmallestTableFont) break;
        }
        auto drawRow = [&](const std::vector<std::string>& row, bool header, bool failing) {
            font(size, header);
            double height = p_.fontMetrics().height() / k_;
            if (row.size() == columns)
                height = std::max(height, heightOf(toQt(row.back()), widths.back() - 4));
            height += 3;
            room(height);  // may repeat the header, in its font
            font(size, header);
            if (header || failing)
                p_.fillRect(QRectF(pt(kMargin), pt(y_), pt(kWidth), pt(height)),
                            header ? kHeaderRow : kFailingRow);
            double x = kMargin;
            p_.setPen(Qt::black);
            for (std::size_t c = 0; c < columns && c < row.size(); ++c) {
                p_.drawText(QRectF(pt(x + 2), pt(y_ + 1.5), pt(widths[c] - 4), pt(height)),
                            Qt::TextWordWrap, toQt(row[c]));
                x += widths[c];
            }
            p_.setPen(QColor(190, 190, 190));
            p_.drawLine(QPointF(pt(kMargin), pt(y_ + height)),
                        QPointF(pt(kMargin + kWidth), pt(y_ + height)));
            y_ += height;
        };
        if (!t.title.empty()) paragraph(toQt(t.title), 9, true, Qt::black, 2);
        onNewPage_ = [&] { drawRow(t.header, true, false); };
        drawRow(t.header, true, false);
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            drawRow(t.rows[r], false, r < t.fails.size() && t.fails[r]);
        onNewPage_ = nullptr;
        y_ += 8;
    }
    void gap(double points) { y_ += points; }
    // The last page's footer; the number of pages.
    int end() {
        endPage();
        return page_;
    }

  private:
    void endPage() {
        font(7);
        p_.setPen(QColor(90, 90, 90));
        const QRectF band(pt(kMargin), pt(kPageHeight - kMargin - 10), pt(kWidth), pt(12));
        p_.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, footer_);
        if (pages_ > 0)
            p_.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                        toQt(FillIn(texts_.text(text::kReportPage),
                                    {std::to_string(page_), std::to_string(pages_)})));
    }

    QPainter& p_;
    double k_;
    const std::function<void()>& newPage_;
    int pages_;
    QString footer_;
    const LanguageTable& texts_;
    double y_ = kMargin;
    int page_ = 1;
    std::function<void()> onNewPage_;
};

}  // namespace

ReportPages::ReportPages(LoggerReport report, std::vector<QImage> graphs,
                         const LanguageTable& texts)
    : report_(std::move(report)), graphs_(std::move(graphs)), texts_(texts) {}

int ReportPages::paint(QPainter& painter, double dpi, const std::function<void()>& newPage,
                       int pages) const {
    PageWriter page(painter, dpi, newPage, pages, toQt(report_.footer), texts_);
    page.paragraph(toQt(report_.title), 15, true, Qt::black, 8);
    page.facts(report_.facts, 8.5);
    page.paragraph(toQt(report_.verdict), 11, true, report_.pass ? kPassColour : kFailColour, 4);
    if (!report_.figures.empty()) {
        page.paragraph(toQt(texts_.text(text::kReportFigures)), 9, true, Qt::black, 1);
        for (const std::string& figure : report_.figures)
            page.paragraph(toQt(figure), 8, false, Qt::black, 0.5);
        page.gap(6);
    }
    for (const QImage& graph : graphs_)
        page.picture(graph);
    if (!report_.comparison.empty()) page.paragraph(toQt(report_.comparison), 8);
    for (const ReportTable& table : report_.tables)
        page.table(table);
    page.paragraph(toQt(report_.limitSet), 9, true, Qt::black, 2);
    page.facts(report_.limits, 7.5, 150);
    return page.end();
}

int ReportPages::pageCount() const {
    return static_cast<int>(pictures(72).size());
}

std::string ReportPages::pdf() const {
    // Laid once to count the pages, then again with "Page 1 of N".
    auto write = [this](QIODevice& device, int pages) {
        QPdfWriter writer(&device);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(300);
        writer.setTitle(toQt(report_.title));
        writer.setCreator(toQt(report_.footer));
        QPainter painter(&writer);
        const std::function<void()> next = [&writer] { writer.newPage(); };
        return paint(painter, writer.resolution(), next, pages);
    };
    QByteArray counted;
    QBuffer counting(&counted);
    counting.open(QIODevice::WriteOnly);
    const int pages = write(counting, 0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer, pages);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::vector<QImage> ReportPages::pictures(double dpi) const {
    const QSize size(qRound(kPageWidth / 72 * dpi), qRound(kPageHeight / 72 * dpi));
    auto blank = [&] {
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        return image;
    };
    auto draw = [&](int pages) {
        std::vector<QImage> images{blank()};
        QPainter painter(&images.back());
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const std::function<void()> next = [&] {
            // The painter moves on to a fresh picture, its font kept.
            const QFont font = painter.font();
            painter.end();
            images.push_back(blank());
            painter.begin(&images.back());
            painter.setFont(font);
        };
        paint(painter, dpi, next, pages);
        painter.end();
        return images;
    };
    return draw(static_cast<int>(draw(0).size()));
}

}  // namespace veltra
