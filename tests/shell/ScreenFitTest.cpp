// Every window on a field laptop's screen: 1366 x 768 pixels at 100 %, at a scale of 1.5 and at
// 144 dpi, and in Spanish, as the test command runs this file (the check is skipped in other runs).
// Each window opens inside the screen, the viewers showing the demo's loggers; its controls are not
// cut by their parent, and no two of them overlap. VELTRA_SCREEN_GRAB names a folder for a picture
// of each window, to look at.
#include <QAbstractScrollArea>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>

#include "loggers/windows/ReportPages.h"
#include "loggers/windows/TLimitsDialog.h"
#include "sim/SimState.h"
#include "support/ProgramFixture.h"
#include "widgets/WindowStyle.h"

namespace veltra {
namespace {

class ScreenFit : public test::ProgramFixture {
  protected:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("VELTRA_SCREEN_CHECK"))
            GTEST_SKIP() << "run by the test command on a 1366 x 768 screen at 150 %";
        const auto demo = sim::MakeDemoInstrument();
        sim.tvLoggers() = demo->tvLoggers();
        sim.modemLoggers() = demo->modemLoggers();
        // The longer texts of another language, from config.txt as the program reads it.
        if (const QString name = qEnvironmentVariable("VELTRA_SCREEN_LANGUAGE"); !name.isEmpty())
            folder.write("config.txt", name.toStdString());
        create();
        for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{
                 program->LoggerWindow, program->ModemWindow, program->DownWindow})
            viewer->setModalRunner([](LoggerViewer&) {});
    }
    // Opens the logger of a row of the Loggers tab in its viewer.
    void openLogger(int kind, int row) {
        form().LoggerType->setCurrentIndex(kind);
        form().ReceiveLogButClick();
        form().LoggerIndexMouseUp(true, 1, row);
        form().LoggerIndexDblClick();
    }

    // The window as it opens, then its controls.
    static void Check(QWidget* window) {
        const std::string name = window->objectName().toStdString();
        CentreOnScreen(window);
        window->show();
        QCoreApplication::processEvents();
        const QRect screen = window->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(window->frameGeometry()))
            << name << " at " << window->frameGeometry().x() << "," << window->frameGeometry().y()
            << " " << window->frameGeometry().width() << "x" << window->frameGeometry().height();
        if (auto* bar = window->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(screen.contains(QRect(bar->mapToGlobal(QPoint()), bar->size()))) << name;
        }
        CheckChildren(window, name);
        if (const QString folder = qEnvironmentVariable("VELTRA_SCREEN_GRAB"); !folder.isEmpty())
            window->grab().save(folder + "/" + window->objectName() + ".png");
        window->hide();
    }
    // Named controls only: a scroll area's or a tab widget's own parts are Qt's.
    static void CheckChildren(QWidget* parent, const std::string& window) {
        std::vector<QWidget*> shown;
        for (QWidget* child :
             parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!child->isVisible() || child->isWindow()) continue;
            if (child->objectName().isEmpty() || child->objectName().startsWith("qt_")) {
                CheckChildren(child, window);  // Qt's own parts: a viewport, a tab's stack
            } else {
                shown.push_back(child);
            }
        }
        for (std::size_t a = 0; a < shown.size(); ++a) {
            const std::string name = window + "." + shown[a]->objectName().toStdString();
            // What a scroll area holds may be larger than it: it scrolls.
            if (!qobject_cast<QAbstractScrollArea*>(parent->parentWidget())) {
                EXPECT_TRUE(parent->rect().contains(shown[a]->geometry())) << name << " is cut";
            }
            for (std::size_t b = a + 1; b < shown.size(); ++b)
                EXPECT_FALSE(shown[a]->geometry().intersects(shown[b]->geometry()))
                    << name << " overlaps " << shown[b]->objectName().toStdString();
            CheckChildren(shown[a], window);
        }
    }
};

TEST_F(ScreenFit, EveryWindowOpensInsideTheScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->geometry().width(), qRound(1366 / screen->devicePixelRatio()));
    Check(&form());
    form().PageControl->setCurrentIndex(1);
    openLogger(1, 1);
    openLogger(0, 1);
    openLogger(0, 2);
    Check(&form());
    for (QWidget* window : std::initializer_list<QWidget*>{
             program->Editor, program->LoggerWindow, program->DownWindow, program->ModemWindow,
             program->ConfUpgr, program->UpdatingFORM, program->AboutVELTRA52,
             program->AboutController, program->Oculta, program->Dialog})
        Check(window);
    TLimitsDialog limits(program->LoggerWindow->limitSet(), folder.str(), &prompts,
                         language->table(), program->LoggerWindow);
    Check(&limits);
    // Each viewer's report as pictures of its pages, to look at.
    if (const QString folder = qEnvironmentVariable("VELTRA_SCREEN_GRAB"); !folder.isEmpty()) {
        for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{
                 program->LoggerWindow, program->DownWindow, program->ModemWindow}) {
            const auto pages = ReportPages(viewer->report({"A", "B", "C", "D"}),
                                           viewer->reportGraphs(), language->table())
                                   .pictures(100);
            for (std::size_t k = 0; k < pages.size(); ++k)
                pages[k].save(folder + "/report-" + viewer->objectName() +
                              QString("-%1.png").arg(k + 1));
        }
    }
}

}  // namespace
}  // namespace veltra
