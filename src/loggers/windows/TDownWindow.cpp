#include "loggers/windows/TDownWindow.h"

#include <QStyle>
#include <algorithm>

#include "language/TextKeys.h"
#include "widgets/QtText.h"

namespace veltra {

TDownWindow::TDownWindow(QWidget* parent)
    : LoggerViewer("DownWindow", window_text::kDownViewer,
                   {{32, 24},
                    {32, 76, 720, 40},
                    {32, 132},
                    {161, 132},
                    144,
                    {360, 132},
                    {609, 132},
                    {32, 512}},
                   parent) {
    auto pair = [this](QLabel*& l, const char* labelName, QLineEdit*& e, const char* editName,
                       QPoint labelAt, QPoint editAt) {
        l = label(labelName, labelAt);
        e = field(editName, editAt, 145);
        l->setBuddy(e);
    };
    pair(ChannelLabel, "ChannelLabel", ChannelEdit, "ChannelEdit", {32, 164}, {161, 164});
    pair(ChannelPlanLabel, "ChannelPlanLabel", ChannelPlanEdit, "ChannelPlanEdit", {32, 196},
         {161, 196});
    pair(SystLabel, "SystLabel", SystemEdit, "SystemEdit", {32, 228}, {161, 228});
    pair(VerLabel, "VerLabel", VersionEdit, "VersionEdit", {32, 260}, {161, 260});
    pair(FreqLabel, "FreqLabel", FreqEdit, "FreqEdit", {360, 164}, {609, 164});
    pair(ModLabel, "ModLabel", ModEdit, "ModEdit", {360, 196}, {609, 196});
    pair(SymbolLabel, "SymbolLabel", SymbolEdit, "SymbolEdit", {360, 228}, {609, 228});
    pair(OffsetLabel, "OffsetLabel", OffsetEdit, "OffsetEdit", {360, 260}, {609, 260});
    pair(PowerLabel, "PowerLabel", PowerEdit, "PowerEdit", {480, 308}, {608, 308});
    pair(MERLabel, "MERLabel", MEREdit, "MEREdit", {480, 340}, {608, 340});
    pair(iLabel, "iLabel", IEdit, "IEdit", {480, 372}, {608, 372});
    pair(jLabel, "jLabel", JEdit, "JEdit", {480, 404}, {608, 404});
    pair(PreBERLabel, "PreBERLabel", PreBEREdit, "PreBEREdit", {480, 436}, {608, 436});
    pair(PostBERLabel, "PostBERLabel", PostBEREdit, "PostBEREdit", {480, 468}, {608, 468});
    TaulaRegistre = table("TaulaRegistre", {31, 304, 402, 193}, 6, 9);
    // The graph takes the room a larger window gives, under the table.
    addGraph("downstream", kShowDown);
    showRowsOnHover(Graph, TaulaRegistre, [this] { return DownGraphChannels(records_->down); });
    Graph->setVisible(false);
    setOpeningSize(792, 746);  // it opens with room for the graph where the screen has it
    for (int row = 1; row <= 8; ++row)
        TaulaRegistre->setCell(0, row, QString::number(row));
}

void TDownWindow::applyLanguageTexts(const LanguageTable& texts) {
    LoggerViewer::applyLanguageTexts(texts);
    const int widths[5] = {20, 50, 80, 120, 120};
    for (int column = 0; column < 5; ++column) {
        TaulaRegistre->setColWidth(column, widths[column]);
        if (column)
            TaulaRegistre->setCell(column, 0,
                                   toQt(texts.text(window_text::kDownHeaders[column - 1])));
    }
    TaulaRegistre->setCell(5, 0, toQt(texts.text(text::kVerdictHeader)));
    TaulaRegistre->setDefaultRowHeight(20);
}

void TDownWindow::showRecord() {
    if (!records_) return;
    const DownLogger& d = records_->down;
    showCommonFields();
    const std::pair<QLineEdit*, const std::string*> values[] = {
        {ChannelEdit, &d.channel},   {ChannelPlanEdit, &d.planName}, {SystemEdit, &d.system},
        {VersionEdit, &d.version},   {FreqEdit, &d.frequency},       {ModEdit, &d.modulation},
        {SymbolEdit, &d.symbolRate}, {OffsetEdit, &d.offset},        {PowerEdit, &d.power},
        {MEREdit, &d.mer},           {IEdit, &d.interleaverI},       {JEdit, &d.interleaverJ},
        {PreBEREdit, &d.preBer},     {PostBEREdit, &d.postBer}};
    for (const auto& [edit, value] : values)
        edit->setText(toQt(*value));
    PowerEdit->setText(toQt(LevelTextIn(d.power, ShownLevelUnit())));
    for (std::size_t row = 0; row < d.rows.size(); ++row)
        ShowRow(TaulaRegistre, static_cast<int>(row) + 1, d.rows[row], 1);
    showLevels(TaulaRegistre, 4);
    static const int kMinimum[6] = {20, 50, 80, 120, 120, 60};
    FitColumns(TaulaRegistre, kMinimum);
    // Wider where its columns need it, up to the labels beside it; what is still wider scrolls,
    // the table growing by the scroll bar so that no row is hidden.
    const int used = ColumnsWidth(TaulaRegistre);
    const int width = std::clamp(used, 402, PowerLabel->x() - TaulaRegistre->x() - 8);
    const int bar = used > width ? TaulaRegistre->style()->pixelMetric(QStyle::PM_ScrollBarExtent,
                                                                       nullptr, TaulaRegistre)
                                 : 0;
    TaulaRegistre->resize(width, 193 + bar);
    auto channels = DownGraphChannels(d);
    const LoggerVerdict verdict = JudgeDownLogger(d, limitSet());
    showVerdicts(TaulaRegistre, verdict);
    showSummary(verdict);
    MarkFailures(channels, verdict);
    Graph->setChannels(channels, {}, limits(), std::nullopt);
    clientResized(client_->size());
}

void TDownWindow::clientResized(QSize size) {
    // The summary under the table; the graph under it, above the version label (which keeps to
    // the bottom), shown once there is room for a graph one can read.
    const int summaryTop = TaulaRegistre->geometry().bottom() + 9;
    Summary->setGeometry(31, summaryTop, size.width() - 46, Summary->height());
    Summary->resize(Summary->width(), summaryRoom() - 6);
    const int top = summaryTop + summaryRoom();
    const int room = size.height() - 30 - top;
    Graph->setGeometry(31, top, size.width() - 46, room);
    Graph->setVisible(room >= 80);
}

}  // namespace veltra
