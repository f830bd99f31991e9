// The Tools menu's windows, driven through their widgets: Decode shows a
// file through the table being edited and follows its changes, and
// Relative Search fills the table from a match.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include "core/file_io.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"
#include "ui/decode_view.h"
#include "ui/frm_decode.h"
#include "ui/frm_relative_search.h"
#include "ui/relative_match_model.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class ToolsTest : public MainWindowTest {
protected:
  // Opens `bytes` as a file through the Tools menu item `action`.
  template <typename Window>
  Window* Open(const char* action, const std::string& bytes) {
    const QString path = dir.filePath(QStringLiteral("game.rom"));
    EXPECT_TRUE(WriteFileReplacing(PathFromDisplay(path), bytes).ok());
    prompter->files.push_back({path, QStringLiteral("game.rom")});
    window->findChild<QAction*>(action)->trigger();
    auto* w = window->findChild<Window*>();
    if (w) {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    }
    return w;
  }
  frmDecode* OpenDecode(const std::string& bytes) { return Open<frmDecode>("ToolsDecode", bytes); }
  frmRelativeSearch* OpenSearch(const std::string& bytes) { return Open<frmRelativeSearch>("ToolsRelativeSearch", bytes); }

  void Type(int index, const char* text) {
    Click(index);
    QTest::keyClicks(Cell(index), text);
  }
  // Waits for the pause after a change of the table to end and the window
  // to decode again; true when `done` came true.
  template <typename Done>
  bool AfterThePause(Done done) {
    return QTest::qWaitFor(done, 5000);
  }
  // Types text with characters no key of a Latin keyboard makes, as an
  // input method hands them to the box.
  void TypeText(QLineEdit* box, const QString& text) {
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
  void Press(QWidget* w, const char* name) {
    auto* button = w->findChild<QPushButton*>(name);
    ASSERT_TRUE(button) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // Clicks the decoded text of the piece holding byte `at`, with `modifiers`.
  void ClickText(DecodeView* view, std::uint64_t at, Qt::KeyboardModifiers modifiers = {}) {
    const QRect r = view->textRectOf(at);
    ASSERT_TRUE(r.isValid()) << at;
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, r.center());
  }

  QTemporaryDir dir;
};

using Selection = std::pair<std::uint64_t, std::uint64_t>;

TEST_F(ToolsTest, DecodeAsksForTheFileThroughTheDialogAndShowsItThroughTheTable) {
  Type(0x41, "A");
  Type(0x42, "B");
  Doc().SixteenBitEntries.push_back("4243=bc");
  frmDecode* w = OpenDecode(std::string("AB\x01" "BCA", 6) + std::string(16, 'A') + "\xFF");
  ASSERT_TRUE(w);
  ASSERT_EQ(prompter->opened.size(), 1u);
  EXPECT_EQ(prompter->opened[0].title, "Open File to Decode");
  EXPECT_EQ(w->windowTitle(), "Decode - game.rom");
  DecodeView* view = w->view();
  EXPECT_EQ(view->rowText(0), "AB[$01]bcAAAAAAAAAAA");
  EXPECT_EQ(view->rowText(1), "AAAAAA[$FF]");
  EXPECT_EQ(view->accessibleDescription(), "00000000: AB[$01]bcAAAAAAAAAAA\n00000010: AAAAAA[$FF]\n");
  EXPECT_EQ(w->findChild<QLabel*>("lblCoverage")->text(), "Coverage: 91.3% of 23 bytes in view");
  auto* undecoded = w->findChild<QListWidget*>("lstUndecoded");
  ASSERT_EQ(undecoded->count(), 2);
  EXPECT_EQ(undecoded->item(0)->text(), QString::fromUtf8("01h \xC3\x97" "1"));
  EXPECT_EQ(undecoded->item(1)->text(), QString::fromUtf8("FFh \xC3\x97" "1"));
}

TEST_F(ToolsTest, ACancelledFileDialogOpensNoWindowAndAnUnreadableFileSaysWhy) {
  window->findChild<QAction*>("ToolsRelativeSearch")->trigger();
  EXPECT_EQ(window->findChild<frmRelativeSearch*>(), nullptr);
  prompter->files.push_back({dir.filePath("missing.rom"), "missing.rom"});
  window->findChild<QAction*>("ToolsDecode")->trigger();
  EXPECT_EQ(window->findChild<frmDecode*>(), nullptr);
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].title, "Open File to Decode");
  EXPECT_TRUE(prompter->messages[0].text.contains("No such file or directory")) << prompter->messages[0].text.toStdString();
}

