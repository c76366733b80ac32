#include "loggers/windows/LoggerViewer.h"

#include "face/Messages.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <algorithm>

#include <QEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "loggers/windows/ReportPages.h"
#include "loggers/windows/TLimitsDialog.h"
#include "text/Files.h"
#include "text/Text.h"
#include "widgets/ControlTexts.h"
#include "widgets/QtText.h"
#include "widgets/Settings.h"
#include "widgets/TDialog.h"
#include "widgets/WindowStyle.h"

namespace veltra {

namespace {

QFont PointFont(const QFont& base, int points, bool bold = false) {
    QFont font = base;
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

}  // namespace

LoggerViewer::LoggerViewer(const char* objectName, const window_text::Window& texts,
                           const Layout& layout, QWidget* parent)
    : QDialog(parent), windowTexts_(texts) {
    setObjectName(objectName);
    // Opens at its own size; may be made larger and maximised, the tables taking the room.
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    MainMenu = new QMenuBar(this);
    box->setMenuBar(MainMenu);
    client_ = new QWidget(this);
    client_->setMinimumSize(792, 546);
    client_->installEventFilter(this);
    SetBackground(client_, kViewerColor);
    box->addWidget(ScrollingClient(this, client_));

    Archivo1 = MainMenu->addMenu("&File");
    Archivo1->setObjectName("Archivo1");
    DesarRegistreComA = Archivo1->addAction("Save logger as...");
    DesarRegistreComA->setObjectName("DesarRegistreComA");
    ImprimirRegistre = Archivo1->addAction("Print logger...");
    ImprimirRegistre->setObjectName("ImprimirRegistre");
    ExportCsv = Archivo1->addAction(QString());
    ExportCsv->setObjectName("ExportCsv");
    SortirFinestraRegistre = Archivo1->addAction("Exit");
    SortirFinestraRegistre->setObjectName("SortirFinestraRegistre");
    Help1 = MainMenu->addMenu("Help");
    Help1->setObjectName("Help1");
    Help1->setEnabled(false);
    connect(DesarRegistreComA, &QAction::triggered, this, &LoggerViewer::DesarRegistreComAClick);
    connect(ImprimirRegistre, &QAction::triggered, this, &LoggerViewer::ImprimirRegistreClick);
    connect(ExportCsv, &QAction::triggered, this, [this] {
        if (exportCsv_) exportCsv_(CsvDialog);
    });
    connect(SortirFinestraRegistre, &QAction::triggered, this, &QDialog::close);

    LoggerNameLabel = new QLabel(client_);
    LoggerNameLabel->setObjectName("LoggerNameLabel");
    LoggerNameLabel->move(layout.name);
    LoggerNameLabel->setFont(PointFont(font(), 24, true));
    LoggerNameLabel->setCursor(Qt::PointingHandCursor);
    LoggerNameLabel->installEventFilter(this);

    FileNameLabel = new QLabel(client_);
    FileNameLabel->setObjectName("FileNameLabel");
    FileNameLabel->setGeometry(layout.fileName);
    FileNameLabel->setFont(PointFont(font(), 12));
    FileNameLabel->setWordWrap(true);
    FileNameLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    DataLabel = label("DataLabel", layout.dateLabel);
    LoggerDateEdit = field("LoggerDateEdit", layout.dateField, layout.dateWidth);
    HoraLabel = label("HoraLabel", layout.timeLabel);
    LoggerHourEdit = field("LoggerHourEdit", layout.timeField, layout.dateWidth);
    DataLabel->setBuddy(LoggerDateEdit);
    HoraLabel->setBuddy(LoggerHourEdit);

    Summary = new QLabel(client_);
    Summary->setObjectName("Summary");
    Summary->setWordWrap(true);
    Summary->setTextFormat(Qt::PlainText);
    Summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont summaryFont = Summary->font();
    summaryFont.setBold(true);
    summaryFont.setPointSizeF(summaryFont.pointSizeF() * 1.15);
    Summary->setFont(summaryFont);
    // The smallest client keeps the room the windows had before the summary came, and three
    // lines for it.
    client_->setMinimumSize(792, 546 + 3 * Summary->fontMetrics().lineSpacing() + 6);

    VersioControllerLabel = new QLabel(kVersionLabel, client_);
    VersioControllerLabel->setObjectName("VersioControllerLabel");
    VersioControllerLabel->move(layout.version);
    VersioControllerLabel->setFont(PointFont(font(), 8, true));
    VersioControllerLabel->adjustSize();
}

QLabel* LoggerViewer::label(const char* name, QPoint at) {
    auto* text = new QLabel(client_);
    text->setObjectName(name);
    text->move(at);
    text->setFont(PointFont(font(), 12));
    return text;
}

QLineEdit* LoggerViewer::field(const char* name, QPoint at, int width) {
    auto* edit = new QLineEdit(client_);
    edit->setObjectName(name);
    edit->setGeometry(at.x(), at.y(), width, 28);
    edit->setReadOnly(true);
    edit->setFont(PointFont(font(), 12));
    return edit;
}

StringGrid* LoggerViewer::table(const char* name, const QRect& geometry, int columns, int rows) {
    auto* grid = new StringGrid(columns, rows, client_);
    grid->setObjectName(name);
    grid->setGeometry(geometry);
    grid->setFont(PointFont(font(), 8));
    grid->setFixedColor(QColor(192, 192, 192));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setDefaultRowHeight(20);
    return grid;
}

template <std::size_t N>
void ShowRow(StringGrid* grid, int row, const std::array<std::string, N>& cells, int first) {
    for (std::size_t column = static_cast<std::size_t>(first); column < N; ++column)
        grid->setCell(static_cast<int>(column), row, toQt(cells[column]));
}
template void ShowRow(StringGrid*, int, const std::array<std::string, 5>&, int);
template void ShowRow(StringGrid*, int, const std::array<std::string, 7>&, int);
template void ShowRow(StringGrid*, int, const std::array<std::string, 8>&, int);
template void ShowRow(StringGrid*, int, const std::array<std::string, 12>&, int);

void LoggerViewer::setServices(LoggerRecords* records, TDialog* dialog,
                               const LanguageTable* texts) {
    records_ = records;
    dialog_ = dialog;
    texts_ = texts;
}

void LoggerViewer::applyLanguageTexts(const LanguageTable& texts) {
    ApplyWindowTexts(*this, windowTexts_, texts);
    ApplyControlTexts(*this, window_text::kViewerControls, texts);
    if (Graph) ApplyControlTexts(*this, window_text::kGraphControls, texts);
    GraphDialog.filter = FileFilter(texts, text::kPictureFiles, "*.png", false);
    for (const GraphPanel& panel : graphs_)
        panel.view->setWords(
            {toQt(texts.text(text::kLegendAnalog)), toQt(texts.text(text::kLegendDigital)),
             toQt(texts.text(text::kLegendOutside)), toQt(texts.text(text::kVerdictThreshold)),
             toQt(texts.text(text::kLimitsCaption))});
    VersioControllerLabel->setText(kVersionLabel);
}

void LoggerViewer::showCommonFields() {
    LoggerNameLabel->setText(toQt(recordName()));
    LoggerNameLabel->adjustSize();
    FileNameLabel->setText(toQt(recordFileName()));
    LoggerDateEdit->setText(toQt(recordDate()));
    LoggerHourEdit->setText(toQt(recordTime()));
}

void LoggerViewer::showModally() {
    // Each time is another logger (fetched or opened): what belonged to the last one ends.
    anotherLogger();
    showRecord();
    revealFirstFailure();
    ShowInRememberedPlace(*this, modalRunner_
                                     ? std::function<void()>([this] { modalRunner_(*this); })
                                     : std::function<void()>());
}

void LoggerViewer::revealFirstFailure() {
    const ChannelVerdict* first = verdict_.firstFailure();
    const auto tables = reportTables();
    for (const auto& [grid, title] : tables)
        const_cast<StringGrid*>(grid)->scrollToTop();
    if (!first) return;
    const std::size_t table = first->upstream && tables.size() > 1 ? 1 : 0;
    if (table >= tables.size()) return;
    auto* grid = const_cast<StringGrid*>(tables[table].first);
    // Laid out first: the scroll bars know their range before the window is on screen.
    grid->doItemsLayout();
    if (QTableWidgetItem* item = grid->item(static_cast<int>(first->row) + 1, 0))
        grid->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

void LoggerViewer::showVerdicts(StringGrid* grid, const LoggerVerdict& verdict, bool upstream) {
    const int last = grid->columnCount() - 1;
    const QString mark = QString::fromUtf8(" \xE2\x9C\x96");  // a heavy cross
    for (int row = 1; row < grid->rowCount(); ++row) {
        for (int column = 1; column < grid->columnCount(); ++column)
            if (auto* item = grid->item(row, column)) item->setBackground(QBrush());
        if (auto* number = grid->item(row, 0); number && number->text().endsWith(mark)) {
            number->setText(number->text().chopped(mark.size()));
            number->setToolTip({});
        }
        grid->setCell(last, row, {});
    }
    if (texts_) grid->setCell(last, 0, toQt(texts_->text(text::kVerdictHeader)));
    const VerdictWords words = texts_ ? VerdictWordsIn(*texts_) : VerdictWords{};
    for (const ChannelVerdict& c : verdict.channels) {
        if (c.upstream != upstream) continue;
        const int row = static_cast<int>(c.row) + 1;
        const QString reason = toQt(ReasonText(c, words, ShownLevelUnit()));
        grid->setCell(last, row, reason);
        if (!c.measured || c.pass()) continue;
        for (int column = 1; column < grid->columnCount(); ++column)
            if (auto* item = grid->item(row, column)) item->setBackground(kOutsideRow);
        // Not by colour alone: the row's number carries a mark and says why.
        if (auto* number = grid->item(row, 0)) {
            number->setText(number->text() + mark);
            number->setToolTip(reason);
        }
    }
    showGraphCaption();
}

int LoggerViewer::summaryRoom() const {
    // Two to six lines, as many as its words need at its width (a narrow window, a large scale,
    // the longer words of Spanish); the client scrolls where the table is left too little.
    const int line = Summary->fontMetrics().lineSpacing();
    const int needed = Summary->text().isEmpty() ? 0 : Summary->heightForWidth(Summary->width());
    return std::clamp(needed, 2 * line, 6 * line) + 6;
}

void LoggerViewer::showSummary(const LoggerVerdict& verdict) {
    verdict_ = verdict;
    if (!texts_) return;
    const VerdictWords words = VerdictWordsIn(*texts_);
    // The verdict at a glance, as the report gives it: a mark, its colour, larger and bold, and
    // the limit set that judged.
    const bool pass = verdict.pass();
    QString text = QString::fromUtf8(pass ? "\xE2\x9C\x94 " : "\xE2\x9C\x96 ") +
                   toQt(texts_->text(pass ? text::kVerdictPass : text::kVerdictFail)) + ": " +
                   toQt(ChannelsSummaryText(verdict, *texts_, words, ShownLevelUnit())) + "  (" +
                   toQt(FillIn(texts_->text(text::kLimitSetNamed), {limitSet_.name})) + ")";
    QPalette palette = Summary->palette();
    palette.setColor(QPalette::WindowText, pass ? kPassColour : kFailColour);
    Summary->setPalette(palette);
    // The figures on the second line, short, with a mark on those that fail; in full in the hint.
    QStringList figures, hints;
    for (const FigureVerdict& f : verdict.figures) {
        figures << toQt(words.figureNames[static_cast<int>(f.figure)] + " " +
                        FixedDecimals(f.value, 1) + " dB" + (f.pass ? "" : " \xE2\x9C\x96"));
        hints << toQt(FigureText(f, words));
    }
    if (!figures.isEmpty()) text += "\n" + figures.join(";  ");
    Summary->setText(text);
    Summary->setToolTip(hints.join("\n"));
    Summary->setAccessibleDescription(text + (hints.isEmpty() ? "" : "\n" + hints.join("\n")));
    clientResized(client_->size());
}

void LoggerViewer::showGraphCaption() {
    if (!texts_) return;
    auto text = [this](int key) { return toQt(texts_->text(key)); };
    const LevelUnit unit = ShownLevelUnit();
    // Another viewer may have changed it.
    if (LevelsInDbmv) {
        const QSignalBlocker quiet(LevelsInDbmv);
        LevelsInDbmv->setChecked(unit == LevelUnit::dBmV);
    }
    auto range = [unit](const Range& r) {
        return QString::number(LevelIn(r.min, unit), 'f', 1) + " .. " +
               QString::number(LevelIn(r.max, unit), 'f', 1);
    };
    for (const GraphPanel& panel : graphs_) {
        panel.view->setLevelUnit(unit);
        const Limits l = GraphLimits(limitSet_, panel.kind);
        const bool same =
            l.analogLevel.min == l.digitalLevel.min && l.analogLevel.max == l.digitalLevel.max;
        const QString levels = same ? text(text::kVerdictLevel) + " " + range(l.digitalLevel)
                                    : text(text::kLegendAnalog) + " " + range(l.analogLevel) +
                                          ",  " + text(text::kLegendDigital) + " " +
                                          range(l.digitalLevel);
        panel.view->setCaption(
            {toQt(recordName()) + "   " + toQt(recordDate()) + "  " + toQt(recordTime()),
             (panel.title ? text(panel.title) + " \xE2\x80\x94 " : QString()) +
                 toQt(FillIn(texts_->text(text::kLimitSetNamed), {limitSet_.name})) + ":  " +
                 levels + " " + LevelUnitName(unit) + ",  MER " +
                 QString::number(l.minMer, 'f', 1) + ",  C/N " + QString::number(l.minCn, 'f', 1) +
                 " dB"});
    }
}

void LoggerViewer::showRowsOnHover(GraphView* graph, StringGrid* table,
                                   std::function<std::vector<GraphChannel>()> channelsShown) {
    graph->setHoverText([table, channelsShown](const GraphBar& bar) {
        const auto channels = channelsShown();
        if (bar.channel >= channels.size()) return QString();
        const int row = static_cast<int>(channels[bar.channel].row) + 1;
        QStringList cells;
        for (int column = 1; column < table->columnCount(); ++column)
            cells << table->cell(column, row);
        return cells.join("  ");
    });
}

GraphView* LoggerViewer::addGraph(const char* key, LoggerKindShown kind, int title) {
    auto* graph = new GraphView(client_);
    if (!Graph) {
        Graph = graph;
        Graph->setObjectName("Graph");
        Archivo1->insertSeparator(SortirFinestraRegistre);
        SaveGraph = new QAction(this);
        LimitsEntry = new QAction(this);
        SaveReport = new QAction(this);
        PrintReport = new QAction(this);
        SaveReport->setObjectName("SaveReport");
        PrintReport->setObjectName("PrintReport");
        connect(SaveReport, &QAction::triggered, this, &LoggerViewer::SaveReportClick);
        connect(PrintReport, &QAction::triggered, this, &LoggerViewer::PrintReportClick);
        LevelsInDbmv = new QAction(this);
        LevelsInDbmv->setObjectName("LevelsInDbmv");
        LevelsInDbmv->setCheckable(true);
        LevelsInDbmv->setChecked(ShownLevelUnit() == LevelUnit::dBmV);
        SaveGraph->setObjectName("SaveGraph");
        LimitsEntry->setObjectName("LimitsEntry");
        Archivo1->insertAction(SortirFinestraRegistre, SaveGraph);
        Archivo1->insertAction(SortirFinestraRegistre, LimitsEntry);
        Archivo1->insertAction(SortirFinestraRegistre, LevelsInDbmv);
        Archivo1->insertAction(SaveGraph, SaveReport);
        Archivo1->insertAction(SaveGraph, PrintReport);
        connect(LevelsInDbmv, &QAction::toggled, this,
                [this](bool dBmV) { setLevelUnit(dBmV ? LevelUnit::dBmV : LevelUnit::dBuV); });
        connect(SaveGraph, &QAction::triggered, this, &LoggerViewer::SaveGraphClick);
        connect(LimitsEntry, &QAction::triggered, this, &LoggerViewer::LimitsClick);
    }
    // The viewer's limit set is kept under its first graph's key.
    if (graphs_.empty()) loadLimitSet(std::string("limits/") + key + "/");
    graphs_.push_back({graph, kind, title});
    return graph;
}

void LoggerViewer::loadLimitSet(std::string key) {
    limitsKey_ = std::move(key);
    limitSet_ = BuiltInLimitSets().front();
    const auto settings = ProgramSettings();
    const QString stored = settings->value(setting::Limit(limitsKey_, "set")).toString();
    std::string error;
    if (auto set = ParseLimitSet(fromQt(stored), error)) {
        limitSet_ = std::move(*set);
        return;
    }
    // The limits an earlier version kept per graph, as numbers: the set's of that graph's kind.
    // The modem viewer kept its downstream graph's apart.
    bool found = false;
    for (const std::string& key : {limitsKey_, std::string("limits/modem-downstream/")}) {
        if (!settings->contains(setting::Limit(key, "minLevel"))) continue;
        if (key != limitsKey_ && limitsKey_ != "limits/modem/") continue;
        found = true;
        auto value = [&](const char* name, double fallback) {
            return settings->value(setting::Limit(key, name), fallback).toDouble();
        };
        const Range level{value("minLevel", 0), value("maxLevel", 0)};
        if (key == "limits/tv/") {
            limitSet_.analogLevel = limitSet_.digitalLevel = level;
            limitSet_.minMer = value("minMer", limitSet_.minMer);
            limitSet_.minCn = value("minCn", limitSet_.minCn);
        } else if (key == "limits/modem/") {
            limitSet_.upstreamLevel = level;
        } else {
            limitSet_.downstreamLevel = level;
            limitSet_.minDownstreamMer = value("minMer", limitSet_.minDownstreamMer);
        }
    }
    if (found) limitSet_.name += " *";
}

LevelUnit LoggerViewer::ShownLevelUnit() {
    return ProgramSettings()->value("units/level").toString() == "dBmV" ? LevelUnit::dBmV
                                                                        : LevelUnit::dBuV;
}

void LoggerViewer::setLevelUnit(LevelUnit unit) {
    ProgramSettings()->setValue("units/level", unit == LevelUnit::dBmV ? "dBmV" : "dBuV");
    if (LevelsInDbmv) {
        const QSignalBlocker quiet(LevelsInDbmv);
        LevelsInDbmv->setChecked(unit == LevelUnit::dBmV);
    }
    if (choicesChanged_) choicesChanged_();
    showRecord();
}

void LoggerViewer::showLevels(StringGrid* grid, int column) {
    const LevelUnit unit = ShownLevelUnit();
    for (int row = 1; row < grid->rowCount(); ++row)
        grid->setCell(column, row, toQt(LevelTextIn(fromQt(grid->cell(column, row)), unit)));
    // Headers and labels name the unit shown, whichever they named before.
    auto named = [unit](QString text) {
        const QString name = QString::fromUtf8(LevelUnitName(unit));
        return text.replace(QString::fromUtf8("dB\xC2\xB5V"), name).replace("dBmV", name);
    };
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setCell(c, 0, named(grid->cell(c, 0)));
    for (QLabel* label : client_->findChildren<QLabel*>())
        if (label != LoggerNameLabel && label != FileNameLabel && label != Summary)
            label->setText(named(label->text()));
}

Limits LoggerViewer::limits(std::size_t graph) const {
    return GraphLimits(limitSet_, graphs_.at(graph).kind);
}

void LoggerViewer::setLimitSet(LimitSet set) {
    limitSet_ = std::move(set);
    ProgramSettings()->setValue(setting::Limit(limitsKey_, "set"), toQt(FormatLimitSet(limitSet_)));
    if (choicesChanged_) choicesChanged_();
    showRecord();
}

void LoggerViewer::SaveGraphClick() {
    if (!prompts_ || graphs_.empty()) return;
    GraphDialog.fileName = SafeFileName(recordName()) + ".png";
    auto path = prompts_->chooseSaveFile(GraphDialog);
    if (!path || path->empty()) return;
    if (!EndsWith(*path, ".png")) *path += ".png";
    std::vector<const GraphView*> views;
    for (const GraphPanel& panel : graphs_)
        views.push_back(panel.view);
    const FileWrite written = GraphView::SavePng(*path, views, QSize(1600, 600));
    if (!written && texts_)
        ShowMessageCode(*prompts_, *texts_, message::kFileUnwritable,
                        UnwritableDetail(*path, written));
}

void LoggerViewer::LimitsClick() {
    if (!texts_) return;
    TLimitsDialog dialog(limitSet_, limitSetsFolder_, prompts_, *texts_, this, ShownLevelUnit());
    if (limitsRunner_ ? limitsRunner_(dialog) : dialog.exec() == QDialog::Accepted)
        setLimitSet(dialog.chosen());
}

bool LoggerViewer::askDetails(ReportDetails& details) {
    const auto settings = ProgramSettings();
    const std::pair<const char*, std::string*> kept[] = {{"report/technician", &details.technician},
                                                         {"report/site", &details.site},
                                                         {"report/workOrder", &details.workOrder},
                                                         {"report/note", &details.note}};
    for (const auto& [key, value] : kept)
        *value = fromQt(settings->value(key).toString());
    bool given = false;
    if (detailsRunner_) {
        given = detailsRunner_(details);
    } else if (texts_) {
        QDialog dialog(this);
        dialog.setObjectName("ReportDetails");
        dialog.setWindowTitle(toQt(texts_->text(text::kReportDetails)));
        auto* form = new QFormLayout(&dialog);
        const int labels[] = {text::kReportTechnician, text::kReportSite, text::kReportWorkOrder,
                              text::kReportNote};
        std::vector<QLineEdit*> edits;
        for (std::size_t k = 0; k < 4; ++k) {
            auto* edit = new QLineEdit(toQt(*kept[k].second), &dialog);
            edit->setMinimumWidth(320);
            form->addRow(toQt(texts_->text(labels[k])), edit);
            edits.push_back(edit);
        }
        auto* buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        NameStandardButtons(*buttons, *texts_);
        form->addRow(buttons);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        given = dialog.exec() == QDialog::Accepted;
        for (std::size_t k = 0; k < 4; ++k)
            *kept[k].second = fromQt(edits[k]->text().trimmed());
    }
    if (!given) return false;
    for (const auto& [key, value] : kept)
        settings->setValue(key, toQt(*value));
    return true;
}

LoggerReport LoggerViewer::report(const ReportDetails& details) {
    const LevelUnit unit = ShownLevelUnit();
    // The instrument is known for a logger fetched from it and not yet saved.
    ReportInstrument instrument;
    if (instrument_ && recordFileName().empty()) instrument = instrument_();
    LoggerReport r =
        ReportOf(fromQt(windowTitle()), recordName(), recordPlan(), recordDate(), recordTime(),
                 details, instrument, verdict_, limitSet_, *texts_, unit);
    // The viewer's own fields, each under its label: the noise measurement, the main channel.
    for (QLabel* label : client_->findChildren<QLabel*>()) {
        auto* field = qobject_cast<QLineEdit*>(label->buddy());
        if (!field || field == LoggerDateEdit || field == LoggerHourEdit) continue;
        QString words = label->text().trimmed();
        while (words.endsWith(':'))
            words.chop(1);
        if (words.isEmpty() || field->text().isEmpty()) continue;
        const std::string name = fromQt(words);
        if (std::none_of(r.facts.begin(), r.facts.end(),
                         [&](const auto& fact) { return fact.first == name; }))
            r.facts.push_back({name, fromQt(field->text())});
    }
    r.comparison = recordComparison();
    // Each table as shown: the levels in the unit shown, the differences, the verdicts.
    const QString mark = QString::fromUtf8("\xE2\x9C\x96");
    for (const auto& [grid, title] : reportTables()) {
        ReportTable table;
        if (title) table.title = texts_->text(title);
        for (int column = 0; column < grid->columnCount(); ++column)
            table.header.push_back(fromQt(grid->cell(column, 0)));
        for (int row = 1; row < grid->rowCount(); ++row) {
            std::vector<std::string> cells;
            for (int column = 0; column < grid->columnCount(); ++column)
                cells.push_back(fromQt(grid->cell(column, row)));
            table.fails.push_back(grid->cell(0, row).endsWith(mark));
            table.rows.push_back(std::move(cells));
        }
        r.tables.push_back(std::move(table));
    }
    r.footer = FillIn(
        texts_->text(text::kReportMade),
        {fromQt(QDateTime::currentDateTime().toString("dd/MM/yyyy HH:mm")), fromQt(kVersionLabel)});
    return r;
}

std::vector<QImage> LoggerViewer::reportGraphs() const {
    // Drawn three times finer than the page's points, so that it prints sharp.
    std::vector<QImage> images;
    const QSize size(511, 190);
    for (const GraphPanel& panel : graphs_) {
        QImage image(size * 3, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(3, 3);
        QFont font = panel.view->font();
        font.setPixelSize(9);
        painter.setFont(font);
        panel.view->paintGraph(painter, size);
        painter.end();
        images.push_back(std::move(image));
    }
    return images;
}

void LoggerViewer::SaveReportClick() {
    if (!prompts_ || !texts_) return;
    ReportDetails details;
    if (!askDetails(details)) return;
    ReportDialog.filter = FileFilter(*texts_, text::kPdfFiles, "*.pdf", false);
    ReportDialog.fileName = SafeFileName(recordName()) + ".pdf";
    auto path = prompts_->chooseSaveFile(ReportDialog);
    if (!path || path->empty()) return;
    if (!EndsWith(*path, ".pdf")) *path += ".pdf";
    const std::string pdf = ReportPages(report(details), reportGraphs(), *texts_).pdf();
    const FileWrite written = pdf.empty() ? FileWrite{std::make_error_code(std::errc::io_error)}
                                          : WriteFileAtomically(*path, pdf);
    if (!written)
        ShowMessageCode(*prompts_, *texts_, message::kFileUnwritable,
                        UnwritableDetail(*path, written));
}

void LoggerViewer::PrintReportClick() {
    if (!texts_) return;
    ReportDetails details;
    if (!askDetails(details)) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(toQt(recordName()));
    QPrintDialog choose(&printer, this);
    if (choose.exec() != QDialog::Accepted) return;
    const ReportPages pages(report(details), reportGraphs(), *texts_);
    const int count = pages.pageCount();
    QPainter painter(&printer);
    const std::function<void()> next = [&printer] { printer.newPage(); };
    pages.paint(painter, printer.resolution(), next, count);
}

void LoggerViewer::FitColumns(StringGrid* grid, const int* minimum) {
    const QFontMetrics metrics(grid->font());
    for (int column = 0; column < grid->columnCount(); ++column) {
        int width = minimum[column];
        for (int row = 0; row < grid->rowCount(); ++row)
            width = std::max(width, metrics.horizontalAdvance(grid->cell(column, row)) + 10);
        grid->setColWidth(column, width);
    }
}

void LoggerViewer::setOpeningSize(int width, int height) {
    client_->setBaseSize(QSize(width, height).expandedTo(client_->minimumSize()));
    // The scroll area's size comes from it; the window's layout keeps the area's last one.
    if (auto* area = findChild<ClientScrollArea*>()) area->updateGeometry();
}

int LoggerViewer::ColumnsWidth(const StringGrid* grid, bool rowsScroll) {
    int width = 2 * grid->frameWidth();
    for (int column = 0; column < grid->columnCount(); ++column)
        width += grid->columnWidth(column);
    if (rowsScroll) width += grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    return width;
}

void LoggerViewer::LoggerNameLabelClick() {
    if (!dialog_ || !texts_) return;
    const auto text =
        dialog_->ask(kViewerColor, toQt(texts_->text(window_text::kRenameLoggerCaption)),
                     toQt(texts_->text(window_text::kRenameLoggerPrompt)), toQt(recordName()));
    if (!text) return;
    recordName() = FirstCharacters(fromQt(*text), 12);
    showCommonFields();
}

void LoggerViewer::DesarRegistreComAClick() {
    if (!saveAs_) return;
    saveAs_(SaveLoggerDialog);
    showCommonFields();
}

void LoggerViewer::ImprimirRegistreClick() {
    if (print_) print_();
}

bool LoggerViewer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        VersioControllerLabel->move(VersioControllerLabel->x(), client_->height() - 26);
        clientResized(client_->size());
        return false;
    }
    if (watched == LoggerNameLabel && event->type() == QEvent::MouseButtonRelease) {
        LoggerNameLabelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace veltra
