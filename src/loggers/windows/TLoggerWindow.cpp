#include "loggers/windows/TLoggerWindow.h"

#include <algorithm>
#include <cmath>

#include "face/Messages.h"
#include "loggers/LoggerGraph.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"

namespace veltra {

TLoggerWindow::TLoggerWindow(QWidget* parent)
    : LoggerViewer("LoggerWindow", window_text::kTvViewer,
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
    // The table and the graph share the table's place; the splitter moves between them.
    Splitter = new QSplitter(Qt::Vertical, client_);
    Splitter->setObjectName("Splitter");
    // The summary of the verdicts over them.
    Summary->setGeometry(24, 192, 753, 40);
    Splitter->setGeometry(24, 192 + summaryRoom(), 753, 313);
    TaulaRegistre = table("TaulaRegistre", {0, 0, 753, 183}, 12, 1);
    TaulaRegistre->freezeTitleRow();
    addGraph("tv", kShowTv);
    Splitter->addWidget(TaulaRegistre);
    Splitter->addWidget(Graph);
    Splitter->setSizes({183, 130});
    // It opens 200 pixels taller than its smallest size where the screen has the room, and
    // that room, as any a larger window gives, goes to the graph.
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    setOpeningSize(792, 746);
    Graph->setHoverText([this](const GraphBar& bar) { return rowText(bar); });
    OnlyInOne = new QLabel(client_);
    OnlyInOne->setObjectName("OnlyInOne");
    OnlyInOne->setGeometry(200, 508, 577, 34);
    OnlyInOne->setWordWrap(true);

    CompareWith = new QAction(this);
    CompareWith->setObjectName("CompareWith");
    Archivo1->insertAction(LimitsEntry, CompareWith);
    connect(CompareWith, &QAction::triggered, this, &TLoggerWindow::CompareWithClick);
    StopComparing = new QAction(this);
    StopComparing->setObjectName("StopComparing");
    StopComparing->setEnabled(false);
    Archivo1->insertAction(LimitsEntry, StopComparing);
    connect(StopComparing, &QAction::triggered, this, &TLoggerWindow::StopComparingClick);
}

void TLoggerWindow::clientResized(QSize size) {
    Summary->resize(size.width() - 39, Summary->height());
    const int room = summaryRoom();
    Summary->resize(size.width() - 39, room - 6);
    Splitter->setGeometry(24, 192 + room, size.width() - 39, size.height() - 233 - room);
    OnlyInOne->setGeometry(200, size.height() - 38, size.width() - 215, 34);
}

void TLoggerWindow::applyLanguageTexts(const LanguageTable& texts) {
    LoggerViewer::applyLanguageTexts(texts);
    CompareDialog.filter = FileFilter(texts, text::kTvLoggerFiles, "*.logtv", false);
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
}

void TLoggerWindow::showRecord() {
    if (!records_) return;
    const TvLogger& tv = records_->tv;
    showCommonFields();
    ChPNameEdit->setText(toQt(tv.planName));
    ModeMesuraSorollEdit->setText(toQt(tv.noiseMode));
    FreqMesuraSorollEdit->setText(toQt(tv.noiseFrequency));
    LlindarEdit->setText(toQt(LevelTextIn(tv.threshold, ShownLevelUnit())));

    StopComparing->setEnabled(compared_.has_value());
    // With a second logger: two more columns, the differences of the channels both hold.
    std::vector<ChannelComparison> compared;
    if (compared_) compared = CompareTvLoggers(tv, *compared_);
    // The verdict last, after the differences of a comparison.
    const int columns = compared_ ? 15 : 13;
    TaulaRegistre->setColCount(columns);
    auto text = [this](int key) { return texts_ ? toQt(texts_->text(key)) : QString(); };
    TaulaRegistre->setCell(12, 0, text(text::kDeltaLevel));
    TaulaRegistre->setCell(13, 0, text(text::kDeltaQuality));
    TaulaRegistre->setRowCountTotal(static_cast<int>(tv.records.size()) + 1);
    for (std::size_t k = 0; k < tv.records.size(); ++k)
        ShowRow(TaulaRegistre, static_cast<int>(k) + 1, tv.records[k]);
    showLevels(TaulaRegistre, 6);
    QStringList onlyOther;
    for (const ChannelComparison& c : compared) {
        auto difference = [](std::optional<double> d) {
            return d ? QString::asprintf("%+.1f", *d) : QString();
        };
        if (c.first) {
            const int row = static_cast<int>(*c.first) + 1;
            TaulaRegistre->setCell(
                12, row, c.second ? difference(c.levelDifference) : text(text::kOnlyHere));
            TaulaRegistre->setCell(13, row, difference(c.qualityDifference));
        } else {
            onlyOther << QString::number(c.frequencyMHz, 'f', 2);
        }
    }
    // Which logger this is compared with, and which way the differences go.
    QString comparison;
    if (compared_)
        comparison = toQt(FillIn(texts_ ? texts_->text(text::kComparedWith) : std::string(),
                                 {compared_->name, compared_->date, compared_->time}));
    if (!onlyOther.isEmpty())
        comparison += (comparison.isEmpty() ? "" : " ") + text(text::kOnlyInCompared) + " " +
                      onlyOther.join(", ");
    OnlyInOne->setText(comparison);
    Graph->setLegend(
        toQt(tv.name) + " (" + text(text::kLegendThis) + ")",
        compared_ ? toQt(compared_->name) + " (" + text(text::kLegendCompared) + ")" : QString());

    // Channels outside the limits, or below the logger's threshold, are marked in both.
    auto channels = TvGraphChannels(tv);
    const std::optional<double> threshold =
        tv.threshold.empty() ? std::nullopt : std::optional<double>(LeadingInteger(tv.threshold));
    const LoggerVerdict verdict = JudgeTvLogger(tv, limitSet());
    showVerdicts(TaulaRegistre, verdict);
    showSummary(verdict);
    MarkFailures(channels, verdict);
    static const int kMinimum[15] = {25, 32, 67, 56, 64, 55, 68, 58, 110, 70, 81, 35, 70, 90, 60};
    FitColumns(TaulaRegistre, kMinimum);
    // It opens wide enough for every column where the screen has room (the table's sides are
    // 24 and 15 pixels from the client's).
    setOpeningSize(ColumnsWidth(TaulaRegistre, true) + 24 + 15, 746);
    Graph->setChannels(channels,
                       compared_ ? TvGraphChannels(*compared_) : std::vector<GraphChannel>{},
                       limits(), threshold);
}

QString TLoggerWindow::rowText(const GraphBar& bar) const {
    const auto channels = bar.series == 0 ? TvGraphChannels(records_->tv)
                                          : TvGraphChannels(compared_ ? *compared_ : TvLogger{});
    if (bar.channel >= channels.size()) return {};
    const TvLogger& logger = bar.series == 0 ? records_->tv : *compared_;
    const TvRecord& r = logger.records[channels[bar.channel].row];
    // Each value with its column's header and unit, and the differences of a compared channel.
    QStringList parts;
    for (int column = 1; column < 12; ++column) {
        if (!r[static_cast<std::size_t>(column)].empty())
            parts << TaulaRegistre->cell(column, 0) + ": " +
                         toQt(column == 6 ? LevelTextIn(r[6], ShownLevelUnit())
                                          : r[static_cast<std::size_t>(column)]);
    }
    if (bar.series == 0 && compared_) {
        const int row = static_cast<int>(channels[bar.channel].row) + 1;
        for (int column = 12; column < 14; ++column)
            if (!TaulaRegistre->cell(column, row).isEmpty())
                parts << TaulaRegistre->cell(column, 0) + ": " + TaulaRegistre->cell(column, row);
    }
    const QString compared = texts_ ? toQt(texts_->text(text::kComparedMark)) + "\n" : QString();
    return (bar.series == 1 ? compared : QString()) + parts.join("\n");
}

void TLoggerWindow::compareWith(std::optional<TvLogger> other) {
    compared_ = std::move(other);
    showRecord();
}

void TLoggerWindow::StopComparingClick() {
    compareWith(std::nullopt);
}

void TLoggerWindow::CompareWithClick() {
    if (!openForComparison_) return;
    if (auto other = openForComparison_(CompareDialog)) compareWith(std::move(other));
}

}  // namespace veltra
