#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/file_io.h"
#include "main_window_fixture.h"
#include "ui/control_value_dialogs.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;
using ControlValuesTest = MainWindowTest;

// Opens a modal control value dialog through its menu item and lets `act`
// play the user's part.
void Open(frmMain& w, testing::ScriptedPrompter& p, const char* item,
          std::function<void(QDialog&)> act) {
  p.onModal = std::move(act);
  const std::size_t shown = p.dialogs.size();
  w.findChild<QAction*>(item)->trigger();
  EXPECT_EQ(p.dialogs.size(), shown + 1) << item << " opened no dialog";
}

QLineEdit* Box(QDialog& d, const char* name) { return d.findChild<QLineEdit*>(name); }
void Press(QDialog& d, const char* button) {
  QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
}

struct DialogTexts {
  const char* item;
  const char* title;
  std::vector<std::pair<const char*, const char*>> labels;
  std::vector<const char*> boxes;
};

TEST_F(ControlValuesTest, EachDialogShowsItsTexts) {
  const DialogTexts dialogs[] = {
      {"EditNewLine",
       "Line Break Values",
       {{"Label1", "A Line Break value indicates the end of one line of text, and the beginning of a new line."},
        {"Label2", "Enter the Line Break value below (e.g., 01h):"},
        {"Label3", "If the ROM you are editing uses more than one Line Break value, you may enter a second value below:"},
        {"Label4", "The Thingy documentation refers to Line Breaks as New Line values."},
        {"Label5", "The Hexposure documentation doesn't specify whether two Line Break values are supported, so only the first one will be saved in Hexposure table files."}},
       {"NewLineValue1", "NewLineValue2"}},
      {"EditEndString",
       "String Break Values",
       {{"Label1", "A String Break value indicates the end of a text string."},
        {"Label2", "Enter the String Break value below (e.g., 0):"},
        {"Label3", "If the ROM you are editing uses more than one String Break value, you may enter a second value below:"},
        {"Label4", "The Thingy documentation refers to String Breaks as End String Values."},
        {"Label6", "The Hexposure documentation does not specify whether two String Break values are supported, so only the first will be saved in Hexposure table files."}},
       {"EndStringValue1", "EndStringValue2"}},
      {"EditModifiers",
       "Dakuten/Handakuten Values",
       {{"Label1", "These are the values that represent the dakuten/handakuten symbols."},
        {"Label2", "Enter the dakuten value below (e.g., 01h):"},
        {"Label3", "Enter the handakuten value below:"},
        {"Label4", "Only Thingy supports these values.  They will not be saved Hexposure table files."}},
       {"DakutenValue", "HandakutenValue"}},
  };
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(dialog.item);
    Open(*window, *prompter, dialog.item, [&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), dialog.title);
      // Labels top to bottom in the order given.
      int lastY = -1;
      for (const auto& [name, text] : dialog.labels) {
        auto* label = d.findChild<QLabel*>(name);
        ASSERT_TRUE(label) << name;
        EXPECT_EQ(label->text(), text);
        const int y = label->mapTo(&d, QPoint(0, 0)).y();
        EXPECT_GT(y, lastY) << name;
        lastY = y;
      }
      for (const char* box : dialog.boxes) {
        ASSERT_TRUE(Box(d, box)) << box;
        EXPECT_EQ(Box(d, box)->property("tag").toString(), "0123456789abcdefhABCDEFH");
      }
      EXPECT_EQ(d.findChild<QGroupBox*>("Frame1")->title(), "Notes");
      EXPECT_EQ(d.findChild<QPushButton*>("Command1")->text(), "Okay");
      EXPECT_EQ(d.findChild<QPushButton*>("Command2")->text(), "Cancel");
      Press(d, "Command2");
    });
  }
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(ControlValuesTest, OkayStoresWhatWasTypedAndAlwaysMarksTheTable) {
  Open(*window, *prompter, "EditModifiers", [](QDialog& d) { Press(d, "Command1"); });
  EXPECT_TRUE(Doc().TableChanged) << "Okay without changes still marks the table";
  EXPECT_EQ(Doc().DakutenValue, "");

  Open(*window, *prompter, "EditModifiers", [](QDialog& d) {
    QTest::keyClicks(Box(d, "DakutenValue"), "1");
    QTest::keyClicks(Box(d, "HandakutenValue"), "dFh");
    Press(d, "Command1");
  });
  EXPECT_EQ(Doc().DakutenValue, "1");
  EXPECT_EQ(Doc().HandakutenValue, "dFh");
  QString shown;
  Open(*window, *prompter, "EditModifiers", [&](QDialog& d) {
    shown = Box(d, "DakutenValue")->text();
    Press(d, "Command2");
  });
  EXPECT_EQ(shown, "1");
}

