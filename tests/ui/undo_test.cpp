#include <QApplication>
#include <QCloseEvent>

#include <functional>

#include "undo_fixture.h"

namespace mojihyo::ui {
namespace {

using testing::Press;
using testing::UndoTest;

// ---- Typing ----

TEST_F(UndoTest, TypingIsOneStepPerCellVisit) {
  TypeInto(0x41, "abc");
  EXPECT_EQ(UndoText(), "&Undo Typing in 41h") << "Undo is there from the first keystroke";
  QTest::keyClick(Cell(0x41), Qt::Key_Tab);
  QTest::keyClicks(Cell(0x42), "x");
  Click(0x41);
  QTest::keyClicks(Cell(0x41), "d");
  EXPECT_EQ(window->history().StepCount(), 3);

  const struct {
    const char* text41;
    const char* text42;
    const char* undo;
  } back[] = {
      {"abc", "x", "&Undo Typing in 42h"},
      {"abc", "", "&Undo Typing in 41h"},
      {"", "", ""},
  };
  for (const auto& b : back) {
    Undo();
    EXPECT_EQ(Doc().EntryText[0x41], b.text41);
    EXPECT_EQ(Doc().EntryText[0x42], b.text42);
    EXPECT_EQ(Cell(0x41)->text(), b.text41);
    EXPECT_EQ(UndoText(), b.undo);
  }
  EXPECT_EQ(RedoText(), "&Redo Typing in 41h");
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(UndoTest, AVisitThatEndsWithTheTextItBeganWithIsNoStep) {
  TypeInto(0x30, "q");
  QTest::keyClick(Cell(0x30), Qt::Key_Backspace);
  EXPECT_EQ(UndoText(), "");
  EXPECT_EQ(window->history().StepCount(), 0);
  EXPECT_FALSE(Doc().TableChanged);
  // The cell's own editing history is not the document's: Ctrl+Z, with
  // nothing to undo, leaves the cell alone.
  QTest::keyClick(Cell(0x30), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Cell(0x30)->text(), "");
  EXPECT_EQ(Doc().EntryText[0x30], "");
}

TEST_F(UndoTest, TypingAfterASaveOrAnUndoStartsANewStep) {
  prompter->files.push_back({dir.filePath("t.tab"), "t.tab"});
  TypeInto(0x41, "ab");
  Trigger("SaveMoJiHyoTable");
  QTest::keyClicks(Cell(0x41), "c");
  EXPECT_EQ(window->history().StepCount(), 2);
  Undo();
  EXPECT_EQ(Doc().EntryText[0x41], "ab");
  EXPECT_FALSE(Doc().TableChanged) << "back at the saved table";
  QTest::keyClicks(Cell(0x41), "z");
  Undo();
  EXPECT_EQ(Doc().EntryText[0x41], "ab");

  // A command in the middle of a visit, undone: typing on is a new step.
  TypeInto(0x50, "cd");
  Trigger("InsertNumbers");
  EXPECT_EQ(Doc().EntryText[0x50], "0");
  Undo();
  QTest::keyClicks(Cell(0x50), "e");
  EXPECT_EQ(Doc().EntryText[0x50], "cde");
  Undo();
  EXPECT_EQ(Doc().EntryText[0x50], "cd");
}

// Go to Entry and Find move the focus as a menu gives it back, yet the cell
// left is left: coming back to it and typing is a visit of its own.
TEST_F(UndoTest, TypingAfterACommandWentToAnotherCellAndBackIsANewStep) {
  // Each goes to a cell by its number or by its text.
  const auto goTo = [this](int cell) {
    prompter->play["frmGoToEntry"] = [cell](QDialog& d) {
      QTest::keyClicks(d.findChild<QLineEdit*>("EntryNumber"), QString::number(cell));
      Press(d, "Command1");
    };
    Trigger("EditGoTo");
  };
  const auto find = [this](int cell) {
    Trigger("EditFind");
    auto* box = window->findChild<QLineEdit*>("FindText");
    box->clear();
    QTest::keyClicks(box, QString::fromStdString(Doc().EntryText[cell]));
    QTest::keyClick(box, Qt::Key_Return);
  };
  const std::function<void(int)> moves[] = {goTo, find};
  for (const auto& move : moves) {
    prompter->answers = {QMessageBox::No};
    Trigger("NewTable");
    SetEntryText(Doc(), 0x50, "x");
    TypeInto(0x41, "ab");
    move(0x50);
    ASSERT_EQ(window->state().CurrentCell, 0x50);
    move(0x41);
    ASSERT_EQ(window->state().CurrentCell, 0x41);
    QTest::keyClicks(Cell(0x41), "c");
    Undo();
    EXPECT_EQ(Doc().EntryText[0x41], "ab");
  }
}

// ---- Keys in a cell ----

TEST_F(UndoTest, UndoKeysInAFocusedCellUndoTheDocument) {
  TypeInto(0x41, "ab");
  TypeInto(0x50, "cd");
  const struct {
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;
    const char* text41;
    const char* text50;
  } keys[] = {
      {Qt::ControlModifier, Qt::Key_Z, "ab", ""},
      {Qt::ControlModifier, Qt::Key_Z, "", ""},
      {Qt::ControlModifier, Qt::Key_Y, "ab", ""},
      {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z, "ab", "cd"},
  };
  for (const auto& k : keys) {
    QTest::keyClick(QApplication::focusWidget(), k.key, k.modifiers);
    EXPECT_EQ(Doc().EntryText[0x41], k.text41);
    EXPECT_EQ(Doc().EntryText[0x50], k.text50);
    EXPECT_EQ(Cell(0x50)->text(), k.text50);
  }
  EXPECT_EQ(QApplication::focusWidget(), Cell(0x50)) << "the focus follows the step";
}

// ---- TableChanged and the saved table ----

TEST_F(UndoTest, UndoingBackToTheSavedTableLeavesNothingToSave) {
  ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(dir.filePath("game.tab")), "41=A\r\n").ok());
  prompter->files.push_back({dir.filePath("game.tab"), "game.tab"});
  Trigger("OpenMoJiHyoTable");
  TypeInto(0x42, "B");
  EXPECT_TRUE(Doc().TableChanged);
  Undo();
  EXPECT_FALSE(Doc().TableChanged);
  QCloseEvent quit;
  QApplication::sendEvent(window.get(), &quit);
  EXPECT_TRUE(quit.isAccepted());
  EXPECT_TRUE(prompter->messages.empty()) << "quitting asked to save";

