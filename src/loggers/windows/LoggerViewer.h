// The frame the three logger viewers share: menu, logger name (a click renames it), file name,
// date and time, version label, the save-as and print entries.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "face/UserPrompts.h"
#include "language/LanguageTable.h"
#include "language/WindowTextTables.h"
#include "language/WindowTexts.h"
#include "loggers/LoggerRecords.h"
#include "loggers/LoggerReport.h"
#include "loggers/Verdicts.h"
#include "loggers/windows/GraphView.h"
#include "widgets/StringGrid.h"

namespace veltra {

class TDialog;
class TLimitsDialog;

class LoggerViewer : public QDialog, public WindowTexts {
    Q_OBJECT
  public:
    struct Layout {
        QPoint name;
        QRect fileName;
        QPoint dateLabel, dateField;
        int dateWidth;
        QPoint timeLabel, timeField;
        QPoint version;
    };

    // `texts`: the viewer's caption and its own controls' texts, put on beside the shared ones.
    LoggerViewer(const char* objectName, const window_text::Window& texts, const Layout& layout,
                 QWidget* parent);

    // What the viewer shows and works with; set once after all windows exist.
    void setServices(LoggerRecords* records, TDialog* dialog, const LanguageTable* texts);
    // The person, for the files the viewer's own entries ask for (the graph's picture, the
    // logger to compare with).
    void setPrompts(UserPrompts* prompts) { prompts_ = prompts; }
    // Saving the shown logger under a chosen name, exporting it as a spreadsheet, printing it.
    void setFileHandlers(std::function<void(FileDialogState&)> saveAs,
                         std::function<void(FileDialogState&)> exportCsv,
                         std::function<void()> print) {
        saveAs_ = std::move(saveAs);
        exportCsv_ = std::move(exportCsv);
        print_ = std::move(print);
    }

    // Puts the record of this viewer's kind on screen.
    virtual void showRecord() = 0;
    // Shows the record modally (tests replace how).
    void showModally();
    void setModalRunner(std::function<void(LoggerViewer&)> runner) {
        modalRunner_ = std::move(runner);
    }

    void applyLanguageTexts(const LanguageTable& texts) override;
    void LoggerNameLabelClick();
    void DesarRegistreComAClick();
    void ImprimirRegistreClick();
    void SaveGraphClick();
    void LimitsClick();

    QMenuBar* MainMenu;
    QMenu* Archivo1;
    QMenu* Help1;
    QAction *DesarRegistreComA, *ImprimirRegistre, *ExportCsv, *SortirFinestraRegistre;
    QLabel *LoggerNameLabel, *FileNameLabel, *DataLabel, *HoraLabel, *VersioControllerLabel;
    // The graph of the shown logger, its picture and its limits (viewers that have one); the
    // modem viewer has a second graph, each with limits of its own.
    GraphView* Graph = nullptr;
    QAction *SaveGraph = nullptr, *LimitsEntry = nullptr;
    FileDialogState GraphDialog;
    // The limit set the viewer judges and draws by, chosen in its Limits dialog; a graph's
    // limits of it.
    const LimitSet& limitSet() const { return limitSet_; }
    Limits limits(std::size_t graph = 0) const;
    // A new limit set: kept between runs, the record shown again with it.
    void setLimitSet(LimitSet set);
    // The unit every level is shown, charted, judged in words and exported in: the program's
    // one choice, kept between runs; the logger files keep the instrument's dBuV.
    static LevelUnit ShownLevelUnit();
    void setLevelUnit(LevelUnit unit);
    // Told when the person chooses another unit or limit set.
    void setChoicesChanged(std::function<void()> changed) { choicesChanged_ = std::move(changed); }
    QAction* LevelsInDbmv = nullptr;
    // The report of the shown logger: "Save report as PDF...", "Print report...". The details
    // of the job are asked first (tests answer through `setDetailsRunner`) and remembered; the
    // instrument is named when `instrument` knows it.
    QAction *SaveReport = nullptr, *PrintReport = nullptr;
    FileDialogState ReportDialog;
    void SaveReportClick();
    void PrintReportClick();
    LoggerReport report(const ReportDetails& details);
    std::vector<QImage> reportGraphs() const;
    void setDetailsRunner(std::function<bool(ReportDetails&)> runner) {
        detailsRunner_ = std::move(runner);
    }
    void setInstrument(std::function<ReportInstrument()> instrument) {
        instrument_ = std::move(instrument);
    }
    // Where the technician's own limit sets are kept.
    void setLimitSetsFolder(std::string folder) { limitSetsFolder_ = std::move(folder); }
    // Runs the Limits dialog in place of exec(), true for accepted (tests answer it so).
    void setLimitsRunner(std::function<bool(TLimitsDialog&)> runner) {
        limitsRunner_ = std::move(runner);
    }
    QLineEdit *LoggerDateEdit, *LoggerHourEdit;
    // The verdict in words over the table: pass or fail, how many channels pass and the first
    // that fails, then the network figures (their limits in the hint).
    QLabel* Summary;
    FileDialogState SaveLoggerDialog;
    FileDialogState CsvDialog;

