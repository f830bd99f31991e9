#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cctype>

#include "core/file_io.h"
#include "core/hex_notation.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

// What undo must bring back: everything a save writes, without the file it
// was last saved to.
FontTable Content(const FontTable& t) {
  FontTable copy = t;
  copy.CurrentFileName.clear();
  copy.CurrentFileTitle.clear();
  copy.SaveFormat.reset();
  copy.TableChanged = false;
  copy.Observer = nullptr;
  return copy;
}

void Press(QWidget& w, const char* button) {
  auto* b = w.findChild<QPushButton*>(button);
  ASSERT_TRUE(b) << button;
  QTest::mouseClick(b, Qt::LeftButton);
}
void Type(QWidget& w, const char* box, const QString& text) {
  auto* e = w.findChild<QLineEdit*>(box);
  ASSERT_TRUE(e) << box;
  QTest::keyClicks(e, text);
}

class UndoTest : public MainWindowTest {
public:
  using MainWindowTest::Cell;
  using MainWindowTest::Click;

  QAction* Item(const char* name) { return window->findChild<QAction*>(name); }
  void Trigger(const char* name) {
    ASSERT_TRUE(Item(name)) << name;
    Item(name)->trigger();
  }
  void Undo() { Trigger("EditUndo"); }
  void Redo() { Trigger("EditRedo"); }
  QString UndoText() { return Item("EditUndo")->isEnabled() ? Item("EditUndo")->text() : QString(); }
  QString RedoText() { return Item("EditRedo")->isEnabled() ? Item("EditRedo")->text() : QString(); }
  void TypeInto(int index, const QString& text) {
    Click(index);
    QTest::keyClicks(Cell(index), text);
  }
  // Saves as a MoJiHyo table (it keeps everything) and gives the bytes.
  std::string SaveAs(const QString& name) {
    prompter->files.push_back({dir.filePath(name), name});
    Trigger("SaveMoJiHyoTable");
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(PathFromDisplay(dir.filePath(name)), bytes).ok()) << name.toStdString();
    return bytes;
  }
  // Every cell shows its entry's text, lock and tooltip as the table holds them.
  void ExpectGridShowsTable() {
    for (int i = 0; i < kEntryCount; ++i) {
      const std::string& text = Doc().EntryText[i];
      const bool locked = Doc().EntryLocked[i];
      ASSERT_EQ(Cell(i)->text(), window->byteText().ToDisplay(text)) << i;
      ASSERT_EQ(Cell(i)->isReadOnly(), locked) << i;
      ASSERT_EQ(Cell(i)->colour() & 0xFFFF, locked ? 0xAAAAu : 0xFFFFu) << i;
      ASSERT_EQ(Cell(i)->toolTip(),
                window->byteText().ToDisplay(HexByte(i) + "h (" + std::to_string(i) + ") --- Value: " + text))
          << i;
    }
  }

  QTemporaryDir dir;
};

// ---- Every kind of step: do, undo, redo ----

struct StepCase {
  const char* name;  // as the menu items show it after "Undo " and "Redo "
  bool changesContent;
  std::optional<int> firstCell;  // where undo puts the focus
  std::function<void(FontTable&)> setUp;
  std::function<void(UndoTest&, testing::ScriptedPrompter&)> act;
};

QWidget* SectionBreakWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmSectionBreakValue" && w->isVisible()) return w;
  return nullptr;
}

void PlayControlValues(testing::ScriptedPrompter& p, const char* box, const char* value) {
  p.onModal = [=](QDialog& d) {
    Type(d, box, value);
    Press(d, "Command1");
  };
}

