#include <QMouseEvent>

#include "main_window_fixture.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class BlockOpsTest : public MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (int i = 0x10; i < 0x14; ++i) SetEntryText(Doc(), i, std::string(1, static_cast<char>('a' + i - 0x10)));
    Doc().TableChanged = false;
  }
  void Menu(const char* name) { window->findChild<QAction*>(name)->trigger(); }
  std::vector<std::string> Clipboard() { return window->state().BlockClipboard.value_or(std::vector<std::string>{}); }
};

TEST_F(BlockOpsTest, CopyEndsAtTheNextClickedCell) {
  Click(0x10);
  Menu("MoJiHyoBlockCopy");
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  Click(0x13);
  EXPECT_EQ(Clipboard(), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(window->state().CurrentCell, 0x13);
  EXPECT_EQ(window->state().BlockMode, PendingBlock::None);
  EXPECT_EQ(Cell(0x10)->text(), "a");
  EXPECT_FALSE(Doc().TableChanged);
  EXPECT_EQ(Cell(0x13)->colour(), 0x01FFFFu);
  EXPECT_EQ(Cell(0x10)->colour(), 0xFFFFFFu);

  Menu("MoJiHyoBlockCopy");
  Click(0x10);
  EXPECT_EQ(Clipboard(), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(BlockOpsTest, TabEndsARangeToo) {
  Click(0x10);
  Menu("MoJiHyoBlockCopy");
  QTest::keyClick(Cell(0x10), Qt::Key_Tab);
  EXPECT_EQ(Clipboard(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(BlockOpsTest, CutEmptiesEveryCellOfTheRangeAndPastesBack) {
  QTest::mouseDClick(Cell(0x11), Qt::LeftButton);  // locked, cut all the same
  Click(0x10);
  Menu("MoJiHyoBlockCut");
  Click(0x12);
  EXPECT_EQ(Clipboard(), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Cell(0x10)->text(), "");
  EXPECT_EQ(Cell(0x11)->text(), "");
  EXPECT_EQ(Cell(0x13)->text(), "d");
  EXPECT_TRUE(Doc().TableChanged);
  EXPECT_EQ(Cell(0x11)->colour(), 0xAAAAAAu);

  // A paste over the locked cell skips its item without shifting.
  Click(0x10);
  Menu("MoJiHyoBlockPaste");
  EXPECT_EQ(Cell(0x10)->text(), "a");
  EXPECT_EQ(Cell(0x11)->text(), "");
  EXPECT_EQ(Cell(0x12)->text(), "c");
  EXPECT_EQ(Cell(0x12)->toolTip(), "12h (18) --- Value: c");

  // At FEh only two items fit.
  Click(0xFE);
  Menu("MoJiHyoBlockPaste");
  EXPECT_EQ(Cell(0xFE)->text(), "a");
  EXPECT_EQ(Cell(0xFF)->text(), "b");
  EXPECT_EQ(Cell(0x00)->text(), "");
}

TEST_F(BlockOpsTest, PasteBeforeAnyCopyDoesNothing) {
  Click(0x30);
  Menu("MoJiHyoBlockPaste");
  EXPECT_EQ(Cell(0x30)->text(), "");
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(BlockOpsTest, LockAndUnlockRanges) {
  Click(0x20);
  Menu("MoJiHyoBlockLock");
  Click(0x2F);
  for (int i = 0x20; i <= 0x2F; ++i) {
    EXPECT_TRUE(Cell(i)->isReadOnly()) << i;
    EXPECT_EQ(Cell(i)->colour(), i == 0x2F ? 0x01AAAAu : 0xAAAAAAu) << i;
  }
  EXPECT_FALSE(Cell(0x30)->isReadOnly());
  EXPECT_FALSE(Doc().TableChanged);
  Menu("MoJiHyoBlockUnlock");
  Click(0x28);
  EXPECT_FALSE(Cell(0x28)->isReadOnly());
  EXPECT_FALSE(Cell(0x2F)->isReadOnly());
  EXPECT_TRUE(Cell(0x27)->isReadOnly());
}

TEST_F(BlockOpsTest, DoubleClickingTheFocusedCellEndsAOneCellRange) {
  Click(0x12);
  Menu("MoJiHyoBlockCopy");
  Click(0x12);  // the same cell: no focus change, still pending
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  QTest::mouseDClick(Cell(0x12), Qt::LeftButton);
  EXPECT_EQ(Clipboard(), std::vector<std::string>{"c"});
  EXPECT_TRUE(Doc().EntryLocked[0x12]) << "the double-click toggled the lock first";
  EXPECT_EQ(window->state().BlockMode, PendingBlock::None);
}

TEST_F(BlockOpsTest, APasteAfterNewTableStillPastes) {
  Click(0x10);
  Menu("MoJiHyoBlockCopy");
  Click(0x11);
  prompter->answers = {QMessageBox::No};
  Menu("NewTable");
  EXPECT_EQ(Cell(0x10)->text(), "");
  Click(0x40);
  Menu("MoJiHyoBlockPaste");
  EXPECT_EQ(Cell(0x40)->text(), "a");
  EXPECT_EQ(Cell(0x41)->text(), "b");
}

TEST_F(BlockOpsTest, ReturningFromADialogEndsNoRange) {
  Click(0x10);
  Menu("MoJiHyoBlockCopy");
  Menu("AboutProgram");  // a modal dialog comes and goes
  QApplication::setActiveWindow(window.get());
  Cell(0x10)->clearFocus();
  Cell(0x10)->setFocus(Qt::ActiveWindowFocusReason);
  ASSERT_TRUE(Cell(0x10)->hasFocus());
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  Click(0x11);
  EXPECT_EQ(Clipboard(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(BlockOpsTest, AMenuDrivenFromTheKeyboardEndsNoRange) {
  Click(0x10);
  Menu("MoJiHyoBlockCut");
  // Alt+B opens the Block Ops menu and L chooses Block Lock: the menu bar
  // takes the focus and gives it back to 10h, which must not end the cut.
  QTest::keyClick(Cell(0x10), Qt::Key_B, Qt::AltModifier);
  QWidget* menu = QApplication::activePopupWidget();
  ASSERT_NE(menu, nullptr);
  QTest::keyClick(menu, Qt::Key_L);
  QTRY_VERIFY(Cell(0x10)->hasFocus());
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Lock);
  EXPECT_EQ(Doc().EntryText[0x10], "a");
  EXPECT_FALSE(Doc().TableChanged);
  EXPECT_FALSE(window->state().BlockClipboard.has_value());
  Click(0x11);
  EXPECT_TRUE(Doc().EntryLocked[0x10]);
  EXPECT_TRUE(Doc().EntryLocked[0x11]);
}

}  // namespace
}  // namespace mojihyo::ui
