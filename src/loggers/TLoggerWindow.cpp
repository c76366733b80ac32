#include "loggers/TLoggerWindow.h"

#include "widgets/QtText.h"

namespace veltra {

TLoggerWindow::TLoggerWindow(QWidget* parent)
    : LoggerViewer("LoggerWindow", 159,
                   {{24, 16},
                    {24, 116, 744, 28},
                    {24, 148},
                    {121, 148},
                    192,
                    {352, 148},
                    {409, 148},
                    {24, 520}},
                   parent) {
    ChPlanNameLabel = label("ChPlanNameLabel", {24, 84});
    ChPNameEdit = field("ChPNameEdit", {225, 84}, 89);
    ModeMesuraSorollLabel = label("ModeMesuraSorollLabel", {352, 20});
    ModeMesuraSorollEdit = field("ModeMesuraSorollEdit", {657, 20}, 120);
    FreqMesuraSorollLabel = label("FreqMesuraSorollLabel", {352, 52});
    FreqMesuraSorollEdit = field("FreqMesuraSorollEdit", {657, 52}, 120);
    LlindarLabel = label("LlindarLabel", {352, 84});
    LlindarEdit = field("LlindarEdit", {657, 84}, 120);
    ChPlanNameLabel->setBuddy(ChPNameEdit);
    ModeMesuraSorollLabel->setBuddy(ModeMesuraSorollEdit);
    FreqMesuraSorollLabel->setBuddy(FreqMesuraSorollEdit);
    LlindarLabel->setBuddy(LlindarEdit);
    TaulaRegistre = table("TaulaRegistre", {24, 192, 753, 313}, 12, 1);
}

void TLoggerWindow::applyLanguageTexts(const LanguageTable& texts) {
    LoggerViewer::applyLanguageTexts(texts);
    const int widths[12] = {25, 32, 67, 56, 64, 55, 68, 58, 110, 70, 81, 35};
    const char* headers[12] = {"",
                               "CH",
                               "FREQ (MHz)",
                               "BW (MHz)",
                               "OFFS (MHz)",
                               "TYPE",
                               "PWR (dB\xC2\xB5V)",
                               "SYSTEM",
                               "MOD - AUD FR (MHz)",
                               "SR - A/V (dB)",
                               "MER - C/N (dB)",
                               "BER"};
    TaulaRegistre->setColCount(12);
    for (int column = 0; column < 12; ++column) {
        TaulaRegistre->setColWidth(column, widths[column]);
        TaulaRegistre->setCell(column, 0, QString::fromUtf8(headers[column]));
    }
    TaulaRegistre->setDefaultRowHeight(20);
    auto set = [&](QLabel* target, int key) {
        target->setText(toQt(texts.text(key)));
        target->adjustSize();
    };
    set(ChPlanNameLabel, 137);
    set(ModeMesuraSorollLabel, 138);
    set(FreqMesuraSorollLabel, 139);
    set(LlindarLabel, 140);
}

void TLoggerWindow::showRecord() {
    if (!records_) return;
    const TvLogger& tv = records_->tv;
    showCommonFields();
    ChPNameEdit->setText(toQt(tv.planName));
    ModeMesuraSorollEdit->setText(toQt(tv.noiseMode));
    FreqMesuraSorollEdit->setText(toQt(tv.noiseFrequency));
    LlindarEdit->setText(toQt(tv.threshold));
    TaulaRegistre->setRowCountTotal(static_cast<int>(tv.records.size()) + 1);
    for (std::size_t k = 0; k < tv.records.size(); ++k)
        ShowRow(TaulaRegistre, static_cast<int>(k) + 1, tv.records[k]);
}

}  // namespace veltra