const StepCase kSteps[] = {
    {"Typing in 41h", true, 0x41, {}, [](UndoTest& t, auto&) { t.TypeInto(0x41, "abc"); }},
    {"Insert Capital English Alphabet", true, 0x41, {},
     [](UndoTest& t, auto&) {
       t.Click(0x41);
       t.Trigger("InsertCapital");
     }},
    {"Insert Dakuten/Handakuten Hiragana", true, 0x80, {},
     [](UndoTest& t, auto&) {
       t.Click(0x80);
       t.Trigger("InsertModifiedHiraganaEUC");
     }},
    {"Insert Repeated Value", true, 0x10, {},
     [](UndoTest& t, auto& p) {
       p.play["frmRepeatedValue"] = [](QDialog& d) {
         Type(d, "Value", "=");
         Type(d, "Repetitions", "5");
         Press(d, "Command1");
       };
       t.Click(0x10);
       t.Trigger("InsertRepeatedValue");
     }},
    {"Block Cut", true, 0x10,
     [](FontTable& d) {
       for (int i = 0x10; i < 0x14; ++i) SetEntryText(d, i, std::string(1, static_cast<char>('a' + i)));
       SetEntryLocked(d, 0x11, true);
     },
     [](UndoTest& t, auto&) {
       t.Click(0x10);
       t.Trigger("MoJiHyoBlockCut");
       t.Click(0x12);
     }},
    {"Block Paste", true, 0x40,
     [](FontTable& d) {
       SetEntryText(d, 0x10, "p");
       SetEntryText(d, 0x11, "q");
       SetEntryText(d, 0x41, "old");
     },
     [](UndoTest& t, auto&) {
       t.Click(0x10);
       t.Trigger("MoJiHyoBlockCopy");
       t.Click(0x11);
       t.Click(0x40);
       t.Trigger("MoJiHyoBlockPaste");
     }},
    {"Block Lock", false, 0x20, {},
     [](UndoTest& t, auto&) {
       t.Click(0x2F);
       t.Trigger("MoJiHyoBlockLock");
       t.Click(0x20);
     }},
    {"Block Unlock", false, 0x22,
     [](FontTable& d) {
       for (int i = 0x20; i < 0x30; ++i) SetEntryLocked(d, i, true);
     },
     [](UndoTest& t, auto&) {
       t.Click(0x22);
       t.Trigger("MoJiHyoBlockUnlock");
       t.Click(0x25);
     }},
    {"Lock 41h", false, 0x41, {},
     [](UndoTest& t, auto&) { QTest::mouseDClick(t.Cell(0x41), Qt::LeftButton); }},
    {"Unlock 41h", false, 0x41, [](FontTable& d) { SetEntryLocked(d, 0x41, true); },
     [](UndoTest& t, auto&) { QTest::mouseDClick(t.Cell(0x41), Qt::LeftButton); }},
    {"Line Break Values", true, std::nullopt, {},
     [](UndoTest& t, auto& p) {
       PlayControlValues(p, "NewLineValue2", "0Dh");
       t.Trigger("EditNewLine");
     }},
    {"String Break Values", true, std::nullopt, {},
     [](UndoTest& t, auto& p) {
       PlayControlValues(p, "EndStringValue1", "0");
       t.Trigger("EditEndString");
     }},
    {"Dakuten/Handakuten Values", true, std::nullopt, [](FontTable& d) { d.DakutenValue = "DEh"; },
     [](UndoTest& t, auto& p) {
       PlayControlValues(p, "HandakutenValue", "DFh");
       t.Trigger("EditModifiers");
     }},
    {"Section Break Value", true, std::nullopt, {},
     [](UndoTest& t, auto&) {
       t.Trigger("EditSectionBreak");
       QWidget* w = SectionBreakWindow();
       ASSERT_TRUE(w);
       Type(*w, "SectionBreakValue", "02h");
       Press(*w, "Command1");
     }},
    {"16-bit Entries", true, std::nullopt,
     [](FontTable& d) { d.SixteenBitEntries = {"0400=Cecil", "0401=Rosa"}; },
     [](UndoTest& t, auto& p) {
       p.play["frm16bitEntries"] = [&p](QDialog& d) {
         p.play["frmAdd16bitEntry"] = [](QDialog& a) {
           Type(a, "EntryNumber", "0402h");
           Type(a, "EntryValue", "Kain");
           Press(a, "Command1");
         };
         Press(d, "btnAddEntry");
         Press(d, "btnSave");
       };
       t.Trigger("Edit16BitValues");
     }},
    {"Import into 16-bit Entries", true, std::nullopt,
     [](FontTable& d) { d.SixteenBitEntries = {"0400=Cecil", "0401=Rosa"}; },
     [](UndoTest& t, auto& p) {
       ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(t.dir.filePath("values.txt")), "Kain\nEdge\n").ok());
       p.files.push_back({t.dir.filePath("values.txt"), "values.txt"});
       p.play["frmImportAsk"] = [](QDialog& a) { Press(a, "btnImportFromText"); };
       p.play["frmImportPreview"] = [](QDialog& v) { Press(v, "Command1"); };
       p.play["frmImportGetStart"] = [](QDialog& g) {
         Type(g, "StartingNumber", "0401h");
         Press(g, "Command1");
       };
       p.play["frm16bitEntries"] = [](QDialog& d) {
         Press(d, "btnImport");
         Press(d, "btnSave");
       };
       t.Trigger("Edit16BitValues");
     }},
};