  protected:
    // The tables a report gives, each with the key of its title (0 for none), and the logger's
    // channel plan.
    virtual std::vector<std::pair<const StringGrid*, int>> reportTables() const = 0;
    virtual std::string recordPlan() const { return {}; }
    // The comparison shown with the logger, in words (empty when none).
    virtual std::string recordComparison() const { return {}; }
    // The record's name, file name, date and time.
    virtual std::string& recordName() = 0;
    virtual const std::string& recordFileName() = 0;
    virtual const std::string& recordDate() = 0;
    virtual const std::string& recordTime() = 0;
    void showCommonFields();
    // A labelled read-only field in the 12-point font.
    QLineEdit* field(const char* name, QPoint at, int width);
    QLabel* label(const char* name, QPoint at);
    StringGrid* table(const char* name, const QRect& geometry, int columns, int rows);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The client area has a new size (at least the opening one): the tables take the room.
    virtual void clientResized(QSize) {}
    // Another logger is about to be shown: what was made for the last one (a comparison) ends.
    virtual void anotherLogger() {}
    // Brings the first failing row into view.
    void revealFirstFailure();
    // Columns at least `minimum` wide (one width per column) and wide enough for every cell.
    static void FitColumns(StringGrid* grid, const int* minimum);
    // The size the viewer opens at where the screen has room: its client's, at least the
    // client's least size.
    void setOpeningSize(int width, int height);
    // The width that shows every column whole: the columns, the frame, and the scroll bar of a
    // table whose rows scroll.
    static int ColumnsWidth(const StringGrid* grid, bool rowsScroll = false);
    // The levels of `column` of `grid` (from row 1) in the shown unit, the unit named in its
    // header and the client's labels.
    void showLevels(StringGrid* grid, int column);
    // Each channel's verdict in the last column of `grid` (row k + 1 for the logger's row k of
    // the direction `upstream`), a failing row marked by colour and by a sign, its reasons as
    // the row number's hint.
    void showVerdicts(StringGrid* grid, const LoggerVerdict& verdict, bool upstream = false);
    // The summary of `verdict`; the viewer places it, as wide as it likes, and gives it the
    // height summaryRoom() says, which depends on that width.
    void showSummary(const LoggerVerdict& verdict);
    // The height the summary takes with the gap under it.
    int summaryRoom() const;
    // The saved graphs' captions: the logger, its date and time, the limit set and each
    // graph's limits of it.
    void showGraphCaption();
    // Hovering a bar of `graph` shows the row of `table` its channel comes from.
    void showRowsOnHover(GraphView* graph, StringGrid* table,
                         std::function<std::vector<GraphChannel>()> channelsShown);
    // Creates a graph, its menu entries with the first; the viewer's limit set is kept under the
    // first graph's `key`, each graph drawing the limits of its `kind`.
    // `title`: the key of the words over a graph that shares the window with another.
    GraphView* addGraph(const char* key, LoggerKindShown kind, int title = 0);

    QWidget* client_;
    LoggerRecords* records_ = nullptr;
    UserPrompts* prompts_ = nullptr;
    TDialog* dialog_ = nullptr;
    const LanguageTable* texts_ = nullptr;
    const window_text::Window& windowTexts_;

  private:
    struct GraphPanel {
        GraphView* view;
        LoggerKindShown kind;
        int title;
    };
    std::vector<GraphPanel> graphs_;
    // The limit set kept under `key`, else the program's first.
    void loadLimitSet(std::string key);
    std::string limitsKey_;
    LimitSet limitSet_;
    std::string limitSetsFolder_;
    std::function<bool(TLimitsDialog&)> limitsRunner_;
    std::function<void()> choicesChanged_;
    std::function<bool(ReportDetails&)> detailsRunner_;
    std::function<ReportInstrument()> instrument_;
    // The details of the job, asked with the last ones filled in and kept; false when cancelled.
    bool askDetails(ReportDetails& details);
    LoggerVerdict verdict_;
    std::function<void(FileDialogState&)> saveAs_;
    std::function<void(FileDialogState&)> exportCsv_;
    std::function<void()> print_;
    std::function<void(LoggerViewer&)> modalRunner_;
};

// Puts a row's texts into a grid row, from column `first`.
template <std::size_t N>
void ShowRow(StringGrid* grid, int row, const std::array<std::string, N>& cells, int first = 0);

// A row outside the limits.
inline const QColor kOutsideRow(255, 205, 205);

// The viewers' background: the desktop's inactive caption text colour.
inline const QColor kViewerColor(216, 228, 248);

}  // namespace veltra
