// What a screen reader hears: every control the keyboard reaches, in the
// main window and in every dialog the menus open, has a name it can say.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include <fstream>
#include <set>

#include "main_window_fixture.h"
#include "ui/entry_list_model.h"
#include "ui/frm_16bit_entries.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;
using AccessibilityTest = MainWindowTest;

QString Heard(QWidget* w, QAccessible::Text what) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  return a ? a->text(what) : QStringLiteral("<no accessible interface>");
}

// A name says something only when it holds a letter: "+" and "▲" are read
// out as symbols, or not at all.
bool SaysSomething(const QString& name) {
  return std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); });
}

// Every control under `root` the keyboard can reach has a name that says
// something; a box is named by the label whose buddy it is.
void ExpectEveryControlNamed(QWidget* root) {
  int controls = 0;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(root) || !w->isEnabled()) continue;
    ++controls;
    const QString where = root->objectName() + "/" + w->objectName();
    const QString name = Heard(w, QAccessible::Name);
    EXPECT_TRUE(SaysSomething(name)) << where.toStdString() << " is heard as \"" << name.toStdString() << "\"";
    if (qobject_cast<QLineEdit*>(w) && !qobject_cast<TableCell*>(w)) {
      const QList<QLabel*> labels = root->findChildren<QLabel*>();
      const auto label = std::find_if(labels.begin(), labels.end(), [w](QLabel* l) { return l->buddy() == w; });
      ASSERT_NE(label, labels.end()) << where.toStdString() << " has no label";
      EXPECT_EQ(name, (*label)->text().remove(QLatin1Char('&'))) << where.toStdString();
    }
  }
  EXPECT_GT(controls, 0) << root->objectName().toStdString();
}

TEST_F(AccessibilityTest, CellsAreNamedByTheirNumberAndReadTheirTextAsValue) {
  SetEntryText(Doc(), 0x41, "\xA4\xA2");  // あ in EUC-JP, the new table's display encoding
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(Heard(Cell(i), QAccessible::Name), QString::asprintf("Entry %02Xh", i));
  EXPECT_EQ(Heard(Cell(0x41), QAccessible::Value), "あ");
  QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(Cell(0x41));
  ASSERT_NE(cell->textInterface(), nullptr);
  EXPECT_EQ(cell->textInterface()->text(0, cell->textInterface()->characterCount()), "あ");
  EXPECT_EQ(cell->role(), QAccessible::EditableText);
  EXPECT_EQ(Heard(Cell(0x41), QAccessible::Description), "41h (65) --- Value: あ");
}

TEST_F(AccessibilityTest, FontButtonsAreNamedInWordsAndKeepTheirGlyphs) {
  auto* smaller = window->findChild<QPushButton*>("cmdDecreaseFontSize");
  auto* larger = window->findChild<QPushButton*>("cmdIncreaseFontSize");
  EXPECT_EQ(Heard(smaller, QAccessible::Name), "Smaller text");
  EXPECT_EQ(Heard(larger, QAccessible::Name), "Larger text");
  EXPECT_EQ(smaller->text(), "-");
  EXPECT_EQ(larger->text(), "+");
}

TEST_F(AccessibilityTest, TheMainWindowAndItsFindBar) {
  ExpectEveryControlNamed(window.get());
  QTest::keyClick(Cell(0), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(window->findChild<QWidget*>("FindBar")->isVisible());
  ExpectEveryControlNamed(window.get());
}

// Leaf items of the menus, depth first.
void CollectItems(const QList<QAction*>& actions, std::vector<QAction*>& items) {
  for (QAction* a : actions) {
    if (a->menu()) {
      CollectItems(a->menu()->actions(), items);
    } else if (!a->isSeparator() && a->isVisible() && a->isEnabled()) {
      items.push_back(a);
    }
  }
}

// Chooses every menu item but Quit, then drops a table on the window. Every
// modal dialog that opens, and the dialogs those open, are walked; the
// modeless ones after.
TEST_F(AccessibilityTest, EveryDialogTheMenusOpen) {
  QTemporaryDir dir;
  const QString values = dir.filePath("values.txt");
  std::ofstream(values.toStdString()) << "one\ntwo\n";

  std::set<QString> walked;
  // How to reach the dialogs a dialog opens.
  const std::map<QString, std::function<void(QDialog&)>> onward = {
      {"frm16bitEntries",
       [](QDialog& d) {
         // New Table, chosen before, left the list empty: Edit needs a row.
         auto& list = static_cast<frm16bitEntries&>(d);
         list.entries().append("0400=x");
         list.selectRow(0);
         for (const char* button : {"btnAddEntry", "btnEditEntry", "Command1", "btnImport"})
           d.findChild<QPushButton*>(button)->click();
       }},
      {"frmAdd16bitSeries",
       [](QDialog& d) {
         d.findChild<QLineEdit*>("StartNumber")->setText("1h");
         d.findChild<QLineEdit*>("EndNumber")->setText("1h");
         d.findChild<QPushButton*>("btnBegin")->click();
       }},
      {"frmImportAsk",
       [&](QDialog& d) {
         prompter->files.push_back({values, "values.txt"});
         d.findChild<QPushButton*>("btnImportFromText")->click();
       }},
      {"frmImportPreview", [](QDialog& d) { d.findChild<QPushButton*>("Command1")->click(); }},
  };
  prompter->onModal = [&](QDialog& d) {
    walked.insert(d.objectName());
    ExpectEveryControlNamed(&d);
    if (auto step = onward.find(d.objectName()); step != onward.end()) step->second(d);
  };

  std::vector<QAction*> items;
  CollectItems(window->menuBar()->actions(), items);
  for (QAction* item : items)
    if (item->objectName() != "ExitProgram") item->trigger();
  // The one dialog no menu opens: a .tbl dropped on the window asks its format.
  const QString table = dir.filePath("game.tbl");
  std::ofstream(table.toStdString()) << "41=A\n";
  prompter->answers = {QMessageBox::No};  // the menus changed the table: not saved
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(table)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);

  const std::set<QString> expected = {
      "frmAbout",          "frmChooseSaveFormat", "frmNewLineValues",   "frmEndStringValues",
      "frmModifierValues", "frmRepeatedValue",    "frmGoToEntry",       "frm16bitEntries",
      "frmAdd16bitEntry",  "frmEdit16bitEntry",   "frmAdd16bitSeries",  "frmEnter16bitValue",
      "frmImportAsk",      "frmImportPreview",    "frmImportGetStart",  "frmChooseOpenFormat"};
  for (const QString& name : expected) EXPECT_TRUE(walked.count(name)) << name.toStdString() << " never opened";

  QWidget* sectionBreak = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "frmSectionBreakValue" && w->isVisible()) sectionBreak = w;
  ASSERT_NE(sectionBreak, nullptr);
  ExpectEveryControlNamed(sectionBreak);
  auto* checkTable = window->findChild<QDialog*>("frmCheckTable");
  ASSERT_NE(checkTable, nullptr);
  ExpectEveryControlNamed(checkTable);
  ExpectEveryControlNamed(window.get());  // with the find bar open
}

}  // namespace
}  // namespace mojihyo::ui
