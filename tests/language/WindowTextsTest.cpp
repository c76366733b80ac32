#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <set>

#include "language/WindowTextTables.h"
#include "loggers/windows/TLimitsDialog.h"
#include "shell/windows/QtTranslations.h"
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
        if (control.shows != window_text::Shows::Text) {
            auto* widget = window->findChild<QWidget*>(name);
            if (!widget) return "<missing " + QString(name) + ">";
            return control.shows == window_text::Shows::Hint ? widget->toolTip()
                                                             : widget->accessibleDescription();
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
    // The tests run on the simulated instrument, which the main window names in its title and
    // its connection panel.
    const QString simulated = " (" + K(text::kSimulatedInstrument) + ")";
    const QString simulatedTitle =
        K(text::kSimulatedInstrument) + QString::fromUtf8(" \xE2\x80\x94 ");
    auto check = [&](QWidget* window, std::span<const Control> controls) {
        for (const Control& control : controls)
            EXPECT_EQ(TextOf(window, control),
                      K(control.key) + (std::string(control.name) == "CStatus" ? simulated : ""))
                << window->objectName().toStdString() << "." << control.name;
    };
    for (const auto& w : windows) {
        EXPECT_EQ(w.window->windowTitle(),
                  (w.window == &form() ? simulatedTitle : QString()) + K(w.texts.caption))
            << w.window->objectName().toStdString();
        check(w.window, w.texts.controls);
    }
    for (QWidget* viewer :
         {static_cast<QWidget*>(program->LoggerWindow), static_cast<QWidget*>(program->DownWindow),
          static_cast<QWidget*>(program->ModemWindow)})
        check(viewer, kViewerControls);
    // The keys of a few controls, as the instrument's language files carry them.
    EXPECT_EQ(form().windowTitle(), simulatedTitle + K(31));
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

// Under a language whose every text is "K<N>", nothing a window shows is an English word of its
// own: each text is a language text, a value from the instrument or a file, or a fixed text the
// instrument's documents give (the TV table's headers, the list chooser, the about box).
TEST_F(WindowTexts, EveryShownTextComesFromTheLanguage) {
    const QRegularExpression keyed("^(K\\d+(\\s|$))+$|^$");
    const std::set<QString> fixed = {"VELTRA-52 Software v1.21",
                                     "Modem Logger",
                                     "TV Logger",
                                     "CH",
                                     "FREQ (MHz)",
                                     "BW (MHz)",
                                     "OFFS (MHz)",
                                     "TYPE",
                                     QString::fromUtf8("PWR (dB\xC2\xB5V)"),
                                     "SYSTEM",
                                     "MOD - AUD FR (MHz)",
                                     "SR - A/V (dB)",
                                     "MER - C/N (dB)",
                                     "BER"};
    // Controls that show data, not words of the program's.
    const std::set<QString> data = {"Mod",           "SN",
                                    "IOV",           "VTV",
                                    "Usb",           "Bandera",
                                    "Logo",          "LoggerNameLabel",
                                    "FileNameLabel", "ChPlanNameLabel",
                                    "VersioActual",  "Confirm",
                                    "VersionTo",     "Status",
                                    "OnlyInOne",     "ProductLine",
                                    "StaticText1",   "StaticText2",
                                    "StaticText3",   "StaticText4",
                                    "StaticText5",   "LimitSetChoice",
                                    "LimitSetName"};
    // A limit set's name and source are the set's own (the program's sets keep theirs).
    TLimitsDialog limits(program->LoggerWindow->limitSet(), folder.str(), &prompts,
                         language->table(), program->LoggerWindow);
    std::vector<QWidget*> windows = {
        &form(),         program->ConfUpgr,     program->UpdatingFORM, program->Oculta,
        program->Editor, program->LoggerWindow, program->DownWindow,   program->ModemWindow,
        &limits};
    // The instrument's own values (QAM64, PAL/BG, NO GROUP, 6952, "OK") carry no lowercase word.
    const QRegularExpression word("[a-z]{2,}");
    auto check = [&](QObject* owner, const QString& what, const QString& text) {
        if (text.isEmpty() || keyed.match(text.simplified()).hasMatch() || fixed.count(text) ||
            data.count(owner->objectName()) || !word.match(text).hasMatch() ||
            owner->objectName().startsWith("Language_"))
            return;
        ADD_FAILURE() << owner->objectName().toStdString() << " " << what.toStdString() << ": "
                      << text.toStdString();
    };
    for (QWidget* window : windows) {
        check(window, "title", window->windowTitle());
        for (QWidget* w : window->findChildren<QWidget*>()) {
            check(w, "hint", w->toolTip());
            check(w, "description", w->accessibleDescription());
            if (auto* label = qobject_cast<QLabel*>(w)) check(w, "text", label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(w)) {
                check(w, "text", button->text());
                if (qobject_cast<QPushButton*>(w)) {
                    EXPECT_FALSE(button->text().isEmpty()) << w->objectName().toStdString();
                }
            }
            if (auto* group = qobject_cast<QGroupBox*>(w)) check(w, "title", group->title());
            if (auto* menu = qobject_cast<QMenu*>(w)) check(w, "title", menu->title());
            if (auto* tabs = qobject_cast<QTabWidget*>(w))
                for (int k = 0; k < tabs->count(); ++k)
                    check(w, "tab", tabs->tabText(k));
            if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int k = 0; k < combo->count(); ++k)
                    check(w, "item", combo->itemText(k));
        }
        for (QAction* action : window->findChildren<QAction*>())
            if (!action->isSeparator()) {
                check(action, "entry", action->text());
                if (!action->objectName().isEmpty()) {
                    EXPECT_FALSE(action->text().isEmpty()) << action->objectName().toStdString();
                }
            }
    }
}

}  // namespace
}  // namespace veltra

namespace veltra {
namespace {

// Qt's own words follow the language file's name: its own name for itself, or its English one.
TEST(QtTranslations, TheLanguageFileNamesItsLocale) {
    const std::pair<const char*, const char*> cases[] = {
        {"Espa\xC3\xB1ol", "es"}, {"english", "en"}, {"Deutsch", "de"},
        {"Spanish", "es"},        {"Klingon-x", ""}, {"", ""}};
    for (const auto& [name, code] : cases)
        EXPECT_EQ(LocaleOfLanguage(QString::fromUtf8(name)), QString(code)) << name;
}

}  // namespace
}  // namespace veltra
