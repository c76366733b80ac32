#include <gtest/gtest.h>

#include "editor/ChannelPlanEditor.h"
#include "face/Messages.h"
#include "sim/Simulator.h"
#include "support/OperationRig.h"
#include "support/ScriptedProgress.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"
#include "support/VectorGrid.h"

namespace veltra {
namespace {

class RecordedView : public EditorView {
  public:
    void showPlanName(const std::string& name) override { planName = name; }
    void showFileName(const std::string& path) override { fileName = path; }
    void repaintGrid() override { ++repaints; }
    std::string planName, fileName;
    int repaints = 0;
};

class Editor : public ::testing::Test, protected test::OperationRig {
  protected:
    ChannelPlanGrid& grid() { return editor.grid(); }

    test::VectorGrid cells;
    RecordedView view;
    PlanIndex list;
    FileDialogState dialog;
    FileDialogState saveDialog;
    ChannelPlanEditor editor{cells, view, prompts, texts};
};

TEST_F(Editor, TogglingCellsOnSelection) {
    editor.StartNewChannelPlan(false);
    EXPECT_TRUE(grid().inactive(1));
    EXPECT_FALSE(editor.TaulaCanalsSelectCell(kColActive, 1));
    EXPECT_EQ(grid().cell(kColActive, 1), "ON");
    EXPECT_FALSE(grid().inactive(1));
    EXPECT_FALSE(editor.TaulaCanalsSelectCell(kColActive, 1));
    EXPECT_EQ(grid().cell(kColActive, 1), "OFF");
    EXPECT_TRUE(grid().inactive(1));

    // The yes/no flag toggles only inside a group.
    EXPECT_FALSE(editor.TaulaCanalsSelectCell(kColGroupFlag, 1));
    EXPECT_EQ(grid().cell(kColGroupFlag, 1), "NO");
    grid().setCell(kColGroup, 1, "3");
    editor.TaulaCanalsSelectCell(kColGroupFlag, 1);
    EXPECT_EQ(grid().cell(kColGroupFlag, 1), "YES");

    // The kind converts the row.
    EXPECT_FALSE(editor.TaulaCanalsSelectCell(kColKind, 1));
    EXPECT_EQ(grid().cell(kColKind, 1), "DIGITAL");
    EXPECT_TRUE(editor.TaulaCanalsSelectCell(kColSymbolRate, 1));
    editor.TaulaCanalsSelectCell(kColKind, 1);
    EXPECT_EQ(grid().cell(kColKind, 1), "ANALOG");
    EXPECT_FALSE(editor.TaulaCanalsSelectCell(kColSymbolRate, 1));

    for (int column : {kColNumber, kColSystem, kColModulation, kColGroup})
        EXPECT_FALSE(editor.TaulaCanalsSelectCell(column, 1)) << column;
    for (int column : {kColName, kColFrequency, kColBandwidth, kColOffset})
        EXPECT_TRUE(editor.TaulaCanalsSelectCell(column, 1)) << column;
    EXPECT_TRUE(messages().empty());
}

TEST_F(Editor, AnInvalidRowHoldsTheSelection) {
    editor.StartNewChannelPlan(false);
    editor.TaulaCanalsMouseUp(true, kColFrequency, 1);
    grid().setCell(kColFrequency, 1, "4.99");
    EXPECT_FALSE(editor.TaulaCanalsSelectCell(kColName, 1));
    EXPECT_FALSE(editor.TaulaCanalsSelectCell(kColActive, 1));
    EXPECT_EQ(grid().cell(kColActive, 1), "OFF");  // nothing toggled
    EXPECT_EQ(messages(), (std::vector<std::string>{msg(20), msg(20)}));
    editor.CheckSelectedRow();
    EXPECT_EQ(messages().size(), 3u);
    EXPECT_EQ(grid().cell(kColFrequency, 1), "4.99");  // checking changes nothing
}

TEST_F(Editor, PopupsByColumnAndKind) {
    editor.StartNewChannelPlan(false);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColNumber, 1), EditorPopup::Channel);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColSystem, 1), EditorPopup::AnalogSystem);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColModulation, 1), EditorPopup::None);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColSymbolRate, 1), EditorPopup::None);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColGroup, 1), EditorPopup::Group);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(false, kColSystem, 1), EditorPopup::None);
    EXPECT_EQ(editor.selectedColumn, kColSystem);  // recorded for every button
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColSystem, 0), EditorPopup::None);
    grid().ToDigital(1);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColSystem, 1), EditorPopup::DigitalSystem);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColModulation, 1), EditorPopup::Modulation);
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColSymbolRate, 1), EditorPopup::SymbolRate1);
    grid().setCell(kColSystem, 1, "ITU J.83/B");
    EXPECT_EQ(editor.TaulaCanalsMouseUp(true, kColSymbolRate, 1), EditorPopup::SymbolRate2);

    editor.TaulaCanalsMouseUp(true, kColSystem, 1);
    editor.ChooseDigitalSystem("ITU J.83/B", "5057");
    EXPECT_EQ(grid().cell(kColSymbolRate, 1), "5057");
    editor.TaulaCanalsMouseUp(true, kColGroup, 1);
    editor.ChooseGroup("4");
    grid().setCell(kColGroupFlag, 1, "YES");
    editor.ChooseGroup("NO GROUP");
    EXPECT_EQ(grid().cell(kColGroupFlag, 1), "NO");
}

