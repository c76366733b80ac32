#include <QPainter>
#include <QTest>
#include <QTimer>

#include "loggers/LoggerTransfers.h"
#include "loggers/windows/ReportPages.h"
#include "loggers/windows/TLimitsDialog.h"
#include "support/ProgramFixture.h"
#include "text/Files.h"
#include "widgets/QtText.h"
#include "widgets/WindowStyle.h"

namespace veltra {
namespace {

class LoggerTab : public test::ProgramFixture {
  protected:
    void SetUp() override {
        sim::SimLogger tv{"NORTH", "09:12:44", "02/12/2026", 0, "H&DOCSI&120&0&5500000&450",
                          {},      {}};
        for (int k = 0; k < 120; ++k)
            tv.records.push_back("1&D&" + std::to_string(100000000 + 6000000 * k) +
                                 "&0&8000000&0&4&6952&63&38&x");
        sim.tvLoggers()[4] = tv;
        create();
        for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{
                 program->LoggerWindow, program->ModemWindow, program->DownWindow})
            viewer->setModalRunner([this](LoggerViewer& shownViewer) { shown = &shownViewer; });
    }
    // Answers the rename dialog once it is shown.
    void answerRename(const QString& text, bool ok) {
        QTimer::singleShot(0, [this, text, ok] {
            program->Dialog->Edit1->setText(text);
            if (ok) {
                program->Dialog->OKBut->click();
            } else {
                program->Dialog->reject();
            }
        });
    }

