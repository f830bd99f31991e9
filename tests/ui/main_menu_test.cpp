#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include "main_window_fixture.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;
using MenuTest = MainWindowTest;

// One row per menu, item and separator, depth first:
// indent, name, caption ("-" for separators), shortcut, shown, enabled, checkable.
struct Row {
  int depth;
  QString name, caption, shortcut;
  bool shown = true, enabled = true, checkable = false;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
  *os << r.depth << " " << r.name.toStdString() << " '" << r.caption.toStdString() << "' "
      << r.shortcut.toStdString() << (r.shown ? "" : " hidden") << (r.enabled ? "" : " disabled")
      << (r.checkable ? " checkable" : "");
}

void Walk(const QList<QAction*>& actions, int depth, std::vector<Row>& rows) {
  for (QAction* a : actions) {
    rows.push_back({depth, a->objectName(), a->isSeparator() ? "-" : a->text(),
                    QKeySequence::listToString(a->shortcuts()), a->isVisible(), a->isEnabled(), a->isCheckable()});
    if (a->menu()) Walk(a->menu()->actions(), depth + 1, rows);
  }
}

std::vector<Row> KanaRows(const QString& k) {
  return {
      {2, "InsertBasic" + k + "Shift", "Basic &" + k + " (Shift-JIS)", "", false},
      {2, "InsertBasic" + k + "EUC", "&Basic " + k, ""},
      {2, "Insert" + k + "Separator1", "-", "", false},
      {2, "InsertModified" + k + "Shift", "&Dakuten/Handakuten " + k + " (Shift-JIS)", "", false},
      {2, "InsertModified" + k + "EUC", "Dakuten/&Handakuten " + k, ""},
      {2, "Insert" + k + "Separator2", "-", "", false},
      {2, "InsertChisai" + k + "Shift", "&Chisai " + k + " (Shift-JIS)", "", false},
      {2, "InsertChisai" + k + "EUC", "Ch&isai " + k, ""},
  };
}

