// Every window on a field laptop's screen: 1366 x 768 pixels at 100 % and at a scale of 1.5, as
// the test command runs this file (the check is skipped in other runs). Each window opens inside
// the screen, its controls are not cut by their parent, and no two of them overlap.
#include <QAbstractScrollArea>
#include <QMenuBar>
#include <QScreen>
#include <QTabWidget>

#include "support/ProgramFixture.h"
#include "support/SampleLoggers.h"
#include "widgets/WindowStyle.h"

namespace veltra {
namespace {

class ScreenFit : public test::ProgramFixture {
  protected:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("VELTRA_SCREEN_CHECK"))
            GTEST_SKIP() << "run by the test command on a 1366 x 768 screen at 150 %";
        sim.tvLoggers()[4] = test::TvLogger("NORTH", 40);
        create();
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
    Check(&form());
    for (QWidget* window : std::initializer_list<QWidget*>{
             program->Editor, program->LoggerWindow, program->DownWindow, program->ModemWindow,
             program->ConfUpgr, program->UpdatingFORM, program->AboutVELTRA52,
             program->AboutController, program->Oculta, program->Dialog})
        Check(window);
}

}  // namespace
}  // namespace veltra
