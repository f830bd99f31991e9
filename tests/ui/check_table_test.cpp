// The Check Table window through the real widgets: Tools > Check Table,
// the findings it lists, checking again after the table changes, and a
// double-clicked finding showing its entry.

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include "formats/table_format.h"
#include "main_window_fixture.h"
#include "ui/frm_16bit_entries.h"
#include "ui/frm_check_table.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class CheckTableTest : public MainWindowTest {
protected:
  void Menu(const char* name) { window->findChild<QAction*>(name)->trigger(); }
  // Tools > Check Table, and the window once its first check is on show.
  frmCheckTable* OpenChecked() {
    Menu("ToolsCheckTable");
    auto* w = window->findChild<frmCheckTable*>();
    if (w && w->CheckPending()) WaitForCheck(w);
    return w;
  }
  void WaitForCheck(frmCheckTable* w) {
    QSignalSpy spy(w, &frmCheckTable::Checked);
    EXPECT_TRUE(spy.wait(10000));
  }
  static QTableWidget* List(frmCheckTable* w) { return w->findChild<QTableWidget*>("lstFindings"); }
  static std::vector<QStringList> Rows(frmCheckTable* w) {
    std::vector<QStringList> rows;
    QTableWidget* list = List(w);
    for (int r = 0; r < list->rowCount(); ++r)
      rows.push_back({list->item(r, 0)->text(), list->item(r, 1)->text(), list->item(r, 2)->text()});
    return rows;
  }
  static void DoubleClickRow(frmCheckTable* w, int row) {
    QTableWidget* list = List(w);
    const QPoint at = list->visualItemRect(list->item(row, 2)).center();
    // A view takes a double-click only on the item a press went to first,
    // as a real double-click's first click does.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }
};

TEST_F(CheckTableTest, ListsSeverityLineAndMessage) {
  SetEntryText(Doc(), 0x41, "A");
  SetEntryText(Doc(), 0x42, "B");
  SetEntryText(Doc(), 0x80, "AB");
  Doc().SixteenBitEntries.push_back("8140=x");
  Doc().SixteenBitEntries.push_back("8140=y");
  frmCheckTable* w = OpenChecked();
  ASSERT_TRUE(w);
  EXPECT_EQ(w->windowTitle(), "Check Table");
  const QStringList headers = {List(w)->horizontalHeaderItem(0)->text(), List(w)->horizontalHeaderItem(1)->text(),
                               List(w)->horizontalHeaderItem(2)->text()};
  EXPECT_EQ(headers, (QStringList{"Severity", "Line", "Message"}));
  // A MoJiHyo save writes the 16-bit entries, then the entries.
  EXPECT_EQ(Rows(w), (std::vector<QStringList>{
                         {"Warning", "", "the table has no end token: it sets no String Break value"},
                         {"Error", "2", "duplicate key 8140: line 1 has it already"},
                         {"Warning", "5",
                          "the bytes 41 42 dump as \"AB\", which an insertion writes as 80 (lines 3, 4 and 5)"},
                         {"Warning", "5", "two runs of entries have the text \"AB\": 80 (line 5) and 41 42 (lines 3 and 4)"},
                     }));
  EXPECT_EQ(w->findChild<QLabel*>("lblSummary")->text(),
            "1 error, 3 warnings. Lines are those of the table as a save in the MoJiHyo format writes it.");
  for (QWidget* control : std::initializer_list<QWidget*>{List(w), w->findChild<QCheckBox*>("chkCompatibility")})
    EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
}

TEST_F(CheckTableTest, OneWindowThatLeavesTheGridUsable) {
  Doc().StringBreakValue1 = "FFh";
  frmCheckTable* w = OpenChecked();
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(w->isModal());
  Menu("ToolsCheckTable");
  EXPECT_EQ(window->findChildren<frmCheckTable*>().size(), 1);
  EXPECT_EQ(w->findChild<QLabel*>("lblSummary")->text(), "No problems found.");
  EXPECT_EQ(prompter->dialogs.size(), 0u);
  // Typing in the grid goes on while the window is open.
  QApplication::setActiveWindow(window.get());
  Click(0x41);
  QTest::keyClicks(Cell(0x41), "A");
  EXPECT_EQ(Doc().EntryText[0x41], "A");
  QTest::mouseClick(w->findChild<QPushButton*>("btnClose"), Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->findChild<frmCheckTable*>() == nullptr; }, 2000));
}

TEST_F(CheckTableTest, ChecksAgainOnceTheTableRestsNotOnEveryKey) {
  SetEntryText(Doc(), 0x41, "A");
  SetEntryText(Doc(), 0x42, "B");
  SetEntryText(Doc(), 0x80, "AB");
  Doc().StringBreakValue1 = "FFh";
  frmCheckTable* w = OpenChecked();
  ASSERT_TRUE(w);
  ASSERT_EQ(Rows(w).size(), 2u);
  QApplication::setActiveWindow(window.get());
  Click(0x80);
  Cell(0x80)->end(false);
  QSignalSpy spy(w, &frmCheckTable::Checked);
  QTest::keyClicks(Cell(0x80), "C");
  // "ABC" leaves "A" then "B" to come back as themselves.
  EXPECT_TRUE(w->CheckPending());
  EXPECT_EQ(Rows(w).size(), 2u);  // what the last check found, until the pause is over
  QTest::keyClicks(Cell(0x80), "D");
  EXPECT_TRUE(spy.wait(10000));
  EXPECT_EQ(Doc().EntryText[0x80], "ABCD");
  EXPECT_TRUE(Rows(w).empty());
  EXPECT_EQ(w->findChild<QLabel*>("lblSummary")->text(), "No problems found.");
}

