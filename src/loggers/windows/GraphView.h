// The logger graph the three viewers share: each channel's level as a bar at its frequency
// (analog and digital in two colours, red outside the limits), the threshold as a line, MER or
// C/N as points on a second axis; a second logger as the second bar of each pair. Hovering a
// bar shows its channel's row. The shapes come from LayoutGraph; this widget only paints them,
// on screen and into a picture.
#pragma once

#include "text/Files.h"

#include <QStringList>
#include <QWidget>
#include <functional>

#include "loggers/LoggerGraph.h"

namespace veltra {

class GraphView : public QWidget {
    Q_OBJECT
  public:
    explicit GraphView(QWidget* parent = nullptr);

    void setChannels(std::vector<GraphChannel> channels, std::vector<GraphChannel> second,
                     const Limits& limits, std::optional<double> threshold);
    // The text shown while the mouse is over a bar: the channel's row values.
    void setHoverText(std::function<QString(const GraphBar&)> text) {
        hoverText_ = std::move(text);
    }
    // The names of the two series, shown in the legend while a second logger is drawn.
    void setLegend(QString first, QString second) {
        legend_ = {std::move(first), std::move(second)};
        update();
    }
    // The legend's words for what the graph draws.
    struct Words {
        QString analog, digital, outside, threshold, limits;
    };
    // The unit of the level axis' labels (the channels' levels stay dBuV).
    void setLevelUnit(LevelUnit unit) {
        unit_ = unit;
        update();
    }
    void setWords(Words words) {
        words_ = std::move(words);
        update();
    }
    // Lines a saved picture carries above the graph (the logger, its date, the limits): it is
    // read by people who do not have the program.
    void setCaption(QStringList lines) { caption_ = std::move(lines); }
    // The words over a graph that shares its window with another ("Upstream channels").
    void setTitle(QString title) {
        title_ = std::move(title);
        update();
    }
    // Paints the graph over `size`; the widget and "Save graph as..." share it.
    void paintGraph(QPainter& painter, QSize size) const;
    // The legend's entries for what is drawn: a swatch's kind and its words.
    enum class Swatch { Analog, Digital, Outside, Quality, Threshold, Limit, First, Second };
    std::vector<std::pair<Swatch, QString>> legendEntries(const GraphLayout& layout) const;
    // One picture of `graphs`, one under the other, each `size` under its caption.
    static FileWrite SavePng(const std::string& path, const std::vector<const GraphView*>& graphs,
                             QSize size);

    static const QColor kAnalog, kDigital, kOutside;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    std::vector<GraphChannel> channels_, second_;
    Limits limits_;
    std::optional<double> threshold_;
    std::function<QString(const GraphBar&)> hoverText_;
    std::pair<QString, QString> legend_;
    QStringList caption_;
    Words words_;
    LevelUnit unit_ = LevelUnit::dBuV;
    // The strip over the plot for the title and the legend: its height at `width`.
    int headerHeight(const QFontMetrics& metrics, int width) const;
    QString title_;
};

}  // namespace veltra
