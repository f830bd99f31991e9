#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "main_window_fixture.h"
#include "ui/frm_16bit_entries.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class FindTest : public MainWindowTest {
protected:
  void Menu(const char* name) { window->findChild<QAction*>(name)->trigger(); }
  QLineEdit* Box() { return window->findChild<QLineEdit*>("FindText"); }
  QString Status() { return window->findChild<QLabel*>("lblFindResult")->text(); }
  QWidget* Focused() { return QApplication::focusWidget(); }
  // Ctrl+F from the current cell, then the text typed over what was there.
  void Find(const QString& text, bool hex = false, bool whole = false) {
    QTest::keyClick(Cell(window->state().CurrentCell), Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(Box() && Box()->hasFocus());
    window->findChild<QCheckBox*>("chkHex")->setChecked(hex);
    window->findChild<QCheckBox*>("chkWholeEntry")->setChecked(whole);
    Type(text);
  }
  // Keys for plain ASCII; anything else as an input method commits it.
  void Type(const QString& text) {
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
      QTest::keyClicks(Box(), text);
      return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(Box(), &commit);
  }
  // The row the 16-bit entry list opened with, by the next key; -1 when it did not open.
  int ListRowAfter(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    int row = -1;
    prompter->play["frm16bitEntries"] = [&row](QDialog& d) {
      row = static_cast<int>(static_cast<frm16bitEntries&>(d).selectedRow().value_or(99));
    };
    QTest::keyClick(Focused(), key, modifiers);
    prompter->play.erase("frm16bitEntries");
    return row;
  }
};

// One character stored in three encodings, and in each display encoding
// the cell the typed character finds: the search runs on the bytes the
// display encoding gives it.
struct EncodingCase {
  const char* menuItem;
  const char* typed;  // UTF-8 source text
  int cell;
};

void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.menuItem << " \"" << c.typed << "\""; }

