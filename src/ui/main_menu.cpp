#include "ui/main_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <string>
#include <utility>
#include <vector>

namespace mojihyo::ui {

namespace {

struct Item {
  std::string name;
  std::string caption;  // "-" for a separator
  std::string shortcut = "";
  bool shown = true;
  bool enabled = true;
  bool checkable = false;
  std::vector<Item> items = {};  // a submenu when not empty
};

Item Sep(std::string name, bool shown = true) { return {std::move(name), "-", "", shown}; }
Item Hidden(std::string name, std::string caption) {
  return {std::move(name), std::move(caption), "", false};
}

// The three Hiragana or Katakana items, each with its Shift-JIS twin that is
// never shown.
std::vector<Item> KanaItems(const std::string& k) {
  return {
      Hidden("InsertBasic" + k + "Shift", "Basic &" + k + " (Shift-JIS)"),
      {"InsertBasic" + k + "EUC", "&Basic " + k},
      Sep("Insert" + k + "Separator1", false),
      Hidden("InsertModified" + k + "Shift", "&Dakuten/Handakuten " + k + " (Shift-JIS)"),
      {"InsertModified" + k + "EUC", "Dakuten/&Handakuten " + k},
      Sep("Insert" + k + "Separator2", false),
      Hidden("InsertChisai" + k + "Shift", "&Chisai " + k + " (Shift-JIS)"),
      {"InsertChisai" + k + "EUC", "Ch&isai " + k},
  };
}

std::vector<Item> Menus() {
  return {
      {"FileMenu", "&File", "", true, true, false,
       {
           {"NewTable", "Create &New Table"},
           {"OpenTable", "&Open Existing Table", "", true, true, false,
            {
                {"OpenThingyTable", "&Thingy TBL"},
                {"OpenHexposureTable", "&Hexposure TBL"},
                {"OpenUniROMTable", "&UniROM DTE", "", false, false},
                {"OpenMoJiHyoTable", "M&oJiHyo TAB"},
            }},
           Sep("FileSeparator1"),
           {"SaveTable", "&Save Table", "Ctrl+S"},
           {"SaveTableAs", "Save Table &As...", "", true, true, false,
            {
                {"SaveThingyTable", "&Thingy TBL"},
                {"SaveHexposureTable", "&Hexposure TBL"},
                {"SaveUniROMTable", "&UniROM DTE", "", false, false},
                {"SaveMoJiHyoTable", "M&oJiHyo TAB"},
            }},
           Sep("FileSeparator2"),
           {"ExitProgram", "&Quit MoJiHyo", "Ctrl+Q"},
       }},
      {"EditMenu", "&Edit", "", true, true, false,
       {
           {"EditBookmarks", "&Bookmarks", "Ctrl+B", false},
           Sep("EditSeparator1", false),
           {"Edit16BitValues", "&16-bit Entries"},
           Sep("EditSeparator2"),
           {"EditNewLine", "&Line Break Values"},
           {"EditEndString", "&String Break Values"},
           {"EditSectionBreak", "&Section Break Value"},
           {"EditModifiers", "&Dakuten/Handakuten Values"},
       }},
      {"InsertMenu", "&Insert", "", true, true, false,
       {
           {"InsertRepeatedValue", "Repeated &Value"},
           Sep("InsertSeparator1"),
           {"InsertNumbers", "&Numbers 0-9", "Ctrl+N"},
           Sep("InsertSeparator2"),
           {"InsertCapital", "&Capital English Alphabet", "Ctrl+C"},
           {"InsertLowercase", "&Lowercase English Alphabet", "Ctrl+L"},
           Sep("InsertSeparator3"),
           {"InsertRomajiMenu", "&Romaji", "", true, true, false,
            {
                {"InsertBasicRomajiCaps", "&Basic Romaji (Capital)"},
                {"InsertBasicRomaji", "Basic &Romaji (Lowercase)"},
                Sep("InsertRomajiSeparator1"),
                {"InsertModifiedRomajiCaps", "&Dakuten/Handakuten Romaji (Capital)"},
                {"InsertModifiedRomaji", "Dakuten/&Handakuten Romaji (Lowercase)"},
                Sep("InsertRomajiSeparator2"),
                {"InsertChisaiRomajiCaps", "&Chisai Romaji (Capital)"},
                {"InsertChisaiRomaji", "Ch&isai Romaji (Lowercase)"},
            }},
           {"InsertUglyRomajiMenu", "&Ugly Romaji", "", false, true, false,
            {
                {"InsertUglyBasicRomajiCaps", "Ugly &Basic Romaji (Capital)"},
                {"InsertUglyBasicRomaji", "Ugly Basic &Romaji (Lowercase)"},
                Sep("InsertUglyRomajiSeparator1"),
                {"InsertUglyModifiedRomajiCaps", "Ugly &Dakuten/Handakuten Romaji (Capital)"},
                {"InsertUglyModifiedRomaji", "Ugly Dakuten/&Handakuten Romaji (Lowercase)"},
            }},
           {"InsertHiraganaMenu", "&Hiragana", "", true, true, false, KanaItems("Hiragana")},
           {"InsertKatakanaMenu", "&Katakana", "", true, true, false, KanaItems("Katakana")},
           {"InsertMixedKanaMenu", "&Mixed Kana", "", true, true, false,
            {
                {"InsertCompleteModifiedKanaEUC", "&Complete Dakuten/Handakuten Kana"},
            }},
       }},
      {"OptionsMenu", "&Thingy", "", true, true, false,
       {
           {"ReverseOrder", "&Reverse (Han)Dakuten/Kana Order", "", true, true, true},
           {"OmitSymbols", "&Omit <$xx> Symbols from Script Dumps", "", true, true, true},
       }},
      {"MoJiHyoMenu", "&Block Ops", "", true, true, false,
       {
           {"MoJiHyoBlockCopy", "Block &Copy"},
           {"MoJiHyoBlockCut", "&Block Cut"},
           {"MoJiHyoBlockPaste", "Block &Paste"},
           Sep("MoJiHyoSeparator1"),
           {"MoJiHyoBlockLock", "Block &Lock"},
           {"MoJiHyoBlockUnlock", "Block &Unlock"},
       }},
      {"ViewMenu", "&View", "", true, true, false,
       {
           {"DisplayEncodingMenu", "Display &Encoding", "", true, true, false,
            {
                {"EncodingUtf8", "&UTF-8", "", true, true, true},
                {"EncodingEucJp", "&EUC-JP", "", true, true, true},
                {"EncodingShiftJis", "&Shift-JIS", "", true, true, true},
                {"EncodingLatin1", "&Latin-1 (one byte per character)", "", true, true, true},
            }},
       }},
      {"HelpMenu", "&Help", "", true, true, false,
       {
           {"AboutProgram", "&About MoJiHyo v1.0"},
       }},
  };
}

QAction* MakeAction(QObject* owner, const Item& item) {
  auto* action = new QAction(QString::fromStdString(item.caption), owner);
  action->setObjectName(QString::fromStdString(item.name));
  if (item.caption == "-") {
    action->setText(QString());
    action->setSeparator(true);
  }
  if (!item.shortcut.empty()) action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
  action->setCheckable(item.checkable);
  action->setVisible(item.shown);
  action->setEnabled(item.enabled);
  return action;
}

void AddItems(QWidget* menu, QObject* owner, const std::vector<Item>& items) {
  for (const Item& item : items) {
    if (item.items.empty()) {
      menu->addAction(MakeAction(owner, item));
      continue;
    }
    auto* sub = new QMenu(QString::fromStdString(item.caption), menu);
    sub->setObjectName(QString::fromStdString(item.name));
    sub->menuAction()->setObjectName(QString::fromStdString(item.name));
    sub->menuAction()->setVisible(item.shown);
    AddItems(sub, sub, item.items);
    menu->addAction(sub->menuAction());
  }
}

}  // namespace

void BuildMainMenu(QMenuBar* bar) { AddItems(bar, bar, Menus()); }

}  // namespace mojihyo::ui