TEST_F(Editor, LoadingChecksTheExtensionAndTheFile) {
    prompts.files = {folder.write("plan.C52", "x")};
    EXPECT_EQ(editor.LoadChannelPlanFile(-1, dialog, list, folder.str()), 12);
    EXPECT_EQ(messages().back(), msg(11));
    prompts.files = {folder.str() + "missing.c52"};
    EXPECT_EQ(editor.LoadChannelPlanFile(-1, dialog, list, folder.str()), 13);
    EXPECT_EQ(messagesNamingFiles().back(), msg(1) + "\n" + folder.str() + "missing.c52");
    EXPECT_EQ(editor.LoadChannelPlanFile(-1, dialog, list, folder.str()), -1);
    prompts.files = {folder.write(
        "bad.c52", "BAD\r\n1\r\n1,A,100000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO")};
    EXPECT_EQ(editor.LoadChannelPlanFile(-1, dialog, list, folder.str()), 1020);
    EXPECT_EQ(messages().back(), msg(14));
    EXPECT_EQ(view.planName, "BAD");

    // A local plan copy: a missing one fails quietly.
    list.add("CABLE");
    const std::size_t shown = messages().size();
    EXPECT_EQ(editor.LoadChannelPlanFile(0, dialog, list, folder.str()), 14);
    EXPECT_EQ(messages().size(), shown);
    folder.write("CABLE.temp",
                 "CABLE\r\n1\r\n0,A,100000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO");
    EXPECT_EQ(editor.LoadChannelPlanFile(0, dialog, list, folder.str()), 0);
    EXPECT_EQ(view.fileName, "CABLE.temp");
}

TEST_F(Editor, SaveWritesSortedAndRemembersTheFile) {
    editor.StartNewChannelPlan(false);
    grid().InsertChannel(1);
    grid().setCell(kColFrequency, 1, "300.00");
    prompts.files = {folder.str() + "mine"};
    editor.SavePlan(saveDialog);
    EXPECT_EQ(saveDialog.fileName, folder.str() + "mine");
    EXPECT_EQ(view.fileName, folder.str() + "mine.c52");
    EXPECT_EQ(grid().cell(kColFrequency, 1), "48.75");  // sorted on screen too
    EXPECT_EQ(folder.read("mine.c52"),
              "NEW\r\n2\r\n0,,48750000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO\r\n"
              "1,CH1,300000000,7000000,0,ANALOG,OFF,PAL/BG,NO GROUP,NO");
    // A second Save writes the same file without a dialog.
    grid().setCell(kColName, 1, "X");
    editor.SavePlan(saveDialog);
    EXPECT_TRUE(prompts.files.empty());
    EXPECT_NE(folder.read("mine.c52").find(",X,"), std::string::npos);
    // Capitals are not the extension.
    prompts.files = {folder.str() + "upper.C52"};
    editor.SavePlanAs(saveDialog);
    EXPECT_TRUE(folder.exists("upper.C52.c52"));
}

TEST_F(Editor, FirstSaveDialogIsPresetToThePlanName) {
    editor.StartNewChannelPlan(false);
    editor.SavePlan(saveDialog);  // cancelled
    EXPECT_EQ(saveDialog.fileName, "NEW.c52");
}

TEST_F(Editor, SaveOfALocalCopyAsksForAFile) {
    list.add("CABLE");
    folder.write("CABLE.temp",
                 "CABLE\r\n1\r\n0,A,100000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO");
    ASSERT_EQ(editor.LoadChannelPlanFile(0, dialog, list, folder.str()), 0);
    EXPECT_EQ(editor.DesaCanalitzacio(false, saveDialog), 1);  // the dialog, cancelled
    EXPECT_EQ(folder.read("CABLE.temp"),
              "CABLE\r\n1\r\n0,A,100000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO");
}

TEST_F(Editor, SaveCheckStopsAtDuplicatesAndBadRows) {
    editor.StartNewChannelPlan(false);
    grid().InsertChannel(1);
    grid().setCell(kColFrequency, 2, "48.25");
    EXPECT_FALSE(editor.MiraSiPotsDesar());
    EXPECT_EQ(messages().back(), msg(30));
    grid().setCell(kColFrequency, 2, "50.00");
    grid().setCell(kColName, 2, "TOOLONG");
    EXPECT_FALSE(editor.MiraSiPotsDesar());
    EXPECT_EQ(messages().back(), msg(19));
}

