#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "language/WindowTextTables.h"
#include "support/ProgramFixture.h"
#include "widgets/QtText.h"

namespace veltra {
namespace {

// A language whose text N is "K<N>", so every control shows which key it carries.
class WindowTexts : public test::ProgramFixture {
  protected:
    void SetUp() override {
        std::string probe;
        for (int key = 0; key < kLanguageTextCount; ++key)
            probe += "x," + std::to_string(key) + "=K" + std::to_string(key) + "\n";
        folder.write("Languages/Probe.lng", probe);
        create();
        form().language().setName("Probe");
        form().SetLanguage();
    }
    static QString K(int key) { return "K" + QString::number(key); }

    // The text a named control of `window` shows (its hint where marked).
    static QString TextOf(QWidget* window, const window_text::Control& control) {
        const char* name = control.name;
        if (control.hint) {
            auto* widget = window->findChild<QWidget*>(name);
            return widget ? widget->toolTip() : "<missing " + QString(name) + ">";
        }
        if (auto* page = window->findChild<QWidget*>(name)) {
            auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
            if (tabs && tabs->indexOf(page) >= 0) return tabs->tabText(tabs->indexOf(page));
        }
        if (auto* label = window->findChild<QLabel*>(name)) return label->text();
        if (auto* button = window->findChild<QPushButton*>(name)) return button->text();
        if (auto* group = window->findChild<QGroupBox*>(name)) return group->title();
        if (auto* menu = window->findChild<QMenu*>(name)) return menu->title();
        if (auto* action = window->findChild<QAction*>(name)) return action->text();
        return "<missing " + QString(name) + ">";
    }
};

TEST_F(WindowTexts, EveryWindowCarriesItsTexts) {
    using namespace window_text;
    const struct {
        QWidget* window;
        const Window& texts;
    } windows[] = {
        {&form(), kForm1},
        {program->ConfUpgr, kConfUpgr},
        {program->UpdatingFORM, kUpdatingForm},
        {program->AboutVELTRA52, kAboutVeltra52},
        {program->AboutController, kAboutController},
        {program->Oculta, kOculta},
        {program->Editor, kEditor},
        {program->LoggerWindow, kTvViewer},
        {program->DownWindow, kDownViewer},
        {program->ModemWindow, kModemViewer},
    };
    auto check = [](QWidget* window, std::span<const Control> controls) {
        for (const Control& control : controls)
            EXPECT_EQ(TextOf(window, control), K(control.key))
                << window->objectName().toStdString() << "." << control.name;
    };
    for (const auto& w : windows) {
        EXPECT_EQ(w.window->windowTitle(), K(w.texts.caption))
            << w.window->objectName().toStdString();
        check(w.window, w.texts.controls);
    }
    for (QWidget* viewer :
         {static_cast<QWidget*>(program->LoggerWindow), static_cast<QWidget*>(program->DownWindow),
          static_cast<QWidget*>(program->ModemWindow)})
        check(viewer, kViewerControls);
    // The keys of a few controls, as the instrument's language files carry them.
    EXPECT_EQ(form().windowTitle(), K(31));
    EXPECT_EQ(form().PageControl->tabText(1), K(116));
    EXPECT_EQ(program->Editor->ChPlanNameLabel->toolTip(), K(166));
    EXPECT_EQ(form().PrintSelBut->text().simplified(), K(123));
    for (int column = 1; column <= 4; ++column)
        EXPECT_EQ(form().LoggerIndex->cell(column, 0), K(19 + column));
    for (LoggerViewer* viewer : std::initializer_list<LoggerViewer*>{
             program->LoggerWindow, program->ModemWindow, program->DownWindow})
        EXPECT_EQ(viewer->VersioControllerLabel->text(), "VELTRA-52 Software v1.21");
    const int editorHeaders[12] = {0, 81, 82, 83, 84, 85, 87, 88, 89, 90, 91, 86};
    for (int column = 1; column < 12; ++column)
        EXPECT_EQ(program->Editor->headerTexts()[static_cast<std::size_t>(column)],
                  K(editorHeaders[column]));
    const int downHeaders[5] = {0, 145, 146, 82, 131};
    for (int column = 1; column < 5; ++column)
        EXPECT_EQ(program->DownWindow->TaulaRegistre->cell(column, 0), K(downHeaders[column]));
    const int modemHeaders2[8] = {0, 147, 82, 131, 162, 83, 89, 150};
    for (int column = 1; column < 8; ++column)
        EXPECT_EQ(program->ModemWindow->TaulaRegistre2->cell(column, 0), K(modemHeaders2[column]));
    EXPECT_EQ(program->AboutController->VersioControllerLabel->text(), "VELTRA-52 Software v1.21");
}

}  // namespace
}  // namespace veltra
