#include "loggers/windows/TModemWindow.h"

#include "widgets/QtText.h"

namespace veltra {

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
    TaulaRegistre1 = table("TaulaRegistre1", {32, 168, 489, 193}, 7, 9);
    TaulaRegistre2 = table("TaulaRegistre2", {32, 384, 641, 109}, 8, 5);
    // The upstream channels' levels, beside the downstream table.
    addGraph("modem", kShowModem);
    showRowsOnHover(TaulaRegistre2, [this] { return ModemGraphChannels(records_->modem); });
    Graph->setGeometry(530, 168, 247, 193);
    for (int row = 1; row <= 8; ++row)
        TaulaRegistre1->setCell(0, row, QString::number(row));
    for (int row = 1; row <= 4; ++row)
        TaulaRegistre2->setCell(0, row, QString::number(row));
}

void TModemWindow::applyLanguageTexts(const LanguageTable& texts) {
    LoggerViewer::applyLanguageTexts(texts);
    const int widths1[7] = {20, 50, 80, 90, 85, 80, 70};
    for (int column = 0; column < 7; ++column) {
        TaulaRegistre1->setColWidth(column, widths1[column]);
        if (column)
            TaulaRegistre1->setCell(column, 0,
                                    toQt(texts.text(window_text::kModemDownHeaders[column - 1])));
    }
    const int widths2[8] = {20, 20, 90, 85, 80, 135, 120, 70};
    for (int column = 0; column < 8; ++column) {
        TaulaRegistre2->setColWidth(column, widths2[column]);
        if (column)
            TaulaRegistre2->setCell(column, 0,
                                    toQt(texts.text(window_text::kModemUpHeaders[column - 1])));
    }
    TaulaRegistre1->setDefaultRowHeight(20);
    TaulaRegistre2->setDefaultRowHeight(20);
}

void TModemWindow::showRecord() {
    if (!records_) return;
    const ModemLogger& modem = records_->modem;
    showCommonFields();
    for (std::size_t row = 0; row < modem.down.size(); ++row)
        ShowRow(TaulaRegistre1, static_cast<int>(row) + 1, modem.down[row], 1);
    for (std::size_t row = 0; row < modem.up.size(); ++row)
        ShowRow(TaulaRegistre2, static_cast<int>(row) + 1, modem.up[row], 1);
    static const int kMinimum1[7] = {20, 50, 80, 90, 85, 80, 70};
    static const int kMinimum2[8] = {20, 20, 90, 85, 80, 135, 120, 70};
    FitColumns(TaulaRegistre1, kMinimum1);
    FitColumns(TaulaRegistre2, kMinimum2);
    const auto channels = ModemGraphChannels(modem);
    MarkRows(TaulaRegistre2, channels, limits_);
    Graph->setChannels(channels, {}, limits_, std::nullopt);
}

void TModemWindow::clientResized(QSize size) {
    Graph->setGeometry(530, 168, size.width() - 545, size.height() - 353);
}

}  // namespace veltra