  Redo();
  EXPECT_TRUE(Doc().TableChanged);
  prompter->answers = {QMessageBox::Cancel};
  QCloseEvent again;
  QApplication::sendEvent(window.get(), &again);
  EXPECT_FALSE(again.isAccepted());
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].text, "Do you want to save the current font table?");
}

TEST_F(UndoTest, TableChangedFollowsTheHistory) {
  // One letter a step: T types into a cell, L locks one, S saves, U undoes,
  // R redoes. After each, whether the table counts as changed.
  const struct {
    const char* script;
    const char* changed;
  } cases[] = {
      {"LUR", "000"},         // locks never change the content
      {"TSLU", "1000"},       // undoing a lock after a save
      {"TSUR", "1010"},       // undoing away from the save and back
      {"TSUL", "1011"},       // the saved content is out of reach
      {"TLSUL", "11000"},     // only a lock dropped: the saved content is back
      {"TLSUUL", "110011"},   // the typing dropped as well
      {"TTUSRU", "111010"},   // saved in the middle of the history
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    prompter->answers = {QMessageBox::No};
    Trigger("NewTable");
    int cell = 0x60, saves = 0;
    for (const char* s = c.script; *s; ++s) {
      switch (*s) {
        case 'T': TypeInto(++cell, "t"); break;
        case 'L': QTest::mouseDClick(Cell(++cell), Qt::LeftButton); break;
        case 'S': SaveAs(QString("s%1.tab").arg(++saves)); break;
        case 'U': Undo(); break;
        case 'R': Redo(); break;
      }
      EXPECT_EQ(Doc().TableChanged, c.changed[s - c.script] == '1') << "after step " << (s - c.script);
    }
  }
}