TEST_F(ToolsTest, EveryTableChangeDecodesAgainAfterAPause) {
  frmDecode* w = OpenDecode("AB\x01");
  ASSERT_TRUE(w);
  DecodeView* view = w->view();
  EXPECT_EQ(view->rowText(0), "[$41][$42][$01]");
  Type(0x41, "x");
  Type(0x01, "y");
  EXPECT_EQ(view->rowText(0), "[$41][$42][$01]") << "not before the pause";
  EXPECT_TRUE(AfterThePause([&] { return view->rowText(0) == "x[$42]y"; })) << view->rowText(0).toStdString();
  // The break values count too, though no observer hears of them: the
  // step their dialog records says so, and so does its undo.
  prompter->play["frmNewLineValues"] = [](QDialog& d) {
    QTest::keyClicks(d.findChild<QLineEdit*>("NewLineValue1"), "42h");
    QTest::mouseClick(d.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  };
  window->findChild<QAction*>("EditNewLine")->trigger();
  EXPECT_TRUE(AfterThePause([&] { return view->rowText(0) == QString::fromUtf8("x\xE2\x86\xB5y"); }))
      << view->rowText(0).toStdString();
  window->findChild<QAction*>("EditUndo")->trigger();
  EXPECT_TRUE(AfterThePause([&] { return view->rowText(0) == "x[$42]y"; })) << view->rowText(0).toStdString();
}

TEST_F(ToolsTest, TextIsShownInTheMainWindowsDisplayEncoding) {
  SetEntryText(Doc(), 0x80, "\xA4\xA2");
  frmDecode* w = OpenDecode("\x80");
  ASSERT_TRUE(w);
  EXPECT_EQ(w->view()->rowText(0), QString::fromUtf8("\xE3\x81\x82"));
  window->findChild<QAction*>("EncodingLatin1")->trigger();
  EXPECT_EQ(w->view()->rowText(0), QString::fromLatin1("\xA4\xA2"));
}

TEST_F(ToolsTest, SelectingTextSelectsItsBytes) {
  Type(0x41, "A");
  Doc().SixteenBitEntries.push_back("4243=bc");
  frmDecode* w = OpenDecode("ABCAA\x05");
  ASSERT_TRUE(w);
  DecodeView* view = w->view();
  ClickText(view, 1);
  EXPECT_EQ(view->selection(), (Selection{1, 3}));
  EXPECT_EQ(w->findChild<QLabel*>("lblSelection")->text(), "Selected 0x1 to 0x2: 2 bytes");
  ClickText(view, 5, Qt::ShiftModifier);
  EXPECT_EQ(view->selection(), (Selection{1, 6}));
  // Dragging over the text from its first piece.
  QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->textRectOf(0).center());
  QTest::mouseMove(view->viewport(), view->textRectOf(3).center());
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, view->textRectOf(3).center());
  EXPECT_EQ(view->selection(), (Selection{0, 4}));
  // And a byte in the hex column.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->hexRectOf(2).center());
  EXPECT_EQ(view->selection(), (Selection{2, 3}));
}

TEST_F(ToolsTest, ClickingAnUndecodedValueFocusesItsCellWithoutEndingABlockRange) {
  frmDecode* w = OpenDecode("\x07\x07\x09");
  ASSERT_TRUE(w);
  Click(0x30);
  window->findChild<QAction*>("MoJiHyoBlockCopy")->trigger();
  ASSERT_EQ(window->state().BlockMode, PendingBlock::Copy);
  auto* list = w->findChild<QListWidget*>("lstUndecoded");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("07h \xC3\x97" "2"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Cell(0x07); }, 5000));
  EXPECT_EQ(window->state().CurrentCell, 0x07);
  EXPECT_EQ(window->state().BlockMode, PendingBlock::Copy);
  EXPECT_FALSE(window->state().BlockClipboard.has_value());
}