    LoggerViewer* shown = nullptr;
};

TEST_F(LoggerTab, ReceiveAndOpenATvLogger) {
    EXPECT_FALSE(form().SaveLogBut->isEnabled());
    form().LoggerType->setCurrentIndex(1);
    EXPECT_EQ(form().LoggerIndex->rowCount(), 51);
    QTest::mouseClick(form().ReceiveLogBut, Qt::LeftButton);
    EXPECT_TRUE(form().SaveLogBut->isEnabled());
    EXPECT_TRUE(form().PrintSelBut->isEnabled());
    EXPECT_EQ(form().LoggerIndex->cell(1, 1), "NORTH");
    EXPECT_EQ(form().LoggerIndex->cell(0, 1), "0");

    StringGrid& grid = *form().LoggerIndex;
    const QPoint cell = grid.visualItemRect(grid.item(1, 1)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
    ASSERT_EQ(shown, program->LoggerWindow);
    TLoggerWindow& window = *program->LoggerWindow;
    EXPECT_EQ(window.TaulaRegistre->rowCount(), 121);
    EXPECT_EQ(window.TaulaRegistre->cell(0, 120), "120");
    EXPECT_EQ(window.TaulaRegistre->cell(2, 0), "FREQ (MHz)");
    EXPECT_EQ(window.LoggerNameLabel->text(), "NORTH");
    EXPECT_EQ(window.ChPNameEdit->text(), "DOCSI");
    EXPECT_TRUE(window.LoggerDateEdit->isReadOnly());
    EXPECT_EQ(window.windowTitle().toStdString(), text(159));

    // Rename: at most 12 characters; a cancelled dialog changes nothing.
    answerRename("A-VERY-LONG-NAME", true);
    window.LoggerNameLabelClick();
    EXPECT_EQ(window.LoggerNameLabel->text(), "A-VERY-LONG-");
    EXPECT_EQ(program->loggers->records.tv.name, "A-VERY-LONG-");
    answerRename("OTHER", false);
    window.LoggerNameLabelClick();
    EXPECT_EQ(program->loggers->records.tv.name, "A-VERY-LONG-");
    answerRename("", true);
    window.LoggerNameLabelClick();
    EXPECT_EQ(program->loggers->records.tv.name, "");
}

// "Save loggers" with a test point measured twice: a file each, none overwritten.
TEST_F(LoggerTab, SaveLoggersGivesLoggersOfOneNameAFileEach) {
    sim.tvLoggers()[5] = sim.tvLoggers()[4];
    sim.tvLoggers()[5]->records.resize(3);
    sim.tvLoggers()[5]->header = "H&DOCSI&3&0&5500000&450";
    form().LoggerType->setCurrentIndex(1);
    QTest::mouseClick(form().ReceiveLogBut, Qt::LeftButton);
    QTest::mouseClick(form().SaveLogBut, Qt::LeftButton);
    const std::string saved = program->loggers->files().folder();
    std::string first, second;
    ASSERT_TRUE(ReadWholeFile(saved + "NORTH.logtv", first, file_limit::kLoggerFile));
    ASSERT_TRUE(ReadWholeFile(saved + "NORTH (2).logtv", second, file_limit::kLoggerFile));
    EXPECT_NE(first.find("\r\n120\r\n"), std::string::npos);
    EXPECT_NE(second.find("\r\n3\r\n"), std::string::npos);
}

TEST_F(LoggerTab, ModemViewerShowsItsFixedRows) {
    sim.modemLoggers()[0] = sim::SimLogger{"CM", "10:00:00", "03/12/2026", 0, "", {}, {}};
    for (int d = 0; d < 8; ++d)
        sim.modemLoggers()[0]->rows[d] = "0&-&-&-&-&-&-";
    for (int u = 10; u <= 13; ++u)
        sim.modemLoggers()[0]->rows[u] = "0&1&2&3&4&5&6&7";
    form().ReceiveLogButClick();
    form().LoggerIndexMouseUp(true, 1, 1);
    form().LoggerIndexDblClick();
    ASSERT_EQ(shown, program->ModemWindow);
    TModemWindow& window = *program->ModemWindow;
    EXPECT_EQ(window.TaulaRegistre1->rowCount(), 9);
    EXPECT_EQ(window.TaulaRegistre2->rowCount(), 5);
    EXPECT_EQ(window.TaulaRegistre1->cell(2, 8), "----");
    // Numbered, and marked by more than colour: its level of 3 dBuV is below the limits.
    EXPECT_EQ(window.TaulaRegistre2->cell(0, 4), QString::fromUtf8("4 \xE2\x9C\x96"));
    // Said over the tables too, upstream and downstream judged together, at a glance: a mark,
    // the failing colour, and the limit set that judged.
    EXPECT_EQ(window.Summary->text().toStdString(),
              "\xE2\x9C\x96 " + text(245) +
                  ": 0 of 4 channels pass; first failing: 1 (Level 3.0 < 95.0)  (" +
                  FillIn(text(text::kLimitSetNamed), {window.limitSet().name}) + ")");
    EXPECT_EQ(window.Summary->palette().color(QPalette::WindowText), kFailColour);
    EXPECT_TRUE(window.Summary->font().bold());
    // In dBmV: the levels, their header, the verdicts, the summary and the exported spreadsheet;
    // then back.
    window.LevelsInDbmv->trigger();
    EXPECT_EQ(window.TaulaRegistre2->cell(3, 1), "-57");
    EXPECT_TRUE(window.TaulaRegistre2->cell(3, 0).contains("dBmV"));
    EXPECT_TRUE(window.Summary->text().contains("(Level -57.0 < 35.0)"));
    prompts.files = {folder.str() + "cm.csv"};
    window.ExportCsv->trigger();
    std::string csv;
    ASSERT_TRUE(ReadWholeFile(folder.str() + "cm.csv", csv, 1 << 20));
    EXPECT_NE(csv.find("Level (dBmV),"), std::string::npos);
    EXPECT_NE(csv.find("Modulation,Verdict\r\n"), std::string::npos);  // on the viewer's set
    window.LevelsInDbmv->trigger();
    EXPECT_EQ(window.TaulaRegistre2->cell(3, 1), "3");
    EXPECT_FALSE(window.TaulaRegistre2->cell(3, 0).contains("dBmV"));
    // The column's own width at least, and wide enough for what it shows in this font.
    const int width = window.TaulaRegistre2->columnWidth(5);
    EXPECT_GE(width, 135);
    for (int row = 0; row < window.TaulaRegistre2->rowCount(); ++row)
        EXPECT_GT(width, QFontMetrics(window.TaulaRegistre2->font())
                             .horizontalAdvance(window.TaulaRegistre2->cell(5, row)));
}

}  // namespace
}  // namespace veltra

