// Recent tables, dropped files and what the window remembers between runs.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include "core/file_io.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class RememberedTest : public MainWindowTest {
protected:
  QString Put(const QString& name, const std::string& bytes) {
    EXPECT_TRUE(WriteFileReplacing(PathFromDisplay(dir.filePath(name)), bytes).ok());
    return dir.filePath(name);
  }
  void Open(const char* item, const QString& path) {
    prompter->files.push_back({path, QFileInfo(path).fileName()});
    window->findChild<QAction*>(item)->trigger();
  }
  QStringList RecentItems() {
    QStringList texts;
    for (QAction* a : window->findChild<QMenu*>("RecentTablesMenu")->actions()) texts << a->text();
    return texts;
  }
  QAction* Recent(int n) { return window->findChild<QAction*>(QStringLiteral("RecentTable%1").arg(n)); }
  // A file dragged from a file manager and dropped on `target`.
  void Drop(QWidget* target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(QUrl::fromLocalFile(path).toString());
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
  }

  QTemporaryDir dir;
};

TEST_F(RememberedTest, OpenedAndSavedTablesComeFirstWithTheirFormats) {
  EXPECT_FALSE(window->findChild<QMenu*>("RecentTablesMenu")->menuAction()->isEnabled());
  Open("OpenThingyTable", Put("a.tbl", "41=A\r\n"));
  Open("OpenHexposureTable", Put("b.tbl", "42=B\r\n"));
  prompter->files.push_back({dir.filePath("c.tab"), "c.tab"});
  window->findChild<QAction*>("SaveMoJiHyoTable")->trigger();
  EXPECT_EQ(RecentItems(), (QStringList{"&1 c.tab (MoJiHyo)", "&2 b.tbl (Hexposure)", "&3 a.tbl (Thingy)"}));
  EXPECT_EQ(Recent(3)->toolTip(), dir.filePath("a.tbl"));

  // Choosing one opens it as its format, asking first about unsaved changes.
  Click(0x30);
  QTest::keyClicks(Cell(0x30), "x");
  prompter->answers = {QMessageBox::No};
  Recent(3)->trigger();
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].text, "Do you want to save the current font table?");
  EXPECT_EQ(Doc().EntryText[0x41], "A");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Thingy);
  EXPECT_EQ(RecentItems().front(), "&1 a.tbl (Thingy)");

  // The list outlives the window.
  window = std::make_unique<frmMain>();
  EXPECT_EQ(RecentItems(), (QStringList{"&1 a.tbl (Thingy)", "&2 c.tab (MoJiHyo)", "&3 b.tbl (Hexposure)"}));
}

TEST_F(RememberedTest, EightAreKeptAndAMissingFileIsTakenOff) {
  for (int i = 1; i <= 9; ++i) Open("OpenThingyTable", Put(QStringLiteral("%1.tbl").arg(i), "41=A\r\n"));
  QStringList items = RecentItems();
  ASSERT_EQ(items.size(), 8);
  EXPECT_EQ(items.front(), "&1 9.tbl (Thingy)");
  EXPECT_EQ(items.back(), "&8 2.tbl (Thingy)");

  QFile::remove(dir.filePath("5.tbl"));
  Recent(5)->trigger();
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].title, "Recent Table Not Found");
  EXPECT_EQ(prompter->messages[0].text, "The table file no longer exists:\r" + dir.filePath("5.tbl") +
                                            "\r\rIt has been taken off the list of recent tables.");
  EXPECT_EQ(RecentItems().size(), 7);
  EXPECT_FALSE(RecentItems().join(" ").contains("5.tbl"));
}

TEST_F(RememberedTest, AnAmpersandInAFileNameIsShownNotTakenAsAShortcutKey) {
  Open("OpenThingyTable", Put("R&D.tbl", "41=A\r\n"));
  EXPECT_EQ(RecentItems().front(), "&1 R&&D.tbl (Thingy)");
}