TEST_F(ControlValuesTest, AnEmptiedSecondBoxStoresEmpty) {
  Doc().LineBreakValue1 = "01h";
  Doc().LineBreakValue2 = "0Dh";
  Open(*window, *prompter, "EditNewLine", [](QDialog& d) {
    EXPECT_EQ(Box(d, "NewLineValue1")->text(), "01h");
    Box(d, "NewLineValue2")->setFocus();
    Box(d, "NewLineValue2")->end(false);
    for (int i = 0; i < 3; ++i) QTest::keyClick(Box(d, "NewLineValue2"), Qt::Key_Backspace);
    Press(d, "Command1");
  });
  EXPECT_EQ(Doc().LineBreakValue1, "01h");
  EXPECT_EQ(Doc().LineBreakValue2, "");
}

TEST_F(ControlValuesTest, BoxesTakeOnlyValueCharactersUpToTheirLimit) {
  QString first, section;
  Open(*window, *prompter, "EditEndString", [&](QDialog& d) {
    QTest::keyClicks(Box(d, "EndStringValue1"), "g x- 1.FFFF");
    first = Box(d, "EndStringValue1")->text();
    Press(d, "Command1");
  });
  EXPECT_EQ(first, "1.F");
  EXPECT_EQ(Doc().StringBreakValue1, "1.F");

  window->findChild<QAction*>("EditSectionBreak")->trigger();
  auto* dialog = window->findChild<frmSectionBreakValue*>();
  ASSERT_EQ(dialog, nullptr) << "the Section Break dialog is a window of its own";
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() != "frmSectionBreakValue") continue;
    auto* box = w->findChild<QLineEdit*>("SectionBreakValue");
    QTest::keyClicks(box, "0123456789abcdefhH");
    section = box->text();
    w->close();
  }
  EXPECT_EQ(section, "0123456789abcdefhH");
}

TEST_F(ControlValuesTest, TextFromAnInputMethodIsFilteredLikeTypedKeys) {
  QString shown;
  Open(*window, *prompter, "EditEndString", [&](QDialog& d) {
    QLineEdit* box = Box(d, "EndStringValue1");
    QTest::keyClicks(box, "1");
    // A Japanese input method commits whole strings, not key presses.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("z\u3042a"));
    QApplication::sendEvent(box, &commit);
    QInputMethodEvent refused;
    refused.setCommitString(QStringLiteral("\u3042"));
    QApplication::sendEvent(box, &refused);
    shown = box->text();
    Press(d, "Command1");
  });
  EXPECT_EQ(shown, "1a");
  EXPECT_EQ(Doc().StringBreakValue1, "1a");
}

TEST_F(ControlValuesTest, CancelAfterEditsStoresNothing) {
  Doc().StringBreakValue1 = "FFh";
  Open(*window, *prompter, "EditEndString", [](QDialog& d) {
    QTest::keyClicks(Box(d, "EndStringValue1"), "1");
    QTest::keyClicks(Box(d, "EndStringValue2"), "2");
    Press(d, "Command2");
  });
  EXPECT_EQ(Doc().StringBreakValue1, "FFh");
  EXPECT_EQ(Doc().StringBreakValue2, "");
  EXPECT_FALSE(Doc().TableChanged);
  // The close box stores nothing either.
  Open(*window, *prompter, "EditEndString", [](QDialog& d) {
    QTest::keyClicks(Box(d, "EndStringValue2"), "2");
    d.close();
  });
  EXPECT_EQ(Doc().StringBreakValue2, "");
  EXPECT_FALSE(Doc().TableChanged);
}

QWidget* SectionBreakWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmSectionBreakValue" && w->isVisible()) return w;
  return nullptr;
}