TEST_F(MenuTest, EveryItemHasItsCaptionShortcutAndVisibility) {
  std::vector<Row> expected = {
      {0, "FileMenu", "&File", ""},
      {1, "NewTable", "Create &New Table", ""},
      {1, "OpenTable", "&Open Existing Table", ""},
      {2, "OpenThingyTable", "&Thingy TBL", ""},
      {2, "OpenHexposureTable", "&Hexposure TBL", ""},
      {2, "OpenUniROMTable", "&UniROM DTE", "", false, false},
      {2, "OpenMoJiHyoTable", "M&oJiHyo TAB", ""},
      {2, "OpenTfsTable", "TF&S TBL", ""},
      {1, "RecentTablesMenu", "Recent &Tables", "", true, false},  // empty on a first run
      {1, "FileSeparator1", "-", ""},
      {1, "SaveTable", "&Save Table", "Ctrl+S"},
      {1, "SaveTableAs", "Save Table &As...", ""},
      {2, "SaveThingyTable", "&Thingy TBL", ""},
      {2, "SaveHexposureTable", "&Hexposure TBL", ""},
      {2, "SaveUniROMTable", "&UniROM DTE", "", false, false},
      {2, "SaveMoJiHyoTable", "M&oJiHyo TAB", ""},
      {2, "SaveTfsTable", "TF&S TBL", ""},
      {1, "FileSeparator2", "-", ""},
      {1, "ExitProgram", "&Quit MoJiHyo", "Ctrl+Q"},
      {0, "EditMenu", "&Edit", ""},
      {1, "EditUndo", "&Undo", "Ctrl+Z", true, false},
      {1, "EditRedo", "&Redo", "Ctrl+Shift+Z; Ctrl+Y", true, false},
      {1, "EditUndoSeparator", "-", ""},
      {1, "EditBookmarks", "&Bookmarks", "Ctrl+B", false},
      {1, "EditSeparator1", "-", "", false},
      {1, "Edit16BitValues", "&16-bit Entries", ""},
      {1, "EditSeparator2", "-", ""},
      {1, "EditNewLine", "&Line Break Values", ""},
      {1, "EditEndString", "&String Break Values", ""},
      {1, "EditSectionBreak", "&Section Break Value", ""},
      {1, "EditModifiers", "&Dakuten/Handakuten Values", ""},
      {1, "EditCodes", "&Codes...", "", true, false},  // for a TFS table
      {1, "EditSeparator3", "-", ""},
      {1, "EditFind", "&Find...", "Ctrl+F"},
      {1, "EditFindNext", "Find &Next", "F3"},
      {1, "EditFindPrevious", "Find &Previous", "Shift+F3"},
      {1, "EditGoTo", "&Go to Entry...", "Ctrl+G"},
      {0, "InsertMenu", "&Insert", ""},
      {1, "InsertRepeatedValue", "Repeated &Value", ""},
      {1, "InsertSeparator1", "-", ""},
      {1, "InsertNumbers", "&Numbers 0-9", "Ctrl+N"},
      {1, "InsertSeparator2", "-", ""},
      {1, "InsertCapital", "&Capital English Alphabet", "Ctrl+C"},
      {1, "InsertLowercase", "&Lowercase English Alphabet", "Ctrl+L"},
      {1, "InsertSeparator3", "-", ""},
      {1, "InsertRomajiMenu", "&Romaji", ""},
      {2, "InsertBasicRomajiCaps", "&Basic Romaji (Capital)", ""},
      {2, "InsertBasicRomaji", "Basic &Romaji (Lowercase)", ""},
      {2, "InsertRomajiSeparator1", "-", ""},
      {2, "InsertModifiedRomajiCaps", "&Dakuten/Handakuten Romaji (Capital)", ""},
      {2, "InsertModifiedRomaji", "Dakuten/&Handakuten Romaji (Lowercase)", ""},
      {2, "InsertRomajiSeparator2", "-", ""},
      {2, "InsertChisaiRomajiCaps", "&Chisai Romaji (Capital)", ""},
      {2, "InsertChisaiRomaji", "Ch&isai Romaji (Lowercase)", ""},
      {1, "InsertUglyRomajiMenu", "&Ugly Romaji", "", false},
      {2, "InsertUglyBasicRomajiCaps", "Ugly &Basic Romaji (Capital)", ""},
      {2, "InsertUglyBasicRomaji", "Ugly Basic &Romaji (Lowercase)", ""},
      {2, "InsertUglyRomajiSeparator1", "-", ""},
      {2, "InsertUglyModifiedRomajiCaps", "Ugly &Dakuten/Handakuten Romaji (Capital)", ""},
      {2, "InsertUglyModifiedRomaji", "Ugly Dakuten/&Handakuten Romaji (Lowercase)", ""},
      {1, "InsertHiraganaMenu", "&Hiragana", ""},
  };
  for (const Row& r : KanaRows("Hiragana")) expected.push_back(r);
  expected.push_back({1, "InsertKatakanaMenu", "&Katakana", ""});
  for (const Row& r : KanaRows("Katakana")) expected.push_back(r);
  for (const Row& r : std::vector<Row>{
           {1, "InsertMixedKanaMenu", "&Mixed Kana", ""},
           {2, "InsertCompleteModifiedKanaEUC", "&Complete Dakuten/Handakuten Kana", ""},
           {0, "OptionsMenu", "&Thingy", ""},
           {1, "ReverseOrder", "&Reverse (Han)Dakuten/Kana Order", "", true, true, true},
           {1, "OmitSymbols", "&Omit <$xx> Symbols from Script Dumps", "", true, true, true},
           {0, "MoJiHyoMenu", "&Block Ops", ""},
           {1, "MoJiHyoBlockCopy", "Block &Copy", ""},
           {1, "MoJiHyoBlockCut", "&Block Cut", ""},
           {1, "MoJiHyoBlockPaste", "Block &Paste", ""},
           {1, "MoJiHyoSeparator1", "-", ""},
           {1, "MoJiHyoBlockLock", "Block &Lock", ""},
           {1, "MoJiHyoBlockUnlock", "Block &Unlock", ""},
           {0, "ViewMenu", "&View", ""},
           {1, "DisplayEncodingMenu", "Display &Encoding", ""},
           {2, "EncodingUtf8", "&UTF-8", "", true, true, true},
           {2, "EncodingEucJp", "&EUC-JP", "", true, true, true},
           {2, "EncodingShiftJis", "&Shift-JIS", "", true, true, true},
           {2, "EncodingLatin1", "&Latin-1 (one byte per character)", "", true, true, true},
           {1, "LogicalTableMenu", "Logical &Table", "", true, false},  // for a TFS table
           {0, "ToolsMenu", "&Tools", ""},
           {1, "ToolsCheckTable", "&Check Table...", ""},
           {1, "ToolsDecode", "&Decode...", ""},
           {1, "ToolsRelativeSearch", "&Relative Search...", ""},
           {0, "HelpMenu", "&Help", ""},
           {1, "AboutProgram", "&About MoJiHyo v1.0", ""},
       })
    expected.push_back(r);

  // A hidden item can never be triggered: Qt reports it disabled as well.
  for (Row& r : expected)
    if (!r.shown) r.enabled = false;

  std::vector<Row> actual;
  Walk(window->menuBar()->actions(), 0, actual);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << "row " << i;
}

TEST_F(MenuTest, CtrlShortcutsInACellReachTheMenuNotTheCell) {
  Click(0x20);
  QTest::keyClicks(Cell(0x20), "ab");
  // Locked, so that the series the shortcuts insert leave this cell alone.
  QTest::mouseDClick(Cell(0x20), Qt::LeftButton);
  Cell(0x20)->selectAll();
  for (const char* name : {"InsertCapital", "InsertNumbers", "InsertLowercase", "SaveTable"}) {
    auto* action = window->findChild<QAction*>(name);
    ASSERT_TRUE(action) << name;
    QSignalSpy spy(action, &QAction::triggered);
    const QKeySequence keys = action->shortcut();
    QTest::keySequence(Cell(0x20), keys);
    EXPECT_EQ(spy.count(), 1) << name;
  }
  EXPECT_EQ(Cell(0x20)->text(), "ab");
}

TEST_F(MenuTest, OtherCtrlKeysStillEditTheCell) {
  Click(0x21);
  QTest::keyClicks(Cell(0x21), "xyz");
  QTest::keyClick(Cell(0x21), Qt::Key_A, Qt::ControlModifier);  // select all
  QTest::keyClicks(Cell(0x21), "q");
  EXPECT_EQ(Cell(0x21)->text(), "q");
  EXPECT_EQ(Doc().EntryText[0x21], "q");
}

TEST_F(MenuTest, HiddenItemsHaveNoEffect) {
  auto* bookmarks = window->findChild<QAction*>("EditBookmarks");
  QSignalSpy spy(bookmarks, &QAction::triggered);
  Click(0x22);
  QTest::keyClick(Cell(0x22), Qt::Key_B, Qt::ControlModifier);
  EXPECT_EQ(spy.count(), 0);
}

TEST_F(MenuTest, QuitClosesTheWindow) {
  Click(0x23);
  QTest::keyClick(Cell(0x23), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace mojihyo::ui
