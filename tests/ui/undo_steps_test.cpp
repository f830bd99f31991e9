#include <QApplication>
#include <QLineEdit>

#include <cctype>

#include "undo_fixture.h"

namespace mojihyo::ui {
namespace {

using testing::Content;
using testing::Press;
using testing::Type;
using testing::UndoTest;

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
    if (QWidget* w = SectionBreakWindow()) {
      EXPECT_EQ(w->findChild<QLineEdit*>("SectionBreakValue")->text(),
                window->byteText().ToDisplay(Doc().SectionBreakValue));
    }
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
}  // namespace
}  // namespace mojihyo::ui