TEST_F(RememberedTest, ATableNamedFromItsOwnFolderIsRememberedWherever) {
  Put("mine.tbl", "41=A\r\n");
  const QString started = QDir::currentPath();
  QDir::setCurrent(dir.path());
  window = std::make_unique<frmMain>("T mine.tbl");
  QDir::setCurrent(started);
  ASSERT_EQ(Doc().EntryText[0x41], "A");
  EXPECT_EQ(Recent(1)->toolTip(), dir.filePath("mine.tbl"));

  // The next run starts elsewhere; the entry still names the same file.
  window = std::make_unique<frmMain>();
  Recent(1)->trigger();
  EXPECT_TRUE(prompter->messages.empty());
  EXPECT_EQ(Doc().EntryText[0x41], "A");
}

TEST_F(RememberedTest, ADroppedTableOpensAskingTheFormatOfATbl) {
  const QString tab = Put("game.tab", "\\=FE\r\n41=A\r\n|41\r\n");
  Drop(Cell(0x10), tab);  // on a cell: the window takes it, the cell does not
  EXPECT_EQ(Doc().SectionBreakValue, "FEh");
  EXPECT_TRUE(Doc().EntryLocked[0x41]);
  EXPECT_EQ(Cell(0x10)->text(), "");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( GAME.TAB )");

  const QString tbl = Put("game.tbl", "*=FD\r\n42=B\r\n");
  QString asked;
  bool tfsWasDefault = false;
  prompter->play["frmChooseOpenFormat"] = [&](QDialog& d) {
    asked = d.findChild<QLabel*>("Label1")->text();
    tfsWasDefault = d.findChild<QPushButton*>("btnTfsTBL")->isDefault();
    QTest::mouseClick(d.findChild<QPushButton*>("btnHexposureTBL"), Qt::LeftButton);
  };
  Drop(window.get(), tbl);
  EXPECT_EQ(asked, "Which format is game.tbl in?");
  EXPECT_TRUE(tfsWasDefault) << "the first time, the reading that keeps every line";
  EXPECT_EQ(Doc().LineBreakValue1, "FDh");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Hexposure);

  // The last choice is the default next time; Cancel opens nothing.
  bool hexposureWasDefault = false;
  prompter->play["frmChooseOpenFormat"] = [&](QDialog& d) {
    hexposureWasDefault = d.findChild<QPushButton*>("btnHexposureTBL")->isDefault();
    QTest::mouseClick(d.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
  };
  Drop(window.get(), tab);
  Drop(window.get(), tbl);
  EXPECT_TRUE(hexposureWasDefault);
  EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(tab)) << "the .tab opened, the cancelled .tbl did not";

  // A folder is not taken: nothing is asked and nothing opens.
  const int askedBefore = prompter->Shown("frmChooseOpenFormat");
  Drop(window.get(), dir.path());
  EXPECT_EQ(prompter->Shown("frmChooseOpenFormat"), askedBefore);
  EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(tab));
}

TEST_F(RememberedTest, FontSizeEncodingAndPlaceOutliveTheWindow) {
  QTest::mouseClick(window->findChild<QPushButton*>("cmdIncreaseFontSize"), Qt::LeftButton);
  QTest::mouseClick(window->findChild<QPushButton*>("cmdIncreaseFontSize"), Qt::LeftButton);
  window->findChild<QAction*>("EncodingShiftJis")->trigger();
  window->move(40, 30);
  const QRect place = window->geometry();
  window->close();

  window = std::make_unique<frmMain>();
  window->show();
  EXPECT_EQ(Cell(0)->font().pointSize(), 10);
  EXPECT_EQ(Cell(0xFF)->font().pointSize(), 10);
  EXPECT_TRUE(window->findChild<QAction*>("EncodingShiftJis")->isChecked());
  EXPECT_EQ(window->geometry(), place);
  // New Table still starts the cells at 8 points, in the remembered encoding.
  window->findChild<QAction*>("NewTable")->trigger();
  EXPECT_EQ(Cell(0)->font().pointSize(), 8);
  EXPECT_TRUE(window->findChild<QAction*>("EncodingShiftJis")->isChecked());
}

}  // namespace
}  // namespace mojihyo::ui
