#include "loggers/windows/GraphView.h"

#include <QBuffer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

#include "text/Files.h"

namespace veltra {

const QColor GraphView::kAnalog(59, 111, 182);
const QColor GraphView::kDigital(58, 154, 74);
const QColor GraphView::kOutside(208, 48, 48);

namespace {

constexpr double kQualityScale = 60;

// A step for about `count` ticks over `span`: 1, 2 or 5 times a power of ten.
double TickStep(double span, int count) {
    const double raw = span / std::max(count, 1);
    const double power = std::pow(10.0, std::floor(std::log10(std::max(raw, 1e-9))));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw) return factor * power;
    }
    return 10 * power;
}

QRectF ToQt(const GraphRect& r) {
    return {r.left, r.top, r.width, r.height};
}

}  // namespace

GraphView::GraphView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumHeight(80);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphView::setChannels(std::vector<GraphChannel> channels, std::vector<GraphChannel> second,
                            const Limits& limits, std::optional<double> threshold) {
    channels_ = std::move(channels);
    second_ = std::move(second);
    limits_ = limits;
    threshold_ = threshold;
    update();
}

std::vector<std::pair<GraphView::Swatch, QString>> GraphView::legendEntries(
    const GraphLayout& g) const {
    std::vector<std::pair<Swatch, QString>> entries;
    if (g.bars.empty()) return entries;
    bool analog = false, digital = false, outside = false;
    for (const GraphBar& bar : g.bars) {
        (bar.digital ? digital : analog) = true;
        outside = outside || bar.outside;
    }
    if (!second_.empty() && !legend_.first.isEmpty()) {
        entries.push_back({Swatch::First, legend_.first});
        entries.push_back({Swatch::Second, legend_.second});
    }
    if (analog) entries.push_back({Swatch::Analog, words_.analog});
    if (digital) entries.push_back({Swatch::Digital, words_.digital});
    if (outside) entries.push_back({Swatch::Outside, words_.outside});
    bool mer = false, cn = false;
    for (const LimitLine& line : g.limitLines) {
        mer = mer || line.kind == LimitLine::MinMer;
        cn = cn || line.kind == LimitLine::MinCn;
    }
    if (mer || cn)
        entries.push_back({Swatch::Quality, mer && cn ? "MER, C/N" : mer ? "MER" : "C/N"});
    if (g.thresholdY) entries.push_back({Swatch::Threshold, words_.threshold});
    entries.push_back({Swatch::Limit, words_.limits});
    return entries;
}

namespace {

const QColor kQuality(230, 140, 20);
const QColor kLimit(120, 60, 160);

// A legend entry's width: its swatch, a gap, its words and the space to the next.
int EntryWidth(const QFontMetrics& metrics, const QString& words) {
    return 14 + 4 + metrics.horizontalAdvance(words) + 12;
}

}  // namespace

int GraphView::headerHeight(const QFontMetrics& metrics, int width) const {
    // The title, then the legend's entries in rows as wide as the graph.
    const GraphLayout g = LayoutGraph(channels_, second_, limits_, threshold_, width, 400);
    int rows = 1, x = title_.isEmpty() ? 0 : metrics.horizontalAdvance(title_) + 16;
    for (const auto& [swatch, words] : legendEntries(g)) {
        const int w = EntryWidth(metrics, words);
        if (x > 0 && x + w > width - 8) {
            ++rows;
            x = 0;
        }
        x += w;
    }
    return rows * (metrics.height() + 2) + 4;
}