TEST_F(ToolsTest, GoToOffsetDecodesFromThereAndFindSelectsTheBytesOfAText) {
  Type(0x41, "A");
  Type(0x43, "c");
  Doc().SixteenBitEntries.push_back("4243=X");
  frmDecode* w = OpenDecode("ABCABC");
  ASSERT_TRUE(w);
  DecodeView* view = w->view();
  EXPECT_EQ(view->rowText(0), "AXAX");
  QTest::keyClicks(w->findChild<QLineEdit*>("txtOffset"), "0x2");
  Press(w, "cmdGoTo");
  EXPECT_EQ(view->anchor(), 2u);
  EXPECT_EQ(view->selection(), (Selection{2, 3}));
  EXPECT_EQ(view->rowText(0), "A[$42]cAX");

  QTest::keyClicks(w->findChild<QLineEdit*>("txtFind"), "XA");
  view->setSelection(0, 0);
  Press(w, "cmdFindNext");
  EXPECT_TRUE(prompter->messages.empty());
  EXPECT_EQ(view->selection(), (Selection{1, 4}));
  Press(w, "cmdFindNext");
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].text, "\"XA\" was not found after 0x4.");

  QLineEdit* offset = w->findChild<QLineEdit*>("txtOffset");
  offset->setText("6");
  Press(w, "cmdGoTo");
  ASSERT_EQ(prompter->messages.size(), 2u);
  EXPECT_EQ(prompter->messages[1].title, "Go to Offset");
  EXPECT_TRUE(prompter->messages[1].text.startsWith("\"6\" is not an offset in this file")) << prompter->messages[1].text.toStdString();

  delete w;
  frmDecode* empty = OpenDecode("");
  ASSERT_TRUE(empty);
  QTest::keyClicks(empty->findChild<QLineEdit*>("txtOffset"), "0");
  Press(empty, "cmdGoTo");
  ASSERT_EQ(prompter->messages.size(), 3u);
  EXPECT_EQ(prompter->messages[2].text, "This file is empty: it has no offset to go to.");
}

