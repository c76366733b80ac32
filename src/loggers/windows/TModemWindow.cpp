#include "loggers/windows/TModemWindow.h"

#include <QStyle>
#include <algorithm>

#include "language/TextKeys.h"
#include "widgets/QtText.h"

namespace veltra {

namespace {

// The tables' widths and each column's least width when the window opens at its own size.
constexpr int kDownWidth = 489, kUpWidth = 641;
constexpr int kDownColumns[8] = {20, 50, 80, 90, 85, 80, 70, 60};
constexpr int kUpColumns[9] = {20, 20, 90, 85, 80, 135, 120, 70, 60};
constexpr int kMargin = 32, kDownHeight = 193, kUpHeight = 109;

}  // namespace

TModemWindow::TModemWindow(QWidget* parent)
    : LoggerViewer("ModemWindow", window_text::kModemViewer,
                   {{32, 24},
                    {32, 108, 715, 40},
                    {344, 36},
                    {473, 36},
                    144,
                    {344, 68},
                    {473, 68},
                    {32, 512}},
                   parent) {
    TaulaRegistre1 = table("TaulaRegistre1", {kMargin, 168, kDownWidth, kDownHeight}, 8, 9);
    TaulaRegistre2 = table("TaulaRegistre2", {kMargin, 384, kUpWidth, kUpHeight}, 9, 5);
    // The upstream channels' transmit levels (their limits kept where they always were) and the
    // downstream channels' levels with their MER, side by side under the tables, each titled.
    UpGraph = addGraph("modem", kShowModem, text::kUpstreamGraph);
    DownGraph = addGraph("modem-downstream", kShowDown, text::kDownstreamGraph);
    showRowsOnHover(UpGraph, TaulaRegistre2,
                    [this] { return ModemGraphChannels(records_->modem); });
    showRowsOnHover(DownGraph, TaulaRegistre1,
                    [this] { return ModemDownGraphChannels(records_->modem); });
    // It opens with room for the graphs where the screen has it (see fitTables).
    for (int row = 1; row <= 8; ++row)
        TaulaRegistre1->setCell(0, row, QString::number(row));
    for (int row = 1; row <= 4; ++row)
        TaulaRegistre2->setCell(0, row, QString::number(row));
}

void TModemWindow::applyLanguageTexts(const LanguageTable& texts) {
    LoggerViewer::applyLanguageTexts(texts);
    UpGraph->setTitle(toQt(texts.text(text::kUpstreamGraph)));
    DownGraph->setTitle(toQt(texts.text(text::kDownstreamGraph)));
    for (int column = 1; column < 7; ++column)
        TaulaRegistre1->setCell(column, 0,
                                toQt(texts.text(window_text::kModemDownHeaders[column - 1])));
    for (int column = 1; column < 8; ++column)
        TaulaRegistre2->setCell(column, 0,
                                toQt(texts.text(window_text::kModemUpHeaders[column - 1])));
    TaulaRegistre1->setCell(7, 0, toQt(texts.text(text::kVerdictHeader)));
    TaulaRegistre2->setCell(8, 0, toQt(texts.text(text::kVerdictHeader)));
    TaulaRegistre1->setDefaultRowHeight(20);
    TaulaRegistre2->setDefaultRowHeight(20);
    fitTables();
}

void TModemWindow::showRecord() {
    if (!records_) return;
    const ModemLogger& modem = records_->modem;
    showCommonFields();
    for (std::size_t row = 0; row < modem.down.size(); ++row)
        ShowRow(TaulaRegistre1, static_cast<int>(row) + 1, modem.down[row], 1);
    for (std::size_t row = 0; row < modem.up.size(); ++row)
        ShowRow(TaulaRegistre2, static_cast<int>(row) + 1, modem.up[row], 1);
    showLevels(TaulaRegistre1, 4);
    showLevels(TaulaRegistre2, 3);
    const LoggerVerdict verdict = JudgeModemLogger(modem, limitSet());
    showVerdicts(TaulaRegistre1, verdict);
    showVerdicts(TaulaRegistre2, verdict, true);
    showSummary(verdict);
    auto down = ModemDownGraphChannels(modem);
    MarkFailures(down, verdict);
    DownGraph->setChannels(down, {}, limits(1), std::nullopt);
    auto up = ModemGraphChannels(modem);
    MarkFailures(up, verdict, true);
    UpGraph->setChannels(up, {}, limits(0), std::nullopt);
    fitTables();
}

void TModemWindow::fitTables() {
    // Every column as wide as its header and cells, an empty table's too; the last one takes
    // what the window's width adds.
    const std::pair<StringGrid*, const int*> tables[] = {{TaulaRegistre1, kDownColumns},
                                                         {TaulaRegistre2, kUpColumns}};
    for (std::size_t k = 0; k < 2; ++k) {
        const auto& [grid, minimum] = tables[k];
        FitColumns(grid, minimum);
        const int used = ColumnsWidth(grid);
        const int room = grid->width() - used;
        const int last = grid->columnCount() - 1;
        if (room > 0) grid->setColWidth(last, grid->columnWidth(last) + room);
        neededWidth_[k] = used;
    }
    // It opens wide enough for every column where the screen has room.
    setOpeningSize(std::max(neededWidth_[0] + 2 * kMargin, neededWidth_[1] + 2 * kMargin), 746);
}

void TModemWindow::clientResized(QSize size) {
    // The tables take the window's width; one narrower than its columns scrolls, its height
    // growing by the scroll bar so that no row is hidden. The graphs share the height under
    // them, above the version label, once there is room to read one.
    const int width = size.width() - 2 * kMargin;
    TaulaRegistre1->resize(std::max(kDownWidth, width), TaulaRegistre1->height());
    TaulaRegistre2->resize(std::max(kUpWidth, width), TaulaRegistre2->height());
    fitTables();
    const std::pair<StringGrid*, int> heights[] = {{TaulaRegistre1, kDownHeight},
                                                   {TaulaRegistre2, kUpHeight}};
    for (std::size_t k = 0; k < 2; ++k) {
        StringGrid* grid = heights[k].first;
        const int bar = grid->width() < neededWidth_[k]
                            ? grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid)
                            : 0;
        grid->resize(grid->width(), heights[k].second + bar);
    }
    TaulaRegistre2->move(kMargin, TaulaRegistre1->geometry().bottom() + 24);
    const int summaryTop = TaulaRegistre2->geometry().bottom() + 12;
    Summary->setGeometry(kMargin, summaryTop, width, Summary->height());
    Summary->resize(width, summaryRoom() - 6);
    const int top = summaryTop + summaryRoom();
    const int room = size.height() - 30 - top;
    const int graphWidth = (width - 16) / 2;
    DownGraph->setGeometry(kMargin, top, graphWidth, room);
    UpGraph->setGeometry(kMargin + graphWidth + 16, top, graphWidth, room);
    DownGraph->setVisible(room >= 80);
    UpGraph->setVisible(room >= 80);
}

}  // namespace veltra