namespace veltra {
namespace {

// A 150-record TV logger at a large font: no column narrower than its longest text; the one
// channel below the limits marked in the table and drawn red in the graph.
TEST_F(LoggerTab, TheTvViewerCutsNothingAndMarksWhatIsOutside) {
    TvLogger& tv = program->loggers->records.tv;
    tv = {};
    tv.threshold = "45";
    for (int k = 0; k < 150; ++k)
        tv.records.push_back({std::to_string(k + 1), "CH" + std::to_string(k),
                              std::to_string(100 + 6 * k) + ".00", "8.00", "-2.50", "DIGITAL",
                              k == 75 ? "40.0" : "60.0", "ITU J.83/B", "QAM256", "6952", "38.8",
                              "<1.0E-8"});
    TLoggerWindow& window = *program->LoggerWindow;
    QFont large = window.TaulaRegistre->font();
    large.setPointSize(16);
    window.TaulaRegistre->setFont(large);
    window.showModally();
    const QFontMetrics metrics(window.TaulaRegistre->font());
    for (int column = 0; column < window.TaulaRegistre->columnCount(); ++column) {
        for (int row : {0, 150})
            EXPECT_GE(window.TaulaRegistre->columnWidth(column),
                      metrics.horizontalAdvance(window.TaulaRegistre->cell(column, row)))
                << column;
    }
    EXPECT_EQ(window.TaulaRegistre->item(76, 6)->background().color(), QColor(255, 205, 205));
    EXPECT_EQ(window.TaulaRegistre->item(75, 6)->background().style(), Qt::NoBrush);
    // The verdict column, last, says why; the row's number says it too.
    EXPECT_EQ(window.TaulaRegistre->cell(12, 76), "Level 40.0 < 47.0");
    EXPECT_EQ(window.TaulaRegistre->cell(12, 75), "Pass");
    EXPECT_EQ(window.TaulaRegistre->item(76, 0)->toolTip(), "Level 40.0 < 47.0");
    // The first failing row is brought into view, under the title row that stays in view.
    const QRect shownRows = window.TaulaRegistre->viewport()->rect();
    EXPECT_TRUE(shownRows.contains(
        window.TaulaRegistre->visualItemRect(window.TaulaRegistre->item(76, 0))));
    EXPECT_FALSE(
        shownRows.contains(window.TaulaRegistre->visualItemRect(window.TaulaRegistre->item(0, 0))));
    ASSERT_NE(window.TaulaRegistre->frozenTitle(), nullptr);
    EXPECT_TRUE(window.TaulaRegistre->frozenTitle()->isVisibleTo(&window));
    EXPECT_EQ(window.TaulaRegistre->frozenTitle()->geometry().top(),
              window.TaulaRegistre->viewport()->geometry().top());

    QImage image(QSize(800, 300), QImage::Format_RGB32);
    QPainter painter(&image);
    window.Graph->paintGraph(painter, image.size());
    painter.end();
    const GraphLayout layout =
        LayoutGraph(TvGraphChannels(tv), {}, window.limits(), 45.0, 800, 300);
    auto colourOf = [&](const GraphBar& bar) {
        return image.pixelColor(int(bar.rect.left + bar.rect.width / 2),
                                int(bar.rect.top + bar.rect.height - 2));
    };
    EXPECT_EQ(colourOf(layout.bars[75]), GraphView::kOutside);
    EXPECT_EQ(colourOf(layout.bars[10]), GraphView::kDigital);
}

}  // namespace
}  // namespace veltra