void GraphView::paintGraph(QPainter& painter, QSize size) const {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QFontMetrics metrics(painter.font());
    // The title and the legend over the plot, the plot under them.
    const int header = headerHeight(metrics, size.width());
    const GraphLayout g = LayoutGraph(channels_, second_, limits_, threshold_, size.width(),
                                      std::max(0, size.height() - header));
    {
        double x = 8, y = 3;
        const double rowHeight = metrics.height() + 2;
        painter.setPen(Qt::black);
        if (!title_.isEmpty()) {
            painter.drawText(QPointF(x, y + metrics.ascent()), title_);
            x += metrics.horizontalAdvance(title_) + 16;
        }
        for (const auto& [swatch, words] : legendEntries(g)) {
            const int w = EntryWidth(metrics, words);
            if (x > 8 && x + w > size.width() - 8) {
                x = 8;
                y += rowHeight;
            }
            const QRectF box(x, y + metrics.ascent() * 0.25, 14, metrics.ascent() * 0.7);
            const double middle = box.center().y();
            switch (swatch) {
                case Swatch::Analog:
                    painter.fillRect(box, kAnalog);
                    break;
                case Swatch::Digital:
                case Swatch::First:
                    painter.fillRect(box, kDigital);
                    break;
                case Swatch::Second:
                    painter.fillRect(box, kDigital.lighter(150));
                    break;
                case Swatch::Outside:
                    painter.fillRect(box, kOutside);
                    painter.fillRect(box, QBrush(Qt::white, Qt::BDiagPattern));
                    break;
                case Swatch::Quality:
                    painter.setPen(Qt::NoPen);
                    painter.setBrush(kQuality);
                    painter.drawEllipse(box.center(), 3, 3);
                    painter.setBrush(Qt::NoBrush);
                    break;
                case Swatch::Threshold:
                    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
                    painter.drawLine(QPointF(box.left(), middle), QPointF(box.right(), middle));
                    break;
                case Swatch::Limit:
                    painter.setPen(QPen(kLimit, 1.5, Qt::DotLine));
                    painter.drawLine(QPointF(box.left(), middle), QPointF(box.right(), middle));
                    break;
            }
            painter.setPen(Qt::black);
            painter.drawText(QPointF(x + 18, y + metrics.ascent()), words);
            x += w;
        }
    }
    painter.translate(0, header);
    const QRectF plot = ToQt(g.plot);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(plot);
    if (g.bars.empty()) {
        painter.translate(0, -header);
        return;
    }
    // Level axis on the left, quality on the right, frequency below.
    painter.setPen(Qt::black);
    for (double level = 0; level <= g.maxLevel; level += 10) {
        const double y = plot.bottom() - level / g.maxLevel * plot.height();
        painter.drawLine(QPointF(plot.left() - 3, y), QPointF(plot.left(), y));
        // A gap after the tick, so that it does not read as a minus sign.
        painter.drawText(QRectF(0, y - 8, plot.left() - 7, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(LevelIn(level, unit_), 'f', 0));
    }
    for (double quality = 0; quality <= kQualityScale; quality += 10) {
        const double y = plot.bottom() - quality / kQualityScale * plot.height();
        painter.drawLine(QPointF(plot.right(), y), QPointF(plot.right() + 3, y));
        painter.drawText(QRectF(plot.right() + 7, y - 8, 40, 16), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(quality, 'f', 0));
    }
    const double step = TickStep(g.maxMHz - g.minMHz, std::max(2, int(plot.width() / 70)));
    // The unit's place at the axis' right end; a frequency label that would run into it is left
    // out, its tick stays.
    const double unitLeft = plot.right() + 30 - metrics.horizontalAdvance("MHz") - 6;
    for (double mhz = std::ceil(g.minMHz / step) * step; mhz <= g.maxMHz; mhz += step) {
        const double x = plot.left() + (mhz - g.minMHz) / (g.maxMHz - g.minMHz) * plot.width();
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
        const QString label = QString::number(mhz, 'f', step < 1 ? 1 : 0);
        if (x + metrics.horizontalAdvance(label) / 2.0 >= unitLeft) continue;
        painter.drawText(QRectF(x - 40, plot.bottom() + 4, 80, metrics.height()), Qt::AlignHCenter,
                         label);
    }
    painter.drawText(QRectF(0, plot.top() - 16, plot.left() - 5, 14),
                     Qt::AlignRight | Qt::AlignBottom, QString::fromUtf8(LevelUnitName(unit_)));
    painter.drawText(QRectF(plot.right() + 5, plot.top() - 16, 40, 14),
                     Qt::AlignLeft | Qt::AlignBottom, "dB");
    painter.drawText(QRectF(plot.right() - 60, plot.bottom() + 4, 60 + 30, metrics.height()),
                     Qt::AlignRight, "MHz");
    for (const GraphBar& bar : g.bars) {
        QColor colour = bar.outside ? kOutside : bar.digital ? kDigital : kAnalog;
        if (bar.series == 1) colour = colour.lighter(150);
        painter.fillRect(ToQt(bar.rect), colour);
        // Not by colour alone: a bar outside the limits is also hatched.
        if (bar.outside) painter.fillRect(ToQt(bar.rect), QBrush(Qt::white, Qt::BDiagPattern));
    }
    if (g.thresholdY) {
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.drawLine(QPointF(plot.left(), *g.thresholdY), QPointF(plot.right(), *g.thresholdY));
    }
    // Each limit as a dotted line with its value, the level limits' at the left end, the
    // quality limits' (on the right axis) at the right end.
    const QFont base = painter.font();
    QFont small = base;
    if (small.pixelSize() > 0) {
        small.setPixelSize(std::max(1, qRound(small.pixelSize() * 0.85)));
    } else {
        small.setPointSizeF(small.pointSizeF() * 0.85);
    }
    painter.setFont(small);
    const QFontMetrics smallMetrics(small);
    for (const LimitLine& line : g.limitLines) {
        if (line.y < plot.top() || line.y > plot.bottom()) continue;
        const bool quality = line.kind == LimitLine::MinMer || line.kind == LimitLine::MinCn;
        painter.setPen(QPen(quality ? kQuality.darker(130) : kLimit, 1.5, Qt::DotLine));
        painter.drawLine(QPointF(plot.left(), line.y), QPointF(plot.right(), line.y));
        // A level limit of one kind of channel names it.
        const QString label =
            (line.kind == LimitLine::MinMer  ? QString("MER ")
             : line.kind == LimitLine::MinCn ? QString("C/N ")
             : line.of == LimitLine::Analog  ? words_.analog + " "
             : line.of == LimitLine::Digital ? words_.digital + " "
                                             : QString()) +
            QString::number(quality ? line.value : LevelIn(line.value, unit_), 'f', 1);
        const double width = smallMetrics.horizontalAdvance(label) + 6;
        const QRectF box(quality ? plot.right() - width - 2 : plot.left() + 2,
                         line.y - smallMetrics.height() - 1, width, smallMetrics.height());
        painter.fillRect(box, QColor(255, 255, 255, 210));
        painter.setPen(quality ? kQuality.darker(130) : kLimit);
        painter.drawText(box, Qt::AlignCenter, label);
    }
    painter.setFont(base);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const GraphPoint& point : g.points) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(point.series == 0 ? kQuality : QColor(240, 200, 140));
        painter.drawEllipse(QPointF(point.x, point.y), 2.5, 2.5);
    }
    painter.setBrush(Qt::NoBrush);
    painter.translate(0, -header);
}