TEST_F(CheckTableTest, ChecksAgainAfterADialogAndAnUndo) {
  frmCheckTable* w = OpenChecked();
  ASSERT_TRUE(w);
  const std::vector<QStringList> noEnd = {
      {"Warning", "", "the table has no end token: it sets no String Break value"}};
  ASSERT_EQ(Rows(w), noEnd);
  prompter->play["frmEndStringValues"] = [](QDialog& d) {
    d.findChild<QLineEdit*>("EndStringValue1")->setText("FFh");
    d.findChild<QPushButton*>("Command1")->click();
  };
  QSignalSpy spy(w, &frmCheckTable::Checked);
  Menu("EditEndString");
  ASSERT_TRUE(spy.wait(10000));
  EXPECT_TRUE(Rows(w).empty());
  Menu("EditUndo");
  ASSERT_TRUE(spy.wait(10000));
  EXPECT_EQ(Rows(w), noEnd);
}

TEST_F(CheckTableTest, ADoubleClickedFindingFocusesItsCellAndEndsNoBlockRange) {
  SetEntryText(Doc(), 0x41, "A");
  SetEntryText(Doc(), 0x42, "A");
  SetEntryText(Doc(), 0x43, "B");
  SetEntryText(Doc(), 0x44, "B");
  Doc().StringBreakValue1 = "FFh";
  Click(0x10);
  Menu("MoJiHyoBlockCopy");
  ASSERT_EQ(window->state().BlockMode, PendingBlock::Copy);
  frmCheckTable* w = OpenChecked();
  ASSERT_TRUE(w);
  ASSERT_EQ(Rows(w), (std::vector<QStringList>{
                         {"Warning", "3", "the text \"A\" is also on line 2 (key 41): an insertion writes it as 42 (line 3)"},
                         {"Warning", "5", "the text \"B\" is also on line 4 (key 43): an insertion writes it as 44 (line 5)"}}));
  DoubleClickRow(w, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Cell(0x42)->hasFocus(); }, 2000));
  EXPECT_EQ(window->state().CurrentCell, 0x42);
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  // The same with the main window active already, where the focus moves at once.
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  DoubleClickRow(w, 1);
  EXPECT_TRUE(Cell(0x44)->hasFocus());
  EXPECT_EQ(window->state().CurrentCell, 0x44);
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  EXPECT_FALSE(window->state().BlockClipboard.has_value());
  EXPECT_EQ(prompter->dialogs.size(), 0u);
}

TEST_F(CheckTableTest, ADoubleClicked16BitFindingOpensTheEntriesWithItSelected) {
  Doc().StringBreakValue1 = "FFh";
  Doc().SixteenBitEntries.push_back("8140=x");
  Doc().SixteenBitEntries.push_back("8141=y");
  Doc().SixteenBitEntries.push_back("8140=z");
  frmCheckTable* w = OpenChecked();
  ASSERT_TRUE(w);
  ASSERT_EQ(Rows(w).size(), 1u);
  EXPECT_EQ(Rows(w)[0][1], "4");  // "/=FF" is line 1
  std::optional<std::size_t> selected;
  prompter->play["frm16bitEntries"] = [&](QDialog& d) { selected = static_cast<frm16bitEntries&>(d).selectedRow(); };
  DoubleClickRow(w, 0);
  EXPECT_EQ(selected, std::optional<std::size_t>(2));
}

TEST_F(CheckTableTest, ATfsTableIsCheckedAsItsFileWithOrWithoutCompatibility) {
  LoadTableBytes(TableFormat::Tfs, "/FF=[END]\n41=A\n$80=[Color],%X\n41=B\n", Doc());
  frmCheckTable* w = OpenChecked();
  ASSERT_TRUE(w);
  EXPECT_EQ(Rows(w), (std::vector<QStringList>{{"Warning", "3", "Atlas skips \"$\" lines"},
                                               {"Error", "4", "duplicate key 41: line 2 has it already"}}));
  EXPECT_EQ(w->findChild<QLabel*>("lblSummary")->text(),
            "1 error, 1 warning. Lines are those of the table as a save in the TFS format writes it.");
  QSignalSpy spy(w, &frmCheckTable::Checked);
  QTest::mouseClick(w->findChild<QCheckBox*>("chkCompatibility"), Qt::LeftButton);
  ASSERT_TRUE(spy.wait(10000));
  EXPECT_EQ(Rows(w), (std::vector<QStringList>{{"Error", "4", "duplicate key 41: line 2 has it already"}}));
  // The later line of a key shows in the grid as its first.
  DoubleClickRow(w, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Cell(0x41)->hasFocus(); }, 2000));
}

}  // namespace
}  // namespace mojihyo::ui