namespace veltra {
namespace {

// A comparison belongs to the logger it was made for: opening another logger ends it, and so
// does "Stop comparing".
TEST_F(LoggerTab, AComparisonEndsWithItsLoggerOrWhenStopped) {
    TvLogger& tv = program->loggers->records.tv;
    tv = {};
    tv.records.push_back({"1", "D1", "602.00", "8.00", "0.00", "DIGITAL", "60.0", "DVB-C", "QAM256",
                          "6952", "38.8", "<1.0E-8"});
    TvLogger other = tv;
    other.name = "OTHER";
    TLoggerWindow& window = *program->LoggerWindow;
    const struct {
        const char* step;
        std::function<void()> act;
        bool comparing;
    } steps[] = {
        {"opened", [&] { window.showModally(); }, false},
        {"compared", [&] { window.compareWith(other); }, true},
        {"another logger opened", [&] { window.showModally(); }, false},
        {"compared again", [&] { window.compareWith(other); }, true},
        {"stopped", [&] { window.StopComparing->trigger(); }, false},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(window.TaulaRegistre->columnCount(), s.comparing ? 15 : 13) << s.step;
        EXPECT_EQ(window.StopComparing->isEnabled(), s.comparing) << s.step;
        EXPECT_EQ(window.OnlyInOne->text().isEmpty(), !s.comparing) << s.step;
    }
}

// The Limits dialog: a set of the program's chosen, an own set saved and offered again, a bad
// file and a bad value refused with the shown set kept, a changed set of the program's no longer
// named as it.
TEST_F(LoggerTab, TheLimitsDialogChoosesMakesAndSharesSets) {
    TvLogger& tv = program->loggers->records.tv;
    tv = {};
    tv.records.push_back({"1", "D1", "602.00", "8.00", "0.00", "DIGITAL", "46.0", "DVB-C", "QAM64",
                          "6952", "30.0", "<1.0E-8"});
    TLoggerWindow& window = *program->LoggerWindow;
    window.showModally();
    EXPECT_EQ(window.TaulaRegistre->cell(12, 1), "Level 46.0 < 47.0; MER 30.0 < 32.0");
    const std::string bad = folder.write("bad.limits", "name = Bad\n");
    std::size_t messages = 0;
    // One more message, with the text of `key` around what was filled in.
    auto said = [&](int key) {
        const std::string words = text(key), shown = prompts.messages.back().text;
        const std::size_t place = words.find("%1");
        return prompts.messages.size() == ++messages &&
               shown.rfind(words.substr(0, place), 0) == 0 &&
               shown.find(words.substr(place + 2)) != std::string::npos;
    };
    const std::function<bool(TLimitsDialog&)> steps[] = {
        [&](TLimitsDialog& d) {
            d.LimitSetChoice->setCurrentIndex(1);  // "Subscriber outlet, 64QAM"
            d.LimitSetChoiceChange(1);
            d.accept();
            return d.result() == QDialog::Accepted;
        },
        [&](TLimitsDialog& d) {
            d.LimitSetName->setText("Team");
            d.Values[2]->setValue(50);  // digital level from 50
            d.SaveOwnClick();
            EXPECT_TRUE(said(text::kLimitSetSaved));
            d.LimitSetName->setText("Subscriber outlet, 64QAM");
            d.SaveOwnClick();
            EXPECT_TRUE(said(text::kLimitSetBuiltInName));
            return false;
        },
        [&](TLimitsDialog& d) {
            EXPECT_GE(d.LimitSetChoice->findText("Team"), 0);
            prompts.files = {bad};
            d.ImportClick();
            EXPECT_TRUE(said(text::kLimitSetBad));
            EXPECT_EQ(d.LimitSetName->text(), "Subscriber outlet, 64QAM");
            d.BerEdit->setText("lots");
            d.accept();
            EXPECT_TRUE(said(text::kLimitSetBad));
            return d.result() == QDialog::Accepted;
        },
        [&](TLimitsDialog& d) {
            d.LimitSetChoice->setCurrentIndex(0);
            d.LimitSetChoiceChange(0);
            d.Values[4]->setValue(25);  // minimum MER
            d.accept();
            return d.result() == QDialog::Accepted;
        },
    };
    const std::string expected[] = {"Subscriber outlet, 64QAM", "Subscriber outlet, 64QAM",
                                    "Subscriber outlet, 64QAM", "Subscriber outlet, 256QAM *"};
    for (std::size_t k = 0; k < std::size(steps); ++k) {
        window.setLimitsRunner(steps[k]);
        window.LimitsClick();
        EXPECT_EQ(window.limitSet().name, expected[k]) << k;
    }
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Limits" / "Team.limits"));
    EXPECT_EQ(window.TaulaRegistre->cell(12, 1), "Level 46.0 < 47.0");
    EXPECT_DOUBLE_EQ(window.limitSet().minMer, 25);
    window.setLimitSet(BuiltInLimitSets().front());  // kept between runs: the next test's too
}

}  // namespace
}  // namespace veltra

