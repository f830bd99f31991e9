// Entries too long for a cell: shown elided, edited in a window of their
// own; every other entry behaves as it always did.

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/grid_rules.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"
#include "ui/frm_long_entry.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

const QString kEllipsis(QChar(0x2026));

class LongEntryTest : public MainWindowTest {
protected:
  QString Status() { return window->findChild<QLabel*>("lblCellBytes")->text(); }
  // Presses Enter in the cell; `user` plays the entry window if one opens.
  void PressEnter(int index, std::function<void(frmLongEntry&)> user = {}) {
    prompter->onModal = [user](QDialog& d) {
      auto* entry = qobject_cast<frmLongEntry*>(&d);
      ASSERT_TRUE(entry) << d.objectName().toStdString();
      if (user) user(*entry);
    };
    Click(index);
    QTest::keyClick(Cell(index), Qt::Key_Return);
  }
  static QPlainTextEdit* Box(frmLongEntry& d) { return d.findChild<QPlainTextEdit*>("EntryValue"); }
  static void Press(frmLongEntry& d, const char* button) {
    QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
  }
};

// 5,000 bytes of kana in EUC-JP, and a few ASCII bytes at the end.
std::string LongKana() {
  std::string text;
  for (int i = 0; i < 2500; ++i) text += "\xA4\xA2";
  return text + "end";
}

TEST_F(LongEntryTest, ALongEntryShowsItsStartElidedAndTakesNoTyping) {
  const std::string text = LongKana();
  ASSERT_TRUE(IsLongEntry(text));
  SetEntryText(Doc(), 0x41, text);
  // 64 bytes are 32 kana; the cell shows them and an ellipsis.
  EXPECT_EQ(Cell(0x41)->text(), QString(32, QChar(0x3042)) + kEllipsis);
  EXPECT_TRUE(Cell(0x41)->isReadOnly());
  EXPECT_EQ(Cell(0x41)->toolTip(), "41h (65) --- Value: (5003 bytes; Enter opens it)");
  Click(0x41);
  QTest::keyClicks(Cell(0x41), "typed");
  EXPECT_EQ(Doc().EntryText[0x41], text);
  EXPECT_TRUE(Status().startsWith("41h: A4 A2 A4 A2"));
  EXPECT_TRUE(Status().endsWith("A4 A2 ... (5003 bytes)")) << Status().toStdString();

  // A cut that would split a kana is moved back to the kana before it.
  SetEntryText(Doc(), 0x42, "x" + text);
  EXPECT_EQ(Cell(0x42)->text(), "x" + QString(31, QChar(0x3042)) + kEllipsis);

  // Made short again, the cell is an ordinary cell.
  SetEntryText(Doc(), 0x41, "ab");
  EXPECT_EQ(Cell(0x41)->text(), "ab");
  EXPECT_FALSE(Cell(0x41)->isReadOnly());
  QTest::keyClicks(Cell(0x41), "c");
  EXPECT_EQ(Doc().EntryText[0x41], "abc");
}

TEST_F(LongEntryTest, EnterOpensTheWholeEntryAndOkWritesItBack) {
  const std::string text = LongKana();
  SetEntryText(Doc(), 0x41, text);
  Doc().TableChanged = false;
  QString shown;
  PressEnter(0x41, [&](frmLongEntry& d) {
    EXPECT_EQ(d.windowTitle(), "Entry 41h");
    shown = Box(d)->toPlainText();
    Press(d, "cmdCancel");
  });
  ASSERT_EQ(prompter->dialogs, std::vector<QString>{"frmLongEntry"});
  // Folded for reading: 1,000 characters a line, nothing else changed.
  EXPECT_EQ(shown.split('\n').size(), 3);
  EXPECT_EQ(shown.split('\n')[0].size(), 1000);
  EXPECT_EQ(shown.remove(QLatin1Char('\n')), window->byteText().ToDisplay(text));
  EXPECT_EQ(Doc().EntryText[0x41], text) << "cancelled";
  EXPECT_FALSE(Doc().TableChanged);

  // OK unchanged writes the same bytes; typing goes in where it is typed,
  // and a typed line break is dropped, as the folds are.
  PressEnter(0x41, [&](frmLongEntry& d) {
    Box(d)->moveCursor(QTextCursor::End);
    QTest::keyClicks(Box(d), "!");
    QTest::keyClick(Box(d), Qt::Key_Return);
    QTest::keyClicks(Box(d), "?");
    Press(d, "cmdOK");
  });
  EXPECT_EQ(Doc().EntryText[0x41], text + "!?");
  EXPECT_TRUE(Doc().TableChanged);

  // Emptied in the window, the entry is short again.
  PressEnter(0x41, [&](frmLongEntry& d) {
    Box(d)->clear();
    QTest::keyClicks(Box(d), "short");
    Press(d, "cmdOK");
  });
  EXPECT_EQ(Doc().EntryText[0x41], "short");
  EXPECT_EQ(Cell(0x41)->text(), "short");
  EXPECT_FALSE(Cell(0x41)->isReadOnly());
}

TEST_F(LongEntryTest, ACharacterTheEncodingCannotStoreIsRefusedNotStoredAsOtherBytes) {
  // As in a cell: what fits neither the display encoding (EUC-JP) nor one
  // byte is not taken, and the rest of the entry keeps its bytes.
  const std::string text = LongKana();
  SetEntryText(Doc(), 0x41, text);
  Doc().TableChanged = false;
  bool stayedOpen = false;
  PressEnter(0x41, [&](frmLongEntry& d) {
    Box(d)->moveCursor(QTextCursor::End);
    Box(d)->insertPlainText(QString(QChar(0xD55C)));
    Press(d, "cmdOK");
    stayedOpen = d.result() != QDialog::Accepted;
    if (stayedOpen) Press(d, "cmdCancel");
  });
  EXPECT_TRUE(stayedOpen);
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].title, "Entry Not Stored");
  EXPECT_EQ(Doc().EntryText[0x41], text);
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(LongEntryTest, EnterDoesNothingInOrdinaryOrLockedCells) {
  SetEntryText(Doc(), 0x10, "ordinary");
  PressEnter(0x10);
  SetEntryText(Doc(), 0x11, LongKana());
  SetEntryLocked(Doc(), 0x11, true);
  PressEnter(0x11);
  EXPECT_TRUE(prompter->dialogs.empty());
  EXPECT_TRUE(Cell(0x11)->isReadOnly());
  // Unlocked, the long cell still takes no typing.
  SetEntryLocked(Doc(), 0x11, false);
  EXPECT_TRUE(Cell(0x11)->isReadOnly());
  SetEntryLocked(Doc(), 0x10, true);
  SetEntryLocked(Doc(), 0x10, false);
  EXPECT_FALSE(Cell(0x10)->isReadOnly());
}

}  // namespace
}  // namespace mojihyo::ui
