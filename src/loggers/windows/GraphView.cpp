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

void GraphView::paintGraph(QPainter& painter, QSize size) const {
    const GraphLayout g =
        LayoutGraph(channels_, second_, limits_, threshold_, size.width(), size.height());
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QRectF plot = ToQt(g.plot);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(plot);
    const QFontMetrics metrics(painter.font());
    if (!title_.isEmpty()) {
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() + 30, 0, plot.width() - 60, plot.top()),
                         Qt::AlignCenter, title_);
    }
    if (g.bars.empty()) return;
    // Level axis on the left, quality on the right, frequency below.
    painter.setPen(Qt::black);
    for (double level = 0; level <= g.maxLevel; level += 10) {
        const double y = plot.bottom() - level / g.maxLevel * plot.height();
        painter.drawLine(QPointF(plot.left() - 3, y), QPointF(plot.left(), y));
        // A gap after the tick, so that it does not read as a minus sign.
        painter.drawText(QRectF(0, y - 8, plot.left() - 7, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(level, 'f', 0));
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
    painter.drawText(QRectF(0, 0, plot.left() - 5, 12), Qt::AlignRight, "dB\xC2\xB5V");
    painter.drawText(QRectF(plot.right() + 5, 0, 40, 12), Qt::AlignLeft, "dB");
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
    painter.setRenderHint(QPainter::Antialiasing);
    for (const GraphPoint& point : g.points) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(point.series == 0 ? QColor(230, 140, 20) : QColor(240, 200, 140));
        painter.drawEllipse(QPointF(point.x, point.y), 2.5, 2.5);
    }
    // Which bar of a pair is which.
    if (!second_.empty() && !legend_.first.isEmpty()) {
        const int box = metrics.height() - 4;
        double x = plot.left() + 8;
        const double y = plot.top() + 4;
        for (const auto& [text, colour] : {std::pair(legend_.first, kDigital),
                                           std::pair(legend_.second, kDigital.lighter(150))}) {
            painter.fillRect(QRectF(x, y + 2, box, box), colour);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(x + box + 4, y + metrics.ascent()), text);
            x += box + 12 + metrics.horizontalAdvance(text);
        }
    }
}

bool GraphView::SavePng(const std::string& path, const std::vector<const GraphView*>& graphs,
                        QSize size) {
    if (graphs.empty()) return false;
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
    if (!image.save(&buffer, "PNG")) return false;
    return WriteFileAtomically(path,
                               std::string(png.constData(), static_cast<std::size_t>(png.size())));
}

void GraphView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintGraph(painter, size());
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
    if (!hoverText_) return;
    const GraphLayout g = LayoutGraph(channels_, second_, limits_, threshold_, width(), height());
    const QPointF at = event->position();
    const auto bar = BarAt(g, at.x(), at.y());
    if (bar) {
        QToolTip::showText(event->globalPosition().toPoint(), hoverText_(*bar), this);
    } else {
        QToolTip::hideText();
    }
}

}  // namespace veltra