TEST_F(Editor, CloseQuery) {
    editor.StartNewChannelPlan(false);
    prompts.yesNoCancelAnswers = {YesNoCancel::Cancel, YesNoCancel::No};
    EXPECT_FALSE(editor.FormCloseQuery(saveDialog));
    EXPECT_TRUE(editor.FormCloseQuery(saveDialog));
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{"T37|T117", "T37|T117"}));
    // Yes with an invalid row: its message, and the window stays.
    grid().setCell(kColBandwidth, 1, "10.00");
    prompts.yesNoCancelAnswers = {YesNoCancel::Yes};
    EXPECT_FALSE(editor.FormCloseQuery(saveDialog));
    EXPECT_EQ(messages().back(), msg(21));
    // Yes with a valid plan saves it and closes.
    grid().setCell(kColBandwidth, 1, "7.00");
    prompts.yesNoCancelAnswers = {YesNoCancel::Yes};
    prompts.files = {folder.str() + "closing.c52"};
    EXPECT_TRUE(editor.FormCloseQuery(saveDialog));
    EXPECT_TRUE(folder.exists("closing.c52"));
}

TEST_F(Editor, NewAndLoadAskBeforeReplacingThePlan) {
    editor.StartNewChannelPlan(false);
    grid().setCell(kColName, 1, "KEEP");
    prompts.yesNoAnswers = {false, false};
    EXPECT_FALSE(editor.StartNewChannelPlan(true));
    EXPECT_FALSE(editor.ReplaceWithPlanFile(dialog, list, folder.str()));
    EXPECT_EQ(grid().cell(kColName, 1), "KEEP");
    prompts.yesNoAnswers = {true};
    EXPECT_TRUE(editor.StartNewChannelPlan(true));
    EXPECT_EQ(grid().cell(kColName, 1), "CH1");
    EXPECT_EQ(grid().rowCount(), 2);
}

TEST_F(Editor, InsertAtTheLimitShowsMessage31) {
    editor.StartNewChannelPlan(false);
    for (int i = 0; i < 148; ++i)
        editor.InsertChannel(grid().rowCount() - 1);
    EXPECT_EQ(grid().rowCount(), 150);
    EXPECT_TRUE(messages().empty());
    editor.InsertChannel(1);
    EXPECT_EQ(messages(), std::vector<std::string>{msg(31)});
}

// A plan made in the editor goes to the instrument, comes back as its local copy, and opens
// again in the editor with the same rows.
TEST_F(Editor, PlanRoundTripThroughTheInstrument) {
    editor.StartNewChannelPlan(false);
    grid().setCell(kColActive, 1, "ON");
    grid().setInactive(1, false);
    grid().InsertChannel(1);
    grid().setCell(kColFrequency, 2, "306.00");
    grid().setCell(kColBandwidth, 2, "8.00");
    grid().ToDigital(2);
    grid().setCell(kColGroup, 2, "2");
    grid().setCell(kColGroupFlag, 2, "YES");
    grid().setCell(kColActive, 2, "OFF");
    editor.Rename("MIXED");
    const std::string digitalFrequency = grid().cell(kColFrequency, 2);
    prompts.files = {folder.str() + "mixed.c52"};
    editor.SavePlan(saveDialog);
    ASSERT_TRUE(messages().empty());
    const std::string saved = folder.read("mixed.c52");

    test::RecordedProgress progress;
    ChannelPlanTransfers transfers(link, prompts, texts, progress, list, busy);
    transfers.setCopiesFolder(folder.str() + "copies");
    std::filesystem::create_directories(folder.path() / "copies");
    prompts.files = {folder.str() + "mixed.c52"};
    transfers.SendPlanFiles([&] { return prompts.chooseOpenFiles(dialog); });
    ASSERT_TRUE(messages().empty());
    ASSERT_EQ(list.names(), std::vector<std::string>{"MIXED"});
    EXPECT_EQ(folder.read("copies/MIXED.temp"), saved);

    list.setSelected(0, true);
    ASSERT_EQ(editor.LoadChannelPlanFile(0, dialog, list, folder.str() + "copies"), 0);
    EXPECT_EQ(grid().cell(kColFrequency, 2), digitalFrequency);
    EXPECT_EQ(grid().cell(kColKind, 2), "DIGITAL");
    EXPECT_TRUE(grid().inactive(2));
    EXPECT_EQ(grid().cell(kColGroupFlag, 2), "YES");
}

}  // namespace
}  // namespace veltra