TEST_F(ToolsTest, RelativeSearchListsMatchesWithTheirPreviewAndFillsTheCells) {
  // "princess" with its alphabet from 0x10, at offset 5, among zeros.
  std::string rom(40, '\0');
  const std::string word = "princess";
  for (std::size_t i = 0; i < word.size(); ++i) rom[5 + i] = static_cast<char>(0x10 + word[i] - 'a');
  frmRelativeSearch* w = OpenSearch(rom);
  ASSERT_TRUE(w);
  EXPECT_EQ(prompter->opened[0].title, "Open File for Relative Search");
  auto* fill = w->findChild<QPushButton*>("cmdFillTable");
  EXPECT_FALSE(fill->isEnabled());
  QTest::keyClicks(w->findChild<QLineEdit*>("txtWord"), "princess");
  Press(w, "cmdSearch");
  RelativeMatchModel* model = w->model();
  ASSERT_EQ(model->rowCount(), 1);
  EXPECT_EQ(w->findChild<QLabel*>("lblStatus")->text(), "1 match");
  auto text = [&](int column) { return model->data(model->index(0, column), Qt::DisplayRole).toString(); };
  EXPECT_EQ(text(RelativeMatchModel::OffsetColumn), "0x5");
  EXPECT_EQ(text(RelativeMatchModel::BaseColumn), "0x10");
  EXPECT_EQ(text(RelativeMatchModel::PreviewColumn), ".....princess........");

  SetEntryLocked(Doc(), 0x12, true);
  ASSERT_TRUE(fill->isEnabled());
  Press(w, "cmdFillTable");
  EXPECT_EQ(Cell(0x10)->text(), "a");
  EXPECT_EQ(Cell(0x12)->text(), "") << "locked";
  EXPECT_EQ(Cell(0x29)->text(), "z");
  EXPECT_TRUE(Doc().TableChanged);
  EXPECT_EQ(w->findChild<QLabel*>("lblStatus")->text(), "Filled the cells with a-z from 0x10.");
  // The whole fill is one step.
  auto* undo = window->findChild<QAction*>("EditUndo");
  EXPECT_EQ(undo->text(), "&Undo Fill Table");
  undo->trigger();
  EXPECT_EQ(Cell(0x10)->text(), "");
  EXPECT_EQ(Cell(0x29)->text(), "");
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(ToolsTest, RelativeSearchOfKanaInTwoByteValuesFillsSixteenBitEntries) {
  // "まおう" (ma o u: 30, 4, 2) low byte first from 0x0100, at offset 3.
  std::string rom(16, '\xFF');
  const int places[] = {30, 4, 2};
  for (int i = 0; i < 3; ++i) {
    rom[3 + 2 * i] = static_cast<char>(places[i]);
    rom[4 + 2 * i] = 0x01;
  }
  frmRelativeSearch* w = OpenSearch(rom);
  ASSERT_TRUE(w);
  auto* order = w->findChild<QComboBox*>("cboByteOrder");
  EXPECT_FALSE(order->isEnabled());
  w->findChild<QComboBox*>("cboWidth")->setCurrentIndex(1);
  EXPECT_TRUE(order->isEnabled());
  order->setCurrentIndex(1);
  TypeText(w->findChild<QLineEdit*>("txtWord"), QString::fromUtf8("\xE3\x81\xBE\xE3\x81\x8A\xE3\x81\x86"));
  Press(w, "cmdSearch");
  ASSERT_EQ(w->model()->rowCount(), 1);
  EXPECT_EQ(w->model()->data(w->model()->index(0, RelativeMatchModel::BaseColumn), Qt::DisplayRole).toString(), "0x100");
  Press(w, "cmdFillTable");
  ASSERT_EQ(Doc().SixteenBitEntries.size(), 46u);
  EXPECT_EQ(Doc().SixteenBitEntries[0], "0001=\xA4\xA2");
  EXPECT_EQ(Doc().SixteenBitEntries[45], "2D01=\xA4\xF3");
  window->findChild<QAction*>("EditUndo")->trigger();
  EXPECT_EQ(Doc().SixteenBitEntries.size(), 0u) << "one step, the 16-bit entries with it";
}

TEST_F(ToolsTest, RelativeSearchSaysWhatIsWrongWithAWord) {
  frmRelativeSearch* w = OpenSearch("abc");
  ASSERT_TRUE(w);
  TypeText(w->findChild<QLineEdit*>("txtWord"), QString::fromUtf8("\xE3\x82\x86\xE3\x82\x83"));
  Press(w, "cmdSearch");
  EXPECT_EQ(w->findChild<QLabel*>("lblStatus")->text(),
            QString::fromUtf8("'\xE3\x82\x83' is in none of the alphabets a-z, A-Z, 0-9, basic hiragana and basic katakana"));
  EXPECT_EQ(w->model()->rowCount(), 0);
  EXPECT_FALSE(w->findChild<QPushButton*>("cmdFillTable")->isEnabled());
  // A character EUC-JP cannot hold is named as typed.
  w->findChild<QLineEdit*>("txtWord")->clear();
  TypeText(w->findChild<QLineEdit*>("txtWord"), QString::fromUtf8("ab\xED\x95\x9C"));
  Press(w, "cmdSearch");
  EXPECT_EQ(w->findChild<QLabel*>("lblStatus")->text(),
            QString::fromUtf8("'\xED\x95\x9C' is in none of the alphabets a-z, A-Z, 0-9, basic hiragana and basic katakana"));
}

// What a screen reader hears: every control the keyboard reaches has a
// name with a word in it, and a box is named by the label whose buddy it
// is.
TEST_F(ToolsTest, EveryControlOfTheToolWindowsHasANameToBeHeard) {
  for (QWidget* w : std::initializer_list<QWidget*>{OpenDecode("A"), OpenSearch("A")}) {
    ASSERT_TRUE(w);
    int controls = 0;
    for (QWidget* c : w->findChildren<QWidget*>()) {
      if (!(c->focusPolicy() & Qt::TabFocus) || !c->isVisibleTo(w)) continue;
      ++controls;
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
      ASSERT_TRUE(a) << c->objectName().toStdString();
      const QString name = a->text(QAccessible::Name);
      EXPECT_TRUE(std::any_of(name.begin(), name.end(), [](QChar ch) { return ch.isLetter(); }))
          << c->objectName().toStdString() << " is heard as \"" << name.toStdString() << "\"";
      if (qobject_cast<QLineEdit*>(c)) {
        const QList<QLabel*> labels = w->findChildren<QLabel*>();
        const auto label = std::find_if(labels.begin(), labels.end(), [c](QLabel* l) { return l->buddy() == c; });
        ASSERT_NE(label, labels.end()) << c->objectName().toStdString();
        EXPECT_EQ(name, (*label)->text().remove(QLatin1Char('&')));
      }
    }
    EXPECT_GE(controls, 6) << w->objectName().toStdString();
  }
}

}  // namespace
}  // namespace mojihyo::ui
