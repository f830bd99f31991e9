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
  std::string shortcut = "";  // alternatives separated by "; "
  bool shown = true;
  bool enabled = true;
  bool checkable = false;
  std::vector<Item> items = {};
  bool isMenu = false;  // a submenu, filled from `items` (or later, by its window)
};

Item Command(std::string name, std::string caption, std::string shortcut = "") {
  return {.name = std::move(name), .caption = std::move(caption), .shortcut = std::move(shortcut)};
}
Item Checkable(std::string name, std::string caption) {
  return {.name = std::move(name), .caption = std::move(caption), .checkable = true};
}
Item Submenu(std::string name, std::string caption, std::vector<Item> items) {
  return {.name = std::move(name), .caption = std::move(caption), .items = std::move(items),
          .isMenu = true};
}
Item Hidden(Item item) {
  item.shown = false;
  return item;
}
Item Disabled(Item item) {
  item.enabled = false;
  return item;
}
Item Sep(std::string name) { return {.name = std::move(name), .caption = "-"}; }

// The three Hiragana or Katakana items, each with its Shift-JIS twin that is
// never shown.
std::vector<Item> KanaItems(const std::string& k) {
  return {
      Hidden(Command("InsertBasic" + k + "Shift", "Basic &" + k + " (Shift-JIS)")),
      Command("InsertBasic" + k + "EUC", "&Basic " + k),
      Hidden(Sep("Insert" + k + "Separator1")),
      Hidden(Command("InsertModified" + k + "Shift", "&Dakuten/Handakuten " + k + " (Shift-JIS)")),
      Command("InsertModified" + k + "EUC", "Dakuten/&Handakuten " + k),
      Hidden(Sep("Insert" + k + "Separator2")),
      Hidden(Command("InsertChisai" + k + "Shift", "&Chisai " + k + " (Shift-JIS)")),
      Command("InsertChisai" + k + "EUC", "Ch&isai " + k),
  };
}