class FindInEachEncoding : public FindTest, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(FindInEachEncoding, FindsTheBytesOfTheDisplayEncodingOnly) {
  SetEntryText(Doc(), 0x30, "\xA4\xA2");      // あ in EUC-JP
  SetEntryText(Doc(), 0x31, "\xE3\x81\x82");  // あ in UTF-8
  SetEntryText(Doc(), 0x32, "\x82\xA0");      // あ in Shift-JIS
  SetEntryText(Doc(), 0x40, "\x83\x41");      // ア in Shift-JIS: its second byte is "A"
  SetEntryText(Doc(), 0x41, "A");
  SetEntryText(Doc(), 0x42, "\xE9");          // é in Latin-1
  Menu(GetParam().menuItem);
  Find(QString::fromUtf8(GetParam().typed));
  EXPECT_EQ(Status(), "1 match");
  QTest::keyClick(Box(), Qt::Key_Return);
  EXPECT_EQ(Status(), "1 of 1 match");
  EXPECT_EQ(Focused(), Cell(GetParam().cell));
  EXPECT_EQ(window->state().CurrentCell, GetParam().cell);
  EXPECT_TRUE(prompter->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Encodings, FindInEachEncoding,
                         ::testing::Values(EncodingCase{"EncodingEucJp", "あ", 0x30},
                                           EncodingCase{"EncodingUtf8", "あ", 0x31},
                                           EncodingCase{"EncodingShiftJis", "あ", 0x32},
                                           EncodingCase{"EncodingShiftJis", "A", 0x41},
                                           EncodingCase{"EncodingLatin1", "é", 0x42}));

TEST_F(FindTest, HexBytesAreFoundWhateverTheDisplayEncoding) {
  SetEntryText(Doc(), 0x30, "\xA4\xA2");
  SetEntryText(Doc(), 0x31, "\xE3\x81\x82");
  for (const char* encoding : {"EncodingUtf8", "EncodingLatin1"}) {
    SCOPED_TRACE(encoding);
    Menu(encoding);
    Find("a4 A2", true);
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_EQ(Focused(), Cell(0x30));
    EXPECT_EQ(Status(), "1 of 1 match");
  }
  Find("A4A", true);
  EXPECT_EQ(Status(), "Hex bytes are pairs of the digits 0-9 and A-F, such as A4 A2");
  Menu("EncodingLatin1");
  Find("あ");
  EXPECT_EQ(Status(), "\"あ\" cannot be written in Latin-1");
}

TEST_F(FindTest, TheCountFollowsAChangeOfDisplayEncoding) {
  SetEntryText(Doc(), 0x30, "\xA4\xA2");
  SetEntryText(Doc(), 0x31, "\xE3\x81\x82");
  SetEntryText(Doc(), 0x32, "x\xE3\x81\x82");
  Find("あ");
  EXPECT_EQ(Status(), "1 match");
  Menu("EncodingUtf8");
  EXPECT_EQ(Status(), "2 matches");
  QTest::keyClick(Box(), Qt::Key_Return);
  EXPECT_EQ(Focused(), Cell(0x31));
}

TEST_F(FindTest, NextAndPreviousGoThroughCellsThenTheListAndWrapAround) {
  SetEntryText(Doc(), 0x10, "ab");
  SetEntryText(Doc(), 0x20, "b");
  Doc().SixteenBitEntries = {"0400=x", "0401=xb"};
  Find("b");
  EXPECT_EQ(Status(), "3 matches");
  QTest::keyClick(Box(), Qt::Key_Return);
  EXPECT_EQ(Focused(), Cell(0x10));
  EXPECT_EQ(Status(), "1 of 3 matches");
  QTest::keyClick(Focused(), Qt::Key_F3);
  EXPECT_EQ(Focused(), Cell(0x20));
  EXPECT_EQ(Status(), "2 of 3 matches");
  EXPECT_EQ(ListRowAfter(Qt::Key_F3), 1) << "the list opens with the matching row selected";
  EXPECT_EQ(Status(), "3 of 3 matches");
  QTest::keyClick(Focused(), Qt::Key_F3);
  EXPECT_EQ(Focused(), Cell(0x10)) << "after the list, the search wraps to the first cell";
  EXPECT_EQ(Status(), "1 of 3 matches");
  EXPECT_EQ(ListRowAfter(Qt::Key_F3, Qt::ShiftModifier), 1) << "backward from the first match wraps to the last";
  QTest::keyClick(Focused(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(Focused(), Cell(0x20));
  EXPECT_EQ(Status(), "2 of 3 matches");

  // A cell the user moves to is where the next search starts.
  Click(0x15);
  QTest::keyClick(Focused(), Qt::Key_F3);
  EXPECT_EQ(Focused(), Cell(0x20));
  Click(0x15);
  QTest::keyClick(Focused(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(Focused(), Cell(0x10));
}

TEST_F(FindTest, WholeEntryTakesOnlyEntriesThatHoldNothingElse) {
  SetEntryText(Doc(), 0x10, "ab");
  SetEntryText(Doc(), 0x20, "b");
  Doc().SixteenBitEntries = {"0400=b"};
  Find("b", false, true);
  EXPECT_EQ(Status(), "2 matches");
  QTest::keyClick(Box(), Qt::Key_Return);
  EXPECT_EQ(Focused(), Cell(0x20));
  EXPECT_EQ(Status(), "1 of 2 matches");
}

TEST_F(FindTest, NothingFoundIsSaidInTheStatusBarAndTheFocusStays) {
  Find("zz");
  EXPECT_EQ(Status(), "Nothing found for \"zz\"");
  QTest::keyClick(Box(), Qt::Key_Return);
  EXPECT_EQ(Status(), "Nothing found for \"zz\"");
  EXPECT_EQ(Focused(), Box());
  EXPECT_TRUE(prompter->messages.empty());
  EXPECT_TRUE(prompter->dialogs.empty());
}

TEST_F(FindTest, AMatchEndsNoPendingBlockRangeWhichThenRunsFromTheMatch) {
  for (int i = 0x10; i < 0x24; ++i) SetEntryText(Doc(), i, std::string(1, static_cast<char>('A' + i - 0x10)));
  Click(0x10);
  Menu("MoJiHyoBlockCopy");
  Find("C");  // at 12h
  QTest::keyClick(Box(), Qt::Key_Return);
  ASSERT_EQ(Focused(), Cell(0x12));
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  EXPECT_FALSE(window->state().BlockClipboard.has_value());
  // Escape closes the bar and hands the focus back: still no range.
  Find("D");
  QTest::keyClick(Box(), Qt::Key_Escape);
  EXPECT_FALSE(window->findChild<QWidget*>("FindBar")->isVisible());
  EXPECT_EQ(Focused(), Cell(0x12));
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  Click(0x14);
  EXPECT_EQ(window->state().BlockClipboard, (std::vector<std::string>{"C", "D", "E"}));
}

TEST_F(FindTest, FindNextWithNothingToFindOpensTheBar) {
  Click(0x05);
  QTest::keyClick(Cell(0x05), Qt::Key_F3);
  ASSERT_NE(Box(), nullptr);
  EXPECT_TRUE(Box()->hasFocus());
  EXPECT_EQ(Status(), "");
}

// Go to Entry: what is typed, and the cell or 16-bit row it goes to, or the
// message it gives instead (the dialog then stays open).
struct GoToCase {
  const char* typed;
  int cell;  // -1: none
  int row;   // -1: the list does not open
  const char* message;
};

void PrintTo(const GoToCase& c, std::ostream* os) { *os << "typed \"" << c.typed << "\""; }

class GoToTest : public FindTest, public ::testing::WithParamInterface<GoToCase> {};

TEST_P(GoToTest, GoesToTheCellOrTheListRowOrSaysWhyNot) {
  const GoToCase& c = GetParam();
  Doc().SixteenBitEntries = {"0300=a", "0400=b", "0400=c"};
  Click(0x10);
  Menu("MoJiHyoBlockLock");
  bool stayedOpen = false;
  prompter->play["frmGoToEntry"] = [&](QDialog& d) {
    QTest::keyClicks(d.findChild<QLineEdit*>("EntryNumber"), c.typed);
    QTest::mouseClick(d.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    stayedOpen = d.isVisible();
  };
  int row = -1;
  if (c.row >= 0)
    prompter->play["frm16bitEntries"] = [&row](QDialog& d) {
      row = static_cast<int>(static_cast<frm16bitEntries&>(d).selectedRow().value_or(99));
    };
  QTest::keyClick(Cell(0x10), Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(row, c.row);
  EXPECT_EQ(stayedOpen, c.message != nullptr);
  if (c.message) {
    ASSERT_EQ(prompter->messages.size(), 1u);
    EXPECT_EQ(prompter->messages[0].title, "Go to Entry");
    EXPECT_EQ(prompter->messages[0].text, c.message);
  } else {
    EXPECT_TRUE(prompter->messages.empty());
  }
  EXPECT_EQ(window->state().CurrentCell, c.cell >= 0 ? c.cell : 0x10);
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Lock) << "going to a cell ends no range";
  EXPECT_FALSE(Doc().EntryLocked[0x10]);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, GoToTest,
    ::testing::Values(GoToCase{"41h", 0x41, -1, nullptr}, GoToCase{"65", 0x41, -1, nullptr},
                      GoToCase{"0FFh", 0xFF, -1, nullptr}, GoToCase{"400h", -1, 1, nullptr},
                      GoToCase{"768", -1, 0, nullptr},
                      GoToCase{"", -1, -1, "Type the number of an entry, such as 41h or 0400h."},
                      GoToCase{"ab", -1, -1,
                               "\"ab\" is not a number.\rHexadecimal numbers end in h, such as 41h; "
                               "others are read as decimal, such as 65."},
                      GoToCase{"1234h", -1, -1, "No entry has the number 1234h."},
                      // The key filter drops what no number holds.
                      GoToCase{"zq41h", 0x41, -1, nullptr}));

}  // namespace
}  // namespace mojihyo::ui
