#ifdef _WIN32
#include <windows.h>

#include <dbt.h>
#endif

#include <QGuiApplication>

#include "instrument/Clock.h"
#include "support/ProgramFixture.h"
#include "widgets/QtText.h"

namespace veltra {
namespace {

class ConnectionPanel : public test::ProgramFixture {};

TEST_F(ConnectionPanel, ShowsTheConnectedInstrument) {
    create();
    EXPECT_EQ(form().Connexio->text(), toQt(text(14)));
    EXPECT_EQ(form().Mod->text(), "VELTRA-52");
    EXPECT_EQ(form().SN->text(), "VT520417");
    EXPECT_EQ(form().IOV->text(), "IO 2.05");
    EXPECT_EQ(form().VTV->text(), " 3.12");
    EXPECT_TRUE(form().Model->isEnabled());
    EXPECT_TRUE(form().VTVersion->isEnabled());
    EXPECT_TRUE(form().ReceiveBut->isEnabled());
    EXPECT_EQ(form().Connexio->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    // Start-up traffic: the connection text's search, then the panel's three queries.
    EXPECT_EQ(sim.commandsSent(), (std::vector<std::string>{"*?NS", "", "*?VE"}));
}

TEST_F(ConnectionPanel, UnplugEmptiesThePanelTheListAndTheLoggerIndex) {
    create();
    form().Llista->setEnabled(true);
    form().Llista->addItem("PLAN1");
    form().DelSelBut->setEnabled(true);
    form().LoggerIndex->setCell(1, 5, "LOG");
    form().LoggerIndex->setCell(4, 5, "YES");

    sim.setPlugged(false);
    form().ConnectionStatus();

    EXPECT_EQ(form().Connexio->text(), toQt(text(15)));
    EXPECT_EQ(form().Connexio->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    for (QLabel* value : {form().Mod, form().SN, form().IOV, form().VTV})
        EXPECT_EQ(value->text(), "");
    for (QWidget* off : std::initializer_list<QWidget*>{
             form().Model, form().SNumber, form().IOVersion, form().VTVersion, form().ReceiveBut,
             form().DelSelBut, form().LoadBut, form().Llista})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_EQ(form().Llista->count(), 0);
    EXPECT_EQ(form().LoggerIndex->cell(1, 5), "");
    EXPECT_EQ(form().LoggerIndex->cell(4, 5), "");
    EXPECT_EQ(form().LoggerIndex->cell(0, 5), "4");
    EXPECT_EQ(form().LoggerIndex->cell(1, 0), toQt(text(20)));
}

TEST_F(ConnectionPanel, ABurstOfNotificationsGivesOneCheck) {
    create();
    sim.setDeviceChangeCallback([this] { form().AppMessage(); });
    sim.clearTraffic();
    sim.setPlugged(false);
    form().AppMessage();
    form().AppMessage();
    EXPECT_TRUE(form().Timer2.isActive());
    EXPECT_EQ(form().Timer2.interval(), 1200);
    EXPECT_EQ(form().Connexio->text(), toQt(text(14)));  // nothing checked before the tick
    // The tick, without waiting 1.2 seconds.
    form().Timer2Timer();
    EXPECT_FALSE(form().Timer2.isActive());
    EXPECT_EQ(form().Connexio->text(), toQt(text(15)));

    sim.setPlugged(true);  // plugging back in starts a fresh check with fresh values
    EXPECT_TRUE(form().Timer2.isActive());
    sim.identity().serial = "VT529999";
    form().Timer2Timer();
    EXPECT_EQ(form().SN->text(), "VT529999");
}

#ifdef _WIN32
// Windows' device-change message to the main window starts the check; other messages do not.
TEST_F(ConnectionPanel, WindowsDeviceChangeMessageStartsTheCheck) {
    if (QGuiApplication::platformName() != "windows") GTEST_SKIP() << "needs Windows' platform";
    create();
    form().show();
    const HWND window = reinterpret_cast<HWND>(form().winId());
    ::SendMessageW(window, WM_NULL, 0, 0);
    EXPECT_FALSE(form().Timer2.isActive());
    ::SendMessageW(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    EXPECT_TRUE(form().Timer2.isActive());
}
#endif

TEST_F(ConnectionPanel, ARunningOperationKeepsTheDeviceToItself) {
    create();
    sim.clearTraffic();
    DeviceBusy::Guard operation(program->busy);
    sim.setPlugged(false);
    form().AppMessage();
    form().Timer2Timer();
    EXPECT_TRUE(form().Timer2.isActive());  // looks again later
    EXPECT_EQ(form().Connexio->text(), toQt(text(14)));
    form().Puestaenhora1Click();
    EXPECT_TRUE(sim.commandsSent().empty());
    EXPECT_EQ(sim.openHandles(), 1);
}

TEST_F(ConnectionPanel, LanguageSwitchSetsTheConnectionTextAfterASearch) {
    create();
    sim.setPlugged(false);
    form().language().setName("Espa\xC3\xB1ol");
    form().SetLanguage();
    EXPECT_EQ(form().Connexio->text(), "No conectado");
    sim.setPlugged(true);
    form().SetLanguage();
    EXPECT_EQ(form().Connexio->text(), "Conectado");
}

TEST_F(ConnectionPanel, ClockSettingSendsTheClockAndResynchronises) {
    create();
    sim.clearTraffic();
    std::tm when{};
    when.tm_year = 2014 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 7;
    when.tm_hour = 9;
    when.tm_min = 5;
    when.tm_sec = 3;
    DeviceBusy busy;
    SetInstrumentClock(
        form().link(), busy, prompts, [this](int code) { form().ShowMessageCode(code); },
        fromQt(form().SN->text()), when);
    EXPECT_EQ(sim.commandsSent(), (std::vector<std::string>{"*SK09:05:03/07-03-2014", "*?NS"}));
    EXPECT_EQ(sim.pendingAnswers(), 0u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.waitDepth, 0);
}

TEST_F(ConnectionPanel, ClockSettingWithoutInstrumentShowsMessage7) {
    create();
    sim.setPlugged(false);
    sim.clearTraffic();
    form().Puestaenhora1Click();
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{messageText(7)});
    EXPECT_TRUE(sim.commandsSent().empty());
    EXPECT_EQ(prompts.waitDepth, 0);
}

TEST_F(ConnectionPanel, ClockSettingThatNeverComesBackInStepShowsMessage7) {
    create();
    sim.silence("*?NS");
    form().Puestaenhora1Click();
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{messageText(7)});
    EXPECT_EQ(prompts.waitDepth, 0);
}

}  // namespace
}  // namespace veltra