std::vector<Item> Menus() {
  return {
      Submenu("FileMenu", "&File",
              {
                  Command("NewTable", "Create &New Table"),
                  Submenu("OpenTable", "&Open Existing Table",
                          {
                              Command("OpenThingyTable", "&Thingy TBL"),
                              Command("OpenHexposureTable", "&Hexposure TBL"),
                              Hidden(Disabled(Command("OpenUniROMTable", "&UniROM DTE"))),
                              Command("OpenMoJiHyoTable", "M&oJiHyo TAB"),
                              Command("OpenTfsTable", "TF&S TBL"),
                          }),
                  // Filled with the tables last opened or saved.
                  Submenu("RecentTablesMenu", "Recent &Tables", {}),
                  Sep("FileSeparator1"),
                  Command("SaveTable", "&Save Table", "Ctrl+S"),
                  Submenu("SaveTableAs", "Save Table &As...",
                          {
                              Command("SaveThingyTable", "&Thingy TBL"),
                              Command("SaveHexposureTable", "&Hexposure TBL"),
                              Hidden(Disabled(Command("SaveUniROMTable", "&UniROM DTE"))),
                              Command("SaveMoJiHyoTable", "M&oJiHyo TAB"),
                              Command("SaveTfsTable", "TF&S TBL"),
                          }),
                  Sep("FileSeparator2"),
                  Command("ExitProgram", "&Quit MoJiHyo", "Ctrl+Q"),
              }),
      Submenu("EditMenu", "&Edit",
              {
                  // The texts name the step; the main window keeps them so.
                  Disabled(Command("EditUndo", "&Undo", "Ctrl+Z")),
                  Disabled(Command("EditRedo", "&Redo", "Ctrl+Shift+Z; Ctrl+Y")),
                  Sep("EditUndoSeparator"),
                  Hidden(Command("EditBookmarks", "&Bookmarks", "Ctrl+B")),
                  Hidden(Sep("EditSeparator1")),
                  Command("Edit16BitValues", "&16-bit Entries"),
                  Sep("EditSeparator2"),
                  Command("EditNewLine", "&Line Break Values"),
                  Command("EditEndString", "&String Break Values"),
                  Command("EditSectionBreak", "&Section Break Value"),
                  Command("EditModifiers", "&Dakuten/Handakuten Values"),
                  // A TFS table's end tokens, newlines, control codes and switches.
                  Disabled(Command("EditCodes", "&Codes...")),
                  Sep("EditSeparator3"),
                  Command("EditFind", "&Find...", "Ctrl+F"),
                  Command("EditFindNext", "Find &Next", "F3"),
                  Command("EditFindPrevious", "Find &Previous", "Shift+F3"),
                  Command("EditGoTo", "&Go to Entry...", "Ctrl+G"),
              }),
      Submenu("InsertMenu", "&Insert",
              {
                  Command("InsertRepeatedValue", "Repeated &Value"),
                  Sep("InsertSeparator1"),
                  Command("InsertNumbers", "&Numbers 0-9", "Ctrl+N"),
                  Sep("InsertSeparator2"),
                  Command("InsertCapital", "&Capital English Alphabet", "Ctrl+C"),
                  Command("InsertLowercase", "&Lowercase English Alphabet", "Ctrl+L"),
                  Sep("InsertSeparator3"),
                  Submenu("InsertRomajiMenu", "&Romaji",
                          {
                              Command("InsertBasicRomajiCaps", "&Basic Romaji (Capital)"),
                              Command("InsertBasicRomaji", "Basic &Romaji (Lowercase)"),
                              Sep("InsertRomajiSeparator1"),
                              Command("InsertModifiedRomajiCaps", "&Dakuten/Handakuten Romaji (Capital)"),
                              Command("InsertModifiedRomaji", "Dakuten/&Handakuten Romaji (Lowercase)"),
                              Sep("InsertRomajiSeparator2"),
                              Command("InsertChisaiRomajiCaps", "&Chisai Romaji (Capital)"),
                              Command("InsertChisaiRomaji", "Ch&isai Romaji (Lowercase)"),
                          }),
                  Hidden(Submenu(
                      "InsertUglyRomajiMenu", "&Ugly Romaji",
                      {
                          Command("InsertUglyBasicRomajiCaps", "Ugly &Basic Romaji (Capital)"),
                          Command("InsertUglyBasicRomaji", "Ugly Basic &Romaji (Lowercase)"),
                          Sep("InsertUglyRomajiSeparator1"),
                          Command("InsertUglyModifiedRomajiCaps", "Ugly &Dakuten/Handakuten Romaji (Capital)"),
                          Command("InsertUglyModifiedRomaji", "Ugly Dakuten/&Handakuten Romaji (Lowercase)"),
                      })),
                  Submenu("InsertHiraganaMenu", "&Hiragana", KanaItems("Hiragana")),
                  Submenu("InsertKatakanaMenu", "&Katakana", KanaItems("Katakana")),
                  Submenu("InsertMixedKanaMenu", "&Mixed Kana",
                          {Command("InsertCompleteModifiedKanaEUC", "&Complete Dakuten/Handakuten Kana")}),
              }),
      Submenu("OptionsMenu", "&Thingy",
              {
                  Checkable("ReverseOrder", "&Reverse (Han)Dakuten/Kana Order"),
                  Checkable("OmitSymbols", "&Omit <$xx> Symbols from Script Dumps"),
              }),
      Submenu("MoJiHyoMenu", "&Block Ops",
              {
                  Command("MoJiHyoBlockCopy", "Block &Copy"),
                  Command("MoJiHyoBlockCut", "&Block Cut"),
                  Command("MoJiHyoBlockPaste", "Block &Paste"),
                  Sep("MoJiHyoSeparator1"),
                  Command("MoJiHyoBlockLock", "Block &Lock"),
                  Command("MoJiHyoBlockUnlock", "Block &Unlock"),
              }),
      Submenu("ViewMenu", "&View",
              {
                  Submenu("DisplayEncodingMenu", "Display &Encoding",
                          {
                              Checkable("EncodingUtf8", "&UTF-8"),
                              Checkable("EncodingEucJp", "&EUC-JP"),
                              Checkable("EncodingShiftJis", "&Shift-JIS"),
                              Checkable("EncodingLatin1", "&Latin-1 (one byte per character)"),
                          }),
                  // Filled with a TFS table's logical tables.
                  Submenu("LogicalTableMenu", "Logical &Table", {}),
              }),
      Submenu("ToolsMenu", "&Tools",
              {
                  Command("ToolsCheckTable", "&Check Table..."),
                  Command("ToolsDecode", "&Decode..."),
                  Command("ToolsRelativeSearch", "&Relative Search..."),
              }),
      Submenu("HelpMenu", "&Help", {Command("AboutProgram", "&About MoJiHyo v1.0")}),
  };
}

QAction* MakeAction(QObject* owner, const Item& item) {
  auto* action = new QAction(QString::fromStdString(item.caption), owner);
  action->setObjectName(QString::fromStdString(item.name));
  if (item.caption == "-") {
    action->setText(QString());
    action->setSeparator(true);
  }
  if (!item.shortcut.empty())
    action->setShortcuts(QKeySequence::listFromString(QString::fromStdString(item.shortcut)));
  action->setCheckable(item.checkable);
  action->setVisible(item.shown);
  action->setEnabled(item.enabled);
  return action;
}

void AddItems(QWidget* menu, QObject* owner, const std::vector<Item>& items) {
  for (const Item& item : items) {
    if (!item.isMenu) {
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
