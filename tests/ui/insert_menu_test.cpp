#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "main_window_fixture.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;
using InsertMenuTest = MainWindowTest;

TEST_F(InsertMenuTest, CtrlCInACellInsertsTheCapitalAlphabetFromThere) {
  Click(0x41);
  QTest::keyClick(Cell(0x41), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Cell(0x41)->text(), "A");
  EXPECT_EQ(Cell(0x5A)->text(), "Z");
  EXPECT_EQ(Cell(0x5A)->toolTip(), "5Ah (90) --- Value: Z");
  EXPECT_EQ(Cell(0x40)->text(), "");
  EXPECT_TRUE(Doc().TableChanged);
  EXPECT_EQ(window->state().CurrentCell, 0x41) << "the current cell does not move";

  Click(0x61);
  QTest::keyClick(Cell(0x61), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(Cell(0x7A)->text(), "z");
  Click(0x30);
  QTest::keyClick(Cell(0x30), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Cell(0x39)->text(), "9");
}

TEST_F(InsertMenuTest, BeforeAnyCellHadTheFocusSeriesStartAtCellZero) {
  window->findChild<QAction*>("InsertNumbers")->trigger();
  EXPECT_EQ(Cell(0)->text(), "0");
  EXPECT_EQ(Cell(9)->text(), "9");
}

TEST_F(InsertMenuTest, KanaCellsHoldTheirTwoRawBytes) {
  Click(0x80);
  window->findChild<QAction*>("InsertBasicHiraganaEUC")->trigger();
  EXPECT_EQ(Doc().EntryText[0x80], "\xA4\xA2");
  EXPECT_EQ(Cell(0x80)->text(), QString::fromUtf8("\xE3\x81\x82"));
  EXPECT_EQ(Doc().EntryText[0xAD], "\xA4\xF3");
}

TEST_F(InsertMenuTest, HiddenUglyRomajiCommandsStillWork) {
  Click(0x10);
  window->findChild<QAction*>("InsertUglyBasicRomajiCaps")->trigger();
  EXPECT_EQ(Cell(0x10)->text(), "A'");
  EXPECT_EQ(Cell(0x11)->text(), "I'");
  EXPECT_EQ(Cell(0x10 + 45)->text(), "N'");
}

TEST_F(InsertMenuTest, LockedCellsAreSkippedBySeries) {
  QTest::mouseDClick(Cell(0x12), Qt::LeftButton);
  Click(0x10);
  window->findChild<QAction*>("InsertNumbers")->trigger();
  EXPECT_EQ(Cell(0x12)->text(), "");
  EXPECT_EQ(Cell(0x13)->text(), "3");
}

// Plays the user's part in the Repeated Value dialog.
struct RepeatedValueAnswers {
  QString value, count;
  bool letsDoIt = true;
  QString seenValue = {}, seenCount = {};  // what the boxes held when the dialog opened
  QString shownCount = {};                 // the count box after typing
};

void AnswerRepeatedValue(testing::ScriptedPrompter& p, RepeatedValueAnswers& a) {
  p.onModal = [&a](QDialog& d) {
    ASSERT_EQ(d.objectName(), "frmRepeatedValue");
    auto* value = d.findChild<QLineEdit*>("Value");
    auto* count = d.findChild<QLineEdit*>("Repetitions");
    ASSERT_TRUE(value && count);
    a.seenValue = value->text();
    a.seenCount = count->text();
    QTest::keyClicks(value, a.value);
    QTest::keyClicks(count, a.count);
    a.shownCount = count->text();
    QTest::mouseClick(d.findChild<QPushButton*>(a.letsDoIt ? "Command1" : "Command2"),
                      Qt::LeftButton);
  };
}

TEST_F(InsertMenuTest, RepeatedValueDialogTexts) {
  QStringList labels;
  QString title, go, stop;
  prompter->onModal = [&](QDialog& d) {
    title = d.windowTitle();
    for (const char* name : {"Label1", "Label2", "Label3"})
      labels << d.findChild<QLabel*>(name)->text();
    go = d.findChild<QPushButton*>("Command1")->text();
    stop = d.findChild<QPushButton*>("Command2")->text();
  };
  window->findChild<QAction*>("InsertRepeatedValue")->trigger();
  EXPECT_EQ(title, "Repeated Value");
  EXPECT_EQ(labels, (QStringList{
                        "This option allows you to insert multiple copies of a certain value into "
                        "your font table.",
                        "Enter the value that you want to insert into your table:",
                        "Enter the number of times to repeat the value:"}));
  EXPECT_EQ(go, "Let's Do It!");
  EXPECT_EQ(stop, "Nevermind");
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(InsertMenuTest, RepeatedValueWritesFromTheCurrentCell) {
  QTest::mouseDClick(Cell(0x11), Qt::LeftButton);  // locked cells are written too
  Click(0x10);
  RepeatedValueAnswers a{"ka", "3"};
  AnswerRepeatedValue(*prompter, a);
  window->findChild<QAction*>("InsertRepeatedValue")->trigger();
  EXPECT_EQ(Cell(0x10)->text(), "ka");
  EXPECT_EQ(Cell(0x11)->text(), "ka");
  EXPECT_EQ(Cell(0x12)->text(), "ka");
  EXPECT_EQ(Cell(0x13)->text(), "");
  EXPECT_EQ(Cell(0x12)->toolTip(), "12h (18) --- Value: ka");
  EXPECT_EQ(window->state().CurrentCell, 0x10);
}

TEST_F(InsertMenuTest, TheCountBoxTakesOnlyValueCharactersAndThreeOfThem) {
  Click(0xF8);
  RepeatedValueAnswers a{"x", "g-1 0xh9"};
  AnswerRepeatedValue(*prompter, a);
  window->findChild<QAction*>("InsertRepeatedValue")->trigger();
  EXPECT_EQ(a.shownCount, "10h");
  for (int i = 0xF8; i <= 0xFF; ++i) EXPECT_EQ(Cell(i)->text(), "x") << i;
  EXPECT_EQ(Cell(0x00)->text(), "");
}

TEST_F(InsertMenuTest, CountReadings) {
  const std::pair<const char*, int> counts[] = {{"10", 10}, {"10H", 10}, {"Ah", 10}, {"A", 0},
                                               {"2.5", 2}, {"", 0},     {"9e9", 256}};
  for (const auto& [count, cells] : counts) {
    prompter->answers = {QMessageBox::No};  // throw the last run away
    window->findChild<QAction*>("NewTable")->trigger();
    prompter->answers.clear();
    RepeatedValueAnswers a{"v", count};
    AnswerRepeatedValue(*prompter, a);
    window->findChild<QAction*>("InsertRepeatedValue")->trigger();
    int written = 0;
    for (int i = 0; i < 256; ++i) written += Doc().EntryText[i] == "v";
    EXPECT_EQ(written, cells) << count;
  }
}

TEST_F(InsertMenuTest, NevermindWritesNothingAndTheNextOpeningIsEmpty) {
  RepeatedValueAnswers first{"typed", "5", false};
  AnswerRepeatedValue(*prompter, first);
  window->findChild<QAction*>("InsertRepeatedValue")->trigger();
  EXPECT_EQ(Cell(0)->text(), "");
  EXPECT_FALSE(Doc().TableChanged);

  RepeatedValueAnswers second{"", "", false};
  AnswerRepeatedValue(*prompter, second);
  window->findChild<QAction*>("InsertRepeatedValue")->trigger();
  EXPECT_EQ(second.seenValue, "");
  EXPECT_EQ(second.seenCount, "");
}

TEST_F(InsertMenuTest, ThingyOptionsFlipBackAfterTwoClicks) {
  auto* reverse = window->findChild<QAction*>("ReverseOrder");
  EXPECT_FALSE(reverse->isChecked());
  reverse->trigger();
  reverse->trigger();
  EXPECT_FALSE(reverse->isChecked());
  EXPECT_FALSE(Doc().ReverseOrder);
}

}  // namespace
}  // namespace mojihyo::ui