class EveryStep : public UndoTest, public ::testing::WithParamInterface<StepCase> {
protected:
  // The modeless Section Break window, when open, follows the table.
  void ExpectSectionBreakWindowShowsTable() {
    if (QWidget* w = SectionBreakWindow())
      EXPECT_EQ(w->findChild<QLineEdit*>("SectionBreakValue")->text(),
                window->byteText().ToDisplay(Doc().SectionBreakValue));
  }
};

TEST_P(EveryStep, UndoesToTheTableBeforeAndRedoesToTheTableAfter) {
  const StepCase& c = GetParam();
  if (c.setUp) c.setUp(Doc());
  const FontTable before = Content(Doc());
  const std::string savedBefore = SaveAs("before.tab");
  ASSERT_EQ(UndoText(), "");

  c.act(*this, *prompter);
  QApplication::setActiveWindow(window.get());
  Click(0xF0);  // the focus is elsewhere when undo comes
  const FontTable after = Content(Doc());
  ASSERT_NE(after, before) << "the step changed nothing";
  EXPECT_EQ(Doc().TableChanged, c.changesContent);
  const std::string savedAfter = SaveAs("after.tab");
  EXPECT_EQ(UndoText(), QString("&Undo ") + c.name);
  EXPECT_EQ(RedoText(), "");

  Undo();
  EXPECT_EQ(Content(Doc()), before);
  EXPECT_EQ(Doc().TableChanged, c.changesContent) << "undone away from the saved table";
  ExpectGridShowsTable();
  ExpectSectionBreakWindowShowsTable();
  EXPECT_EQ(QApplication::focusWidget(), Cell(c.firstCell.value_or(0xF0)));
  EXPECT_EQ(window->state().CurrentCell, c.firstCell.value_or(0xF0));
  EXPECT_EQ(UndoText(), "");
  EXPECT_EQ(RedoText(), QString("&Redo ") + c.name);
  EXPECT_EQ(SaveAs("undone.tab"), savedBefore);

  Redo();
  EXPECT_EQ(Content(Doc()), after);
  EXPECT_EQ(Doc().TableChanged, c.changesContent);
  ExpectGridShowsTable();
  ExpectSectionBreakWindowShowsTable();
  EXPECT_EQ(UndoText(), QString("&Undo ") + c.name);
  EXPECT_EQ(RedoText(), "");
  EXPECT_EQ(SaveAs("redone.tab"), savedAfter);
}

INSTANTIATE_TEST_SUITE_P(Steps, EveryStep, ::testing::ValuesIn(kSteps),
                         [](const ::testing::TestParamInfo<StepCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p)
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           return name;
                         });

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
  EXPECT_TRUE(doc.TableChanged);
  while (history.CanRedo()) history.Redo();
  EXPECT_EQ(doc.SixteenBitEntries, lists.back());
}

}  // namespace
}  // namespace mojihyo::ui
