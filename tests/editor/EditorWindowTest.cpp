#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "support/ProgramFixture.h"
#include "widgets/QtText.h"

namespace veltra {
namespace {

class EditorWindow : public test::ProgramFixture {
  protected:
    void SetUp() override {
        create();
        editor().setModalRunner([this](TEditor&) { ++shown; });
    }
    TEditor& editor() { return *program->Editor; }
    StringGrid& grid() { return *editor().TaulaCanals; }
    void click(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid().viewport(), button, {},
                          grid().visualItemRect(grid().item(row, column)).center());
    }
    QAction* popupEntry(QMenu* menu, const char* name) { return menu->findChild<QAction*>(name); }

    int shown = 0;
};

TEST_F(EditorWindow, NewPlanOpensTheEditorWithTheDefaultRow) {
    QTest::mouseClick(form().NewBut, Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(editor().ChPlanNameLabel->text(), "NEW");
    EXPECT_EQ(editor().FileNameLabel->text(), "");
    ASSERT_EQ(grid().rowCount(), 2);
    EXPECT_EQ(grid().cell(2, 1), "48.25");
    EXPECT_EQ(grid().cell(11, 1), "OFF");
    EXPECT_TRUE(editor().editor().grid().inactive(1));
    EXPECT_EQ(grid().columnCount(), 12);
    EXPECT_EQ(editor().headerTexts()[11].toStdString(), text(86));
}

TEST_F(EditorWindow, ClickingTheActiveCellTogglesItAndKeepsTheSelection) {
    form().NewButClick();
    editor().show();
    click(1, 1);
    ASSERT_EQ(grid().currentColumn(), 1);
    click(11, 1);
    EXPECT_EQ(grid().cell(11, 1), "ON");
    EXPECT_FALSE(editor().editor().grid().inactive(1));
    EXPECT_EQ(grid().currentColumn(), 1);
    click(11, 1);
    EXPECT_EQ(grid().cell(11, 1), "OFF");
    // Arrow keys ask the same way: moving onto the kind cell converts the row.
    click(4, 1);
    QTest::keyClick(&grid(), Qt::Key_Right);
    EXPECT_EQ(grid().cell(5, 1), "DIGITAL");
    EXPECT_EQ(grid().currentColumn(), 4);
    editor().hide();
}

TEST_F(EditorWindow, AnInvalidRowRefusesEveryOtherCell) {
    form().NewButClick();
    editor().show();
    click(2, 1);
    grid().setCell(2, 1, "4.99");
    click(3, 1);
    EXPECT_EQ(grid().currentColumn(), 2);
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{messageText(20)});
    click(11, 1);
    EXPECT_EQ(grid().cell(11, 1), "OFF");
    EXPECT_EQ(prompts.messages.size(), 2u);
    editor().hide();
}

TEST_F(EditorWindow, TypedTextIsCheckedBeforeTheNextMove) {
    form().NewButClick();
    editor().show();
    click(2, 1);
    QTest::keyClick(&grid(), '2');  // starts the in-place editor
    auto* field = grid().findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    QTest::keyClicks(field, "000");
    click(3, 1);
    EXPECT_EQ(grid().cell(2, 1), "2000");
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{messageText(20)});
    editor().hide();
}

TEST_F(EditorWindow, PopupEntriesWriteTheirCells) {
    form().NewButClick();
    editor().show();
    click(6, 1);
    ASSERT_TRUE(editor().popupsistemaanalog->isVisible());
    QAction* palN = popupEntry(editor().popupsistemaanalog, "PAMN1");
    ASSERT_NE(palN, nullptr);
    EXPECT_EQ(palN->text(), "PAM/N");
    editor().popupsistemaanalog->hide();
    palN->trigger();
    EXPECT_EQ(grid().cell(6, 1), "PAL/N");

    click(9, 1);
    editor().popupgrupdocsis->hide();
    popupEntry(editor().popupgrupdocsis, "GRUP10")->trigger();
    EXPECT_EQ(grid().cell(9, 1), "10");

    click(0, 1);
    editor().popupchannel->hide();
    editor().INSERTACANAL->trigger();
    EXPECT_EQ(grid().rowCount(), 3);
    EXPECT_EQ(grid().cell(2, 2), "48.75");
    EXPECT_EQ(grid().cell(0, 2), "2");

    click(6, 2, Qt::RightButton);  // records the cell, opens nothing
    EXPECT_FALSE(editor().popupsistemaanalog->isVisible());
    editor().hide();
}

TEST_F(EditorWindow, ColumnWidthsFollowTheHeaders) {
    form().NewButClick();
    editor().FormShow();
    EXPECT_EQ(grid().columnWidth(0), 25);
    EXPECT_GE(grid().columnWidth(1), 32);
    EXPECT_GE(grid().columnWidth(5), 55);
    EXPECT_GE(grid().columnWidth(6), 62);
    EXPECT_GE(grid().columnWidth(9), 62);
    const QFontMetrics metrics(grid().font());
    EXPECT_EQ(grid().columnWidth(2), metrics.horizontalAdvance("Frequency") + 5);
}

TEST_F(EditorWindow, DoubleClickOpensTheLocalCopyOfTheFirstSelectedPlan) {
    sim.addPlanFromFile(
        FormatPlanFile("FIRST", {"0,A,100000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO"}));
    sim.addPlanFromFile(
        FormatPlanFile("SECND", {"0,B,200000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO"}));
    form().ReceiveButClick();
    form().LlistaDblClick();
    EXPECT_EQ(shown, 0);  // nothing selected
    form().Llista->item(0)->setSelected(true);
    form().Llista->item(1)->setSelected(true);
    form().LlistaDblClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(editor().ChPlanNameLabel->text(), "FIRST");
    EXPECT_EQ(editor().FileNameLabel->text(), "FIRST.temp");

    sim.setPlugged(false);
    form().LlistaDblClick();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(prompts.messageTexts().back(), messageText(7));
}

TEST_F(EditorWindow, EditButtonOpensAChosenFile) {
    prompts.files = {folder.write(
        "mine.c52", "MINE\r\n1\r\n0,A,100000000,7000000,0,ANALOG,ON,PAL/BG,NO GROUP,NO")};
    QTest::mouseClick(form().EditBut, Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(editor().ChPlanNameLabel->text(), "MINE");
    QTest::mouseClick(form().EditBut, Qt::LeftButton);  // cancelled: the editor stays closed
    EXPECT_EQ(shown, 1);
}

TEST_F(EditorWindow, RenameDialogGeometry) {
    TDialog& dialog = *program->Dialog;
    EXPECT_EQ(dialog.size(), QSize(308, 166));
    EXPECT_EQ(dialog.Label1->geometry(), QRect(24, 16, 273, 49));
    EXPECT_EQ(dialog.Edit1->geometry(), QRect(56, 72, 185, 32));
    EXPECT_EQ(dialog.OKBut->geometry(), QRect(104, 120, 89, 25));
    EXPECT_TRUE(dialog.Label1->wordWrap());
}

}  // namespace
}  // namespace veltra