FileWrite GraphView::SavePng(const std::string& path, const std::vector<const GraphView*>& graphs,
                             QSize size) {
    if (graphs.empty()) return {std::make_error_code(std::errc::invalid_argument)};
    const QFont font = graphs.front()->font();
    const int lineHeight = QFontMetrics(font).height() + 2;
    // Each graph under its caption's lines.
    auto captionHeight = [&](const GraphView* graph) {
        const auto lines = static_cast<int>(graph->caption_.size());
        return lines ? lines * lineHeight + 8 : 0;
    };
    int height = 0;
    for (const GraphView* graph : graphs)
        height += captionHeight(graph) + size.height();
    QImage image(size.width(), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    for (const GraphView* graph : graphs) {
        painter.setPen(Qt::black);
        for (int k = 0; k < graph->caption_.size(); ++k)
            painter.drawText(QRect(8, 4 + k * lineHeight, size.width() - 16, lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, graph->caption_[k]);
        painter.translate(0, captionHeight(graph));
        graph->paintGraph(painter, size);
        painter.translate(0, size.height());
    }
    painter.end();
    // Encoded in memory and written as every file of the program is: a full disk keeps the old
    // picture.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {std::make_error_code(std::errc::io_error)};
    return WriteFileAtomically(path,
                               std::string(png.constData(), static_cast<std::size_t>(png.size())));
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGraph(painter, size());
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
    if (!hoverText_) return;
    const int header = headerHeight(fontMetrics(), width());
    const GraphLayout g = LayoutGraph(channels_, second_, limits_, threshold_, width(),
                                      std::max(0, height() - header));
    const QPointF at = event->position();
    const auto bar = BarAt(g, at.x(), at.y() - header);
    if (bar) {
        QToolTip::showText(event->globalPosition().toPoint(), hoverText_(*bar), this);
    } else {
        QToolTip::hideText();
    }
}

}  // namespace veltra