TEST_F(ControlValuesTest, TheSectionBreakDialogLeavesTheGridUsable) {
  Doc().SectionBreakValue = "02h";
  window->findChild<QAction*>("EditSectionBreak")->trigger();
  QWidget* dialog = SectionBreakWindow();
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(dialog->isModal());
  EXPECT_TRUE(prompter->dialogs.empty()) << "not run modally";
  auto* box = dialog->findChild<QLineEdit*>("SectionBreakValue");
  EXPECT_EQ(box->text(), "02h");
  QTest::keyClicks(box, "x3");  // x is refused

  // The grid takes typing while the dialog is open.
  window->activateWindow();
  Click(0x12);
  QTest::keyClicks(Cell(0x12), "A");
  EXPECT_EQ(Doc().EntryText[0x12], "A");

  // The menu item again brings the same dialog forward, as it was.
  Doc().SectionBreakValue = "77h";
  window->findChild<QAction*>("EditSectionBreak")->trigger();
  EXPECT_EQ(SectionBreakWindow(), dialog);
  EXPECT_EQ(box->text(), "02h3");

  QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
  EXPECT_EQ(Doc().SectionBreakValue, "02h3");
  EXPECT_EQ(SectionBreakWindow(), nullptr);

  // A new opening reads the table afresh.
  window->findChild<QAction*>("EditSectionBreak")->trigger();
  ASSERT_TRUE(SectionBreakWindow());
  EXPECT_EQ(SectionBreakWindow()->findChild<QLineEdit*>("SectionBreakValue")->text(), "02h3");
}

TEST_F(ControlValuesTest, TypedValuesAreWrittenThroughTheHexNotation) {
  QTemporaryDir dir;
  Open(*window, *prompter, "EditNewLine", [](QDialog& d) {
    QTest::keyClicks(Box(d, "NewLineValue1"), "13");
    QTest::keyClicks(Box(d, "NewLineValue2"), "dh");
    Press(d, "Command1");
  });
  Open(*window, *prompter, "EditModifiers", [](QDialog& d) {
    QTest::keyClicks(Box(d, "DakutenValue"), "7FH");
    Press(d, "Command1");
  });
  prompter->files.push_back({dir.filePath("v.tbl"), "v.tbl"});
  prompter->onModal = nullptr;
  window->findChild<QAction*>("SaveThingyTable")->trigger();
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(dir.filePath("v.tbl").toStdString(), bytes).ok());
  EXPECT_EQ(bytes, "*0D\r\n*0D\r\n!07\r\n");
}

}  // namespace
}  // namespace mojihyo::ui

namespace mojihyo::ui {
namespace {

// Quitting while a value typed into the Section Break window is not stored
// asks about it first; the window never outlives the main window.
TEST_F(ControlValuesTest, QuittingSettlesAValueTypedIntoTheSectionBreakWindow) {
  const struct {
    QMessageBox::StandardButton answer;
    bool closes;
    const char* stored;
  } cases[] = {{QMessageBox::Yes, true, "5h"}, {QMessageBox::No, true, ""},
               {QMessageBox::Cancel, false, ""}};
  for (const auto& c : cases) {
    window = std::make_unique<frmMain>();
    window->show();
    prompter->messages.clear();
    window->findChild<QAction*>("EditSectionBreak")->trigger();
    ASSERT_TRUE(SectionBreakWindow());
    QTest::keyClicks(SectionBreakWindow()->findChild<QLineEdit*>("SectionBreakValue"), "5h");
    // The value stored makes the table changed: its own prompt is answered No.
    prompter->answers = {c.answer, QMessageBox::No};
    window->close();
    ASSERT_FALSE(prompter->messages.empty());
    EXPECT_EQ(prompter->messages[0].text,
              "The Section Break Value window holds a value that was not stored in the table.  "
              "Do you want to store it?");
    EXPECT_EQ(window->isVisible(), !c.closes);
    EXPECT_EQ(SectionBreakWindow() != nullptr, !c.closes) << "it goes with the main window";
    EXPECT_EQ(Doc().SectionBreakValue, c.stored);
  }
}

TEST_F(ControlValuesTest, TheSectionBreakWindowFollowsANewTableUnlessTypedIn) {
  Doc().SectionBreakValue = "02h";
  window->findChild<QAction*>("EditSectionBreak")->trigger();
  auto* box = SectionBreakWindow()->findChild<QLineEdit*>("SectionBreakValue");
  window->findChild<QAction*>("NewTable")->trigger();
  EXPECT_EQ(box->text(), "") << "the new table has no Section Break value";
  QTest::keyClicks(box, "9");
  Doc().SectionBreakValue = "03h";
  window->findChild<QAction*>("NewTable")->trigger();
  EXPECT_EQ(box->text(), "9") << "what the user typed stays";
}

}  // namespace
}  // namespace mojihyo::ui