TEST_F(UndoTest, OkayWithoutChangesIsStillAStep) {
  prompter->onModal = [](QDialog& d) { Press(d, "Command1"); };
  Trigger("EditNewLine");
  EXPECT_TRUE(Doc().TableChanged);
  EXPECT_EQ(UndoText(), "&Undo Line Break Values");
  Undo();
  EXPECT_FALSE(Doc().TableChanged);
  // Cancel is no step.
  prompter->onModal = [](QDialog& d) { Press(d, "Command2"); };
  Trigger("EditNewLine");
  EXPECT_EQ(UndoText(), "");
  EXPECT_EQ(RedoText(), "&Redo Line Break Values");
}

// ---- Clearing and keeping the history ----

TEST_F(UndoTest, OpenAndNewClearTheHistorySaveKeepsIt) {
  TypeInto(0x41, "a");
  TypeInto(0x42, "b");
  Undo();
  SaveAs("kept.tab");
  EXPECT_EQ(UndoText(), "&Undo Typing in 41h");
  EXPECT_EQ(RedoText(), "&Redo Typing in 42h");

  Trigger("NewTable");
  EXPECT_EQ(UndoText(), "");
  EXPECT_EQ(RedoText(), "");
  EXPECT_EQ(Item("EditUndo")->text(), "&Undo");
  EXPECT_EQ(Item("EditRedo")->text(), "&Redo");

  TypeInto(0x43, "c");
  Undo();
  prompter->files.push_back({dir.filePath("kept.tab"), "kept.tab"});
  Trigger("OpenMoJiHyoTable");
  EXPECT_EQ(Doc().EntryText[0x41], "a");
  EXPECT_EQ(UndoText(), "");
  EXPECT_EQ(RedoText(), "");
  EXPECT_FALSE(Doc().TableChanged);

  // An open that is cancelled replaces nothing and keeps the history.
  TypeInto(0x44, "d");
  prompter->answers = {QMessageBox::No};
  Trigger("OpenMoJiHyoTable");
  EXPECT_EQ(UndoText(), "&Undo Typing in 44h");
}

// ---- Focus ----

TEST_F(UndoTest, UndoMovesTheFocusWithoutEndingAPendingRange) {
  Click(0x1F);
  Trigger("MoJiHyoBlockLock");
  Click(0x10);
  Click(0x30);
  Trigger("MoJiHyoBlockCopy");
  Undo();
  EXPECT_EQ(QApplication::focusWidget(), Cell(0x10));
  EXPECT_EQ(Cell(0x10)->colour(), 0x01FFFFu);
  EXPECT_EQ(Cell(0x1F)->colour(), 0xFFFFFFu);
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  EXPECT_FALSE(window->state().BlockClipboard.has_value());
  Click(0x11);
  EXPECT_EQ(window->state().BlockClipboard->size(), 2u) << "the range ends at the next click";
}

// ---- Memory ----

// Past its budget the history lets the oldest steps go; undo stops above them
// and the steps it still can undo are whole.
TEST(TableHistoryBudget, TheOldestStepsLetGoAndUndoStopsAboveThem) {
  FontTable doc;
  constexpr std::size_t kBudget = 400 << 10;
  TableHistory history(doc, kBudget);
  std::vector<LineList> lists;
  for (int step = 0; step < 12; ++step) {
    history.Record("16-bit Entries", StepCovers::TableAndSixteenBitEntries, [&] {
      doc.SixteenBitEntries.clear();
      for (int n = 0; n < 2000; ++n)
        doc.SixteenBitEntries.push_back(std::to_string(step) + "=entry " + std::to_string(n));
      doc.TableChanged = true;
    });
    lists.push_back(doc.SixteenBitEntries);
    EXPECT_LE(history.HeldBytes(), kBudget);
  }
  int undone = 0;
  while (history.CanUndo()) {
    history.Undo();
    ++undone;
    ASSERT_EQ(doc.SixteenBitEntries, lists[lists.size() - 1 - undone]);
  }
  EXPECT_GT(undone, 2);
  EXPECT_LT(undone, 11);
  EXPECT_EQ(history.WholeSteps(), undone);
  EXPECT_TRUE(doc.TableChanged);
  while (history.CanRedo()) history.Redo();
  EXPECT_EQ(doc.SixteenBitEntries, lists.back());
}

}  // namespace
}  // namespace mojihyo::ui