namespace veltra {
namespace {

// In dBmV the Limits dialog shows and takes levels in dBmV, and the set keeps dBuV; a range
// whose minimum is above its maximum is said in words.
TEST_F(LoggerTab, TheLimitsDialogSpeaksTheChosenUnit) {
    const LimitSet& set = BuiltInLimitSets().front();
    TLimitsDialog dialog(set, {}, nullptr, language->table(), nullptr, LevelUnit::dBmV);
    EXPECT_DOUBLE_EQ(dialog.Values[0]->value(), set.analogLevel.min - 60);
    EXPECT_TRUE(dialog.findChild<QLabel*>("LimitLabel0")->text().contains("dBmV"));
    std::string error;
    auto shown = dialog.shownSet(error);
    ASSERT_TRUE(shown) << error;
    EXPECT_DOUBLE_EQ(shown->analogLevel.min, set.analogLevel.min);
    EXPECT_DOUBLE_EQ(shown->digitalToAnalog.min, set.digitalToAnalog.min);  // a difference
    dialog.Values[0]->setValue(dialog.Values[1]->value() + 1);
    EXPECT_FALSE(dialog.shownSet(error));
    EXPECT_EQ(error, FillIn(text(text::kMinAboveMax), {"Analog level (dBmV)"}));
    EXPECT_FALSE(dialog.Values[0]->styleSheet().isEmpty());
}

// The report of a fetched 120-channel logger: the job's details asked and remembered, the
// instrument named, the table over pages with its header on each, a PDF written whole.
// VELTRA_REPORT_PAGES names a folder for the PDF and pictures of its pages, to look at.
TEST_F(LoggerTab, TheReportOfALoggerGoesOverPagesIntoAPdf) {
    form().LoggerType->setCurrentIndex(1);
    form().ReceiveLogButClick();
    form().LoggerIndexMouseUp(true, 1, 1);
    form().LoggerIndexDblClick();
    TLoggerWindow& window = *program->LoggerWindow;
    ReportDetails asked;
    window.setDetailsRunner([&](ReportDetails& details) {
        asked = details;
        details = {"A. Técnico", "Calle Mayor 5, outlet 2", "WO-2231", "after the amplifier"};
        return true;
    });
    const std::string pdf = folder.str() + "NORTH.pdf";
    prompts.files = {pdf};
    window.SaveReportClick();
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(pdf, bytes, 1 << 24));
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    EXPECT_TRUE(prompts.messages.empty());
    // Asked again with what was given last.
    prompts.files = {};
    window.SaveReportClick();
    EXPECT_EQ(asked.workOrder, "WO-2231");

    const LoggerReport report = window.report(asked);
    auto fact = [&](const std::string& value) {
        return std::any_of(report.facts.begin(), report.facts.end(),
                           [&](const auto& f) { return f.second == value; });
    };
    EXPECT_TRUE(fact("A. Técnico"));
    EXPECT_TRUE(fact(form().identity().serial));
    // Fetched from the simulated instrument: the report says so.
    EXPECT_TRUE(fact(form().identity().model + " (" + text(text::kSimulatedInstrument) + ")"));
    EXPECT_TRUE(fact("NORTH"));
    ASSERT_EQ(report.tables.size(), 1u);
    EXPECT_EQ(report.tables[0].rows.size(), 120u);
    EXPECT_EQ(report.tables[0].header.back(), text(text::kVerdictHeader));
    EXPECT_EQ(report.limitSet, text(text::kReportLimitSet) + ": Subscriber outlet, 256QAM");
    const ReportPages pages(report, window.reportGraphs(), language->table());
    const auto pictures = pages.pictures(100);
    EXPECT_GE(pictures.size(), 3u);
    EXPECT_EQ(static_cast<int>(pictures.size()), pages.pageCount());

    // Compared with another logger: every column the viewer shows and the verdicts, in tables
    // that fit the page (a second one for the columns that do not).
    TvLogger earlier = program->loggers->records.tv;
    earlier.name = "EARLIER";
    window.compareWith(earlier);
    const LoggerReport compared = window.report(asked);
    ASSERT_EQ(compared.tables.size(), 1u);
    EXPECT_EQ(compared.tables[0].header.size(), 15u);
    EXPECT_EQ(compared.tables[0].header.back(), text(text::kVerdictHeader));
    const auto comparedPictures =
        ReportPages(compared, window.reportGraphs(), language->table()).pictures(100);
    EXPECT_GE(comparedPictures.size(), pictures.size());
    window.compareWith(std::nullopt);
    if (const QString shown = qEnvironmentVariable("VELTRA_REPORT_PAGES"); !shown.isEmpty()) {
        WriteFileAtomically(fromQt(shown) + "/report.pdf", bytes);
        for (std::size_t k = 0; k < pictures.size(); ++k)
            pictures[k].save(shown + QString("/page-%1.png").arg(k + 1));
        for (std::size_t k = 0; k < comparedPictures.size(); ++k)
            comparedPictures[k].save(shown + QString("/compared-page-%1.png").arg(k + 1));
    }
}

}  // namespace
}  // namespace veltra
