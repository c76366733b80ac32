#include <QTest>

#include "support/ProgramFixture.h"

namespace veltra {
namespace {

class ChannelPlanTab : public test::ProgramFixture {
  protected:
    void SetUp() override {
        sim.addPlanFromFile(
            FormatPlanFile("EUROP", {"0,E5,175250000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO"}));
        sim.addPlanFromFile(FormatPlanFile(
            "DVBC", {"0,S21,306000000,8000000,0,DIGITAL,ON,DVB-C,QAM256,6952,NO GROUP,NO"}));
        create();
    }
};

TEST_F(ChannelPlanTab, ReadButtonFillsTheListAndShowsTheProgressWindow) {
    QTest::mouseClick(form().ReceiveBut, Qt::LeftButton);
    ASSERT_EQ(form().Llista->count(), 2);
    EXPECT_EQ(form().Llista->item(1)->text(), "DVBC");
    EXPECT_TRUE(form().Llista->isEnabled());
    EXPECT_TRUE(form().DelSelBut->isEnabled());
    EXPECT_TRUE(form().LoadBut->isEnabled());

    TUpdatingFORM& window = *program->UpdatingFORM;
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window.Progres->width(), 313);
    EXPECT_EQ(window.DoNotDisconnect->width(), 295);
    EXPECT_TRUE(window.DoNotDisconnect->wordWrap());
    EXPECT_EQ(window.Status->text().toStdString(), text(55));
    EXPECT_EQ(window.windowTitle().toStdString(), text(45));
    EXPECT_TRUE(window.OutUpd->isEnabled());
    QTest::mouseClick(window.OutUpd, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(folder.exists("EUROP.temp"));
}

TEST_F(ChannelPlanTab, TheProgressWindowStaysOpenWhileTheOperationRuns) {
    TUpdatingFORM& window = *program->UpdatingFORM;
    window.prepare("caption", "status", "warning", 0);
    EXPECT_FALSE(window.OutUpd->isEnabled());
    EXPECT_FALSE(window.close());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    window.finish();
    EXPECT_EQ(window.Progres->value(), window.Progres->maximum());  // an empty job shows done
    EXPECT_TRUE(window.close());
}

TEST_F(ChannelPlanTab, DeleteFromTheTab) {
    QTest::mouseClick(form().ReceiveBut, Qt::LeftButton);
    form().Llista->item(0)->setSelected(true);
    prompts.yesNoAnswers = {true};
    QTest::mouseClick(form().DelSelBut, Qt::LeftButton);
    ASSERT_EQ(form().Llista->count(), 1);
    EXPECT_EQ(form().Llista->item(0)->text(), "DVBC");
    EXPECT_EQ(sim.plans().size(), 1u);
}

// An installed program cannot write beside itself: its copies go with config.txt to the user's
// data folder, never to the current folder (the home folder, started from the desktop menu).
class InstalledChannelPlanTab : public ChannelPlanTab {
  protected:
    void SetUp() override {
        dataFolder = userData.str();
        ChannelPlanTab::SetUp();
    }
    test::TempFolder userData;
};

TEST_F(InstalledChannelPlanTab, CopiesLiveInTheUserDataFolder) {
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    QTest::mouseClick(form().ReceiveBut, Qt::LeftButton);
    EXPECT_TRUE(userData.exists("EUROP.temp"));
    EXPECT_FALSE(folder.exists("EUROP.temp"));
    EXPECT_EQ(program->channelPlans->copiesFolder(), userData.str());
    form().Llista->item(0)->setSelected(true);
    prompts.yesNoAnswers = {true};
    QTest::mouseClick(form().DelSelBut, Qt::LeftButton);
    std::filesystem::current_path(cwd);
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(sim.plans().size(), 1u);
    EXPECT_EQ(sim.plans()[0].channels.size(), 1u);
}

}  // namespace
}  // namespace veltra
