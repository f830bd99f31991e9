#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/file_io.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

const QString kUnsavedText = "Do you want to save the current font table?";
constexpr auto kYesNoCancel = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;

class FileCommandsTest : public MainWindowTest {
protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  void Put(const QString& name, const std::string& bytes) {
    ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path(name)), bytes).ok());
  }
  std::string Get(const QString& name) const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(PathFromDisplay(Path(name)), bytes).ok()) << name.toStdString();
    return bytes;
  }
  bool Exists(const QString& name) const { return QFileInfo::exists(Path(name)); }
  void Trigger(const char* action) {
    QAction* a = window->findChild<QAction*>(action);
    ASSERT_TRUE(a) << action;
    a->trigger();
  }
  // The user will pick this file in the next file dialog.
  void WillChoose(const QString& name) { prompter->files.push_back({Path(name), name}); }
  // The user will press this button of the format chooser.
  void WillChooseFormat(const char* button) {
    prompter->play["frmChooseSaveFormat"] = [button](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Choose File Format");
      auto* b = d.findChild<QPushButton*>(button);
      ASSERT_TRUE(b) << button;
      QTest::mouseClick(b, Qt::LeftButton);
    };
  }
  void TypeInto(int index, const char* text) {
    Click(index);
    QTest::keyClicks(Cell(index), text);
  }
  std::string Text(int index) { return Doc().EntryText[index]; }

  QTemporaryDir dir;
};

// ---- Opening ----

TEST_F(FileCommandsTest, OpenOnACleanTableAsksNothingAndShowsTheFile) {
  Put("game.tbl", "4a=x\r\n41=A\r\n*FE\r\n0A00=ka\r\n");
  WillChoose("game.tbl");
  Trigger("OpenThingyTable");
  ASSERT_EQ(prompter->opened.size(), 1u);
  EXPECT_EQ(prompter->opened[0].title, "Open Thingy Table File");
  EXPECT_EQ(prompter->opened[0].filter, "Thingy table files (*.tbl)|*.tbl");
  EXPECT_TRUE(prompter->messages.empty());
  EXPECT_EQ(Cell(0x4A)->text(), "x");
  EXPECT_EQ(Cell(0x4A)->toolTip(), "4ah (74) --- Value: x");
  EXPECT_EQ(Cell(0x41)->toolTip(), "41h (65) --- Value: A");
  EXPECT_EQ(Doc().LineBreakValue1, "FEh");
  EXPECT_EQ(Doc().SixteenBitEntries, LineList{"0A00=ka"});
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( GAME.TBL )");
  EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(Path("game.tbl")));
  EXPECT_EQ(Doc().CurrentFileTitle, "game.tbl");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Thingy);
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(FileCommandsTest, EachOpenCommandHasItsOwnDialogAndReader) {
  Put("h.tbl", "*=01\r\n41 A\r\n\\=FD\r\n");
  WillChoose("h.tbl");
  Trigger("OpenHexposureTable");
  EXPECT_EQ(prompter->opened.back().title, "Open Hexposure Table File");
  EXPECT_EQ(prompter->opened.back().filter, "Hexposure table files (*.tbl)|*.tbl");
  EXPECT_EQ(Text(0x41), "A");
  EXPECT_EQ(Doc().SectionBreakValue, "FDh");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Hexposure);

  // A Thingy table afterwards drops the Section Break value.
  Put("t.tbl", "41=B\r\n");
  WillChoose("t.tbl");
  Trigger("OpenThingyTable");
  EXPECT_EQ(Doc().SectionBreakValue, "");

  Put("m.tab", "|41\r\n>\r\n");
  WillChoose("m.tab");
  Trigger("OpenMoJiHyoTable");
  EXPECT_EQ(prompter->opened.back().title, "Open MoJiHyo Table File");
  EXPECT_EQ(prompter->opened.back().filter, "MoJiHyo table files (*.tab)|*.tab");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::MoJiHyo);
  EXPECT_TRUE(Cell(0x41)->isReadOnly());
  EXPECT_EQ(Cell(0x41)->colour(), 0xAAAAAAu);
  EXPECT_TRUE(window->findChild<QAction*>("ReverseOrder")->isChecked());
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( M.TAB )");
}

TEST_F(FileCommandsTest, AnOpenUnlocksWhatTheFileDoesNotLock) {
  SetEntryLocked(Doc(), 0x10, true);
  window->findChild<QAction*>("OmitSymbols")->trigger();
  Put("plain.tbl", "10=a\r\n");
  WillChoose("plain.tbl");
  Trigger("OpenThingyTable");
  EXPECT_FALSE(Doc().EntryLocked[0x10]);
  EXPECT_FALSE(Cell(0x10)->isReadOnly());
  EXPECT_EQ(Cell(0x10)->colour(), 0xFFFFFFu);
  EXPECT_FALSE(window->findChild<QAction*>("OmitSymbols")->isChecked());
  EXPECT_FALSE(Doc().OmitSymbols);
}

TEST_F(FileCommandsTest, AnEmptyFileGivesAnEmptyTableNamedAfterIt) {
  TypeInto(3, "x");
  Put("empty.tab", "");
  prompter->answers = {QMessageBox::No};
  WillChoose("empty.tab");
  Trigger("OpenMoJiHyoTable");
  EXPECT_EQ(Text(3), "");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( EMPTY.TAB )");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::MoJiHyo);
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(FileCommandsTest, UnsavedChangesPromptBeforeAnOpen) {
  TypeInto(1, "keep");
  Put("game.tbl", "01=new\r\n");

  // Cancel: nothing happens, no dialog.
  prompter->answers = {QMessageBox::Cancel};
  Trigger("OpenThingyTable");
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].title, "Unsaved Changes");
  EXPECT_EQ(prompter->messages[0].text, kUnsavedText);
  EXPECT_EQ(prompter->messages[0].icon, QMessageBox::Question);
  EXPECT_EQ(prompter->messages[0].buttons, kYesNoCancel);
  EXPECT_TRUE(prompter->opened.empty());
  EXPECT_EQ(Text(1), "keep");

  // No, then the dialog cancelled: the changes stay.
  prompter->answers = {QMessageBox::No};
  Trigger("OpenThingyTable");
  EXPECT_EQ(prompter->opened.size(), 1u);
  EXPECT_EQ(Text(1), "keep");
  EXPECT_TRUE(Doc().TableChanged);

  // No, then a file: the changes are gone.
  prompter->answers = {QMessageBox::No};
  WillChoose("game.tbl");
  Trigger("OpenThingyTable");
  EXPECT_EQ(Text(1), "new");
  EXPECT_FALSE(Doc().TableChanged);
}

TEST_F(FileCommandsTest, YesSavesToTheBoundFileThenOpens) {
  Put("old.tab", "01=a\r\n");
  WillChoose("old.tab");
  Trigger("OpenMoJiHyoTable");
  TypeInto(2, "b");
  Put("next.tab", "03=c\r\n");
  prompter->answers = {QMessageBox::Yes};
  WillChoose("next.tab");
  Trigger("OpenMoJiHyoTable");
  EXPECT_EQ(Get("old.tab"), "01=a\r\n02=b\r\n");
  EXPECT_EQ(Text(3), "c");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( NEXT.TAB )");
}

TEST_F(FileCommandsTest, YesWhoseSaveIsCancelledStopsTheOpen) {
  TypeInto(1, "keep");
  Put("game.tbl", "01=new\r\n");
  prompter->answers = {QMessageBox::Yes};
  WillChooseFormat("btnCancel");
  Trigger("OpenThingyTable");
  EXPECT_EQ(prompter->dialogs, std::vector<QString>{"frmChooseSaveFormat"});
  EXPECT_TRUE(prompter->opened.empty()) << "the open went on after a cancelled save";
  EXPECT_EQ(Text(1), "keep");
  EXPECT_TRUE(Doc().TableChanged);
}

TEST_F(FileCommandsTest, AFileThatCannotBeReadLeavesTheTableAsItWas) {
  Put("game.tbl", "01=a\r\n");
  WillChoose("game.tbl");
  Trigger("OpenThingyTable");
  TypeInto(2, "unsaved");
  QDir(dir.path()).mkdir("folder.tbl");

  for (const QString name : {"folder.tbl", "removed.tbl"}) {
    prompter->messages.clear();
    prompter->answers = {QMessageBox::No};
    WillChoose(name);
    Trigger("OpenThingyTable");
    ASSERT_EQ(prompter->messages.size(), 2u) << name.toStdString();
    const MessageRequest& m = prompter->messages[1];
    EXPECT_EQ(m.title, "Unable to Open Table");
    EXPECT_TRUE(m.text.contains(Path(name))) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(name == "folder.tbl" ? "Is a directory" : "No such file or directory"))
        << m.text.toStdString();
    EXPECT_EQ(Text(1), "a");
    EXPECT_EQ(Text(2), "unsaved");
    EXPECT_TRUE(Doc().TableChanged);
    EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(Path("game.tbl")));
    EXPECT_EQ(Doc().SaveFormat, TableFormat::Thingy);
    EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( GAME.TBL )");
  }
}

// ---- Saving ----

TEST_F(FileCommandsTest, ANewTableAsksForAFormatAndAFile) {
  TypeInto(0x41, "A");
  WillChooseFormat("btnCancel");
  Trigger("SaveTable");
  EXPECT_EQ(prompter->dialogs.size(), 1u);
  EXPECT_TRUE(prompter->saved.empty());
  EXPECT_FALSE(Doc().SaveFormat.has_value());

  // Thingy chosen, file dialog cancelled: the choice is dropped.
  WillChooseFormat("btnThingyTBL");
  Trigger("SaveTable");
  ASSERT_EQ(prompter->saved.size(), 1u);
  EXPECT_EQ(prompter->saved[0].title, "Save Thingy Table File");
  EXPECT_EQ(prompter->saved[0].filter, "Thingy table files (*.tbl)|*.tbl");
  EXPECT_TRUE(prompter->saved[0].confirmOverwrite);
  EXPECT_FALSE(Doc().SaveFormat.has_value());
  EXPECT_TRUE(Doc().TableChanged);

  // So the next save asks for the format again.
  WillChooseFormat("btnMoJiHyoTAB");
  WillChoose("new table");  // no extension is added
  Trigger("SaveTable");
  EXPECT_EQ(prompter->dialogs.size(), 3u);
  EXPECT_EQ(prompter->saved.back().title, "Save MoJiHyo Table File");
  EXPECT_EQ(prompter->saved.back().filter, "MoJiHyo table files (*.tab)|*.tab");
  EXPECT_EQ(Get("new table"), "41=A\r\n");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( NEW TABLE )");
  EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(Path("new table")));
  EXPECT_EQ(Doc().SaveFormat, TableFormat::MoJiHyo);
  EXPECT_FALSE(Doc().TableChanged);
  EXPECT_TRUE(prompter->messages.empty());

  // Later saves go straight to the same file.
  TypeInto(0x42, "B");
  Trigger("SaveTable");
  EXPECT_EQ(prompter->dialogs.size(), 3u);
  EXPECT_EQ(prompter->saved.size(), 2u);
  EXPECT_EQ(Get("new table"), "41=A\r\n42=B\r\n");
}

TEST_F(FileCommandsTest, CtrlSSavesFromACell) {
  Put("game.tab", "");
  WillChoose("game.tab");
  Trigger("OpenMoJiHyoTable");
  TypeInto(0x30, "0");
  QTest::keyClick(Cell(0x30), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Get("game.tab"), "30=0\r\n");
}

TEST_F(FileCommandsTest, ACancelledSaveAsUnbindsTheTableFromItsFile) {
  Put("game.tbl", "01=a\r\n");
  WillChoose("game.tbl");
  Trigger("OpenThingyTable");
  TypeInto(2, "b");
  Trigger("SaveHexposureTable");  // dialog cancelled
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Hexposure);
  EXPECT_EQ(Doc().CurrentFileName, "");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( GAME.TBL )");
  EXPECT_TRUE(Doc().TableChanged);

  WillChoose("other.tbl");
  Trigger("SaveTable");
  EXPECT_TRUE(prompter->dialogs.empty()) << "no chooser: the format is known";
  EXPECT_EQ(prompter->saved.back().title, "Save Hexposure Table File");
  EXPECT_EQ(Get("game.tbl"), "01=a\r\n");
  EXPECT_EQ(Get("other.tbl"), "01=a\r\n02=b\r\n");
}

TEST_F(FileCommandsTest, SaveAsThingyReportsTheLostSectionBreak) {
  Put("game.tab", "\\=FE\r\n01=a\r\n|01\r\n");
  WillChoose("game.tab");
  Trigger("OpenMoJiHyoTable");
  WillChoose("game.tbl");
  Trigger("SaveThingyTable");
  EXPECT_EQ(Get("game.tbl"), "01=a\r\n");
  ASSERT_EQ(prompter->messages.size(), 1u);
  const MessageRequest& m = prompter->messages[0];
  EXPECT_EQ(m.title, "Information");
  EXPECT_EQ(m.icon, QMessageBox::Information);
  EXPECT_EQ(m.buttons, QMessageBox::Ok);
  EXPECT_EQ(m.text,
            "The font table was saved to disk successfully.  However, due to limitations in the "
            "Thingy file format, the following settings were NOT saved:\r\rSection Break value\r"
            "\rThough the above settings were not saved to disk, they are still present in "
            "memory.  So, if you save the font table in MoJiHyo TAB format now, the data will "
            "not be lost.");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( GAME.TBL )");
  EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(Path("game.tbl")));
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Thingy);
  EXPECT_FALSE(Doc().TableChanged);
  EXPECT_EQ(Doc().SectionBreakValue, "FEh") << "still in memory";
}

TEST_F(FileCommandsTest, HexposureReportsOnlyWhatItLoses) {
  Put("plain.tbl", "*01\r\n/02\r\n41=A\r\n");
  WillChoose("plain.tbl");
  Trigger("OpenThingyTable");
  WillChoose("plain.hex.tbl");
  Trigger("SaveHexposureTable");
  EXPECT_EQ(Get("plain.hex.tbl"), "*=01\r\n/=02\r\n41=A\r\n");
  EXPECT_TRUE(prompter->messages.empty());

  Put("rich.tbl", ">\r\n#\r\n0400=x\r\n");
  WillChoose("rich.tbl");
  Trigger("OpenThingyTable");
  WillChoose("rich.hex.tbl");
  Trigger("SaveHexposureTable");
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_TRUE(prompter->messages[0].text.contains(
      "NOT saved:\r\rThingy Menu toggle settings\r16-bit font table entries\r\rThough"));
}

TEST_F(FileCommandsTest, MoJiHyoSavesNeverReport) {
  Put("rich.tbl", ">\r\n#\r\n*01\r\n*02\r\n!DE\r\n0400=x\r\n(1-2)\r\n[3]\r\n$4\r\n");
  WillChoose("rich.tbl");
  Trigger("OpenThingyTable");
  WillChoose("rich.tab");
  Trigger("SaveMoJiHyoTable");
  EXPECT_TRUE(prompter->messages.empty());
  EXPECT_EQ(Get("rich.tab"),
            ">\r\n#\r\n$4\r\n*=01\r\n*=02\r\n!DE\r\n0400=x\r\n\r\n(1-2)\r\n\r\n[3]\r\n");
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheOldFileAndTheTablesState) {
  Put("game.tbl", "01=a\r\n");
  WillChoose("game.tbl");
  Trigger("OpenThingyTable");
  TypeInto(2, "b");
  QDir(dir.path()).mkdir("folder.tab");

  const struct {
    QString name;
    const char* reason;
  } targets[] = {{"folder.tab", "Is a directory"},
                 {"missing/x.tab", "No such file or directory"}};
  for (const auto& t : targets) {
    prompter->messages.clear();
    WillChoose(t.name);
    Trigger("SaveMoJiHyoTable");
    ASSERT_EQ(prompter->messages.size(), 1u) << "no not-saved report follows a failed save";
    EXPECT_EQ(prompter->messages[0].title, "Unable to Save Table");
    EXPECT_TRUE(prompter->messages[0].text.contains(Path(t.name)));
    EXPECT_TRUE(prompter->messages[0].text.contains(t.reason)) << prompter->messages[0].text.toStdString();
    EXPECT_EQ(Doc().CurrentFileTitle, "game.tbl");
    EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(Path("game.tbl")));
    EXPECT_EQ(Doc().SaveFormat, TableFormat::Thingy);
    EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( GAME.TBL )");
    EXPECT_TRUE(Doc().TableChanged);
    EXPECT_FALSE(window->state().SaveDialogShown);
  }
  EXPECT_FALSE(Exists("missing"));

  // A full disk, through the file-writing layer: the plain save fails too.
  WillChoose("game.tbl");
  Trigger("SaveThingyTable");
  EXPECT_EQ(Get("game.tbl"), "01=a\r\n02=b\r\n");
  TypeInto(3, "c");
  window->setFileWriter([](const std::string&, std::string_view) {
    return FileResult{"No space left on device"};
  });
  prompter->messages.clear();
  Trigger("SaveTable");
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_TRUE(prompter->messages[0].text.contains("No space left on device"));
  EXPECT_EQ(Get("game.tbl"), "01=a\r\n02=b\r\n");
  EXPECT_TRUE(Doc().TableChanged);

  // And a Yes whose save fails stops New Table.
  prompter->answers = {QMessageBox::Yes};
  Trigger("NewTable");
  EXPECT_EQ(Text(3), "c");
}

TEST_F(FileCommandsTest, AFailedFirstSaveDropsTheFormatPickedInTheChooser) {
  TypeInto(1, "a");
  QDir(dir.path()).mkdir("folder.tbl");
  WillChooseFormat("btnThingyTBL");
  WillChoose("folder.tbl");
  Trigger("SaveTable");
  EXPECT_EQ(prompter->messages.size(), 1u);
  EXPECT_FALSE(Doc().SaveFormat.has_value());
  EXPECT_EQ(Doc().CurrentFileName, "");
  Trigger("SaveTable");
  EXPECT_EQ(prompter->dialogs.size(), 2u) << "the next save asks for the format again";
}

TEST_F(FileCommandsTest, AnOpenClearsRangeColoursAndNewTableEveryFileTooltip) {
  Put("game.tbl", "4a=\r\nzz=\r\n");
  Click(0x10);
  window->findChild<QAction*>("MoJiHyoBlockCopy")->trigger();
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), Cell(0x14)->mapToGlobal(QPointF(5, 5)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Cell(0x14), &move);
  ASSERT_EQ(Cell(0x12)->colour(), 0x02FFFFu);
  WillChoose("game.tbl");
  KeepChosenFormat();  // empty entries have no place in a Thingy table
  Trigger("OpenThingyTable");
  EXPECT_EQ(Cell(0x12)->colour(), 0xFFFFFFu);
  EXPECT_EQ(Cell(0x4A)->toolTip(), "4ah (74) --- Value: ");
  EXPECT_EQ(Cell(0x00)->toolTip(), "zzh (0) --- Value: ");
  Trigger("NewTable");
  EXPECT_EQ(Cell(0x4A)->toolTip(), "4Ah (74) --- Value: ");
  EXPECT_EQ(Cell(0x00)->toolTip(), "00h (0) --- Value: ");
}

// ---- New Table, Quit and closing ----

TEST_F(FileCommandsTest, NewTableEmptiesEverythingButTheThingyOptions) {
  Put("game.tab", ">\r\n\\=FE\r\n*=01\r\n!DE\r\n0400=x\r\n01=a\r\n|01\r\n\r\n(1-2)\r\n");
  WillChoose("game.tab");
  Trigger("OpenMoJiHyoTable");
  QTest::mouseClick(window->findChild<QPushButton*>("cmdIncreaseFontSize"), Qt::LeftButton);
  Trigger("NewTable");
  EXPECT_TRUE(prompter->messages.empty());
  FontTable expected;
  expected.ReverseOrder = true;
  expected.CurrentFileTitle = "game.tab";
  EXPECT_EQ(Doc(), expected);
  EXPECT_TRUE(window->findChild<QAction*>("ReverseOrder")->isChecked());
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( unsaved table )");
  EXPECT_EQ(Cell(0)->font().pointSize(), 8);
  EXPECT_EQ(Cell(0xFF)->font().pointSize(), 8);
  EXPECT_FALSE(Cell(1)->isReadOnly());
  EXPECT_EQ(Cell(1)->colour(), 0xFFFFFFu);
  EXPECT_EQ(Cell(1)->toolTip(), "01h (1) --- Value: ");

  // The next save asks for the format again.
  Trigger("SaveTable");
  EXPECT_EQ(prompter->dialogs, std::vector<QString>{"frmChooseSaveFormat"});
}

TEST_F(FileCommandsTest, NewTableOnAChangedTable) {
  TypeInto(5, "x");
  prompter->answers = {QMessageBox::Cancel};
  Trigger("NewTable");
  EXPECT_EQ(Text(5), "x");

  prompter->answers = {QMessageBox::Yes};
  WillChooseFormat("btnCancel");
  Trigger("NewTable");
  EXPECT_EQ(Text(5), "x") << "a cancelled chooser empties nothing";

  prompter->answers = {QMessageBox::Yes};
  WillChooseFormat("btnHexposureTBL");
  Trigger("NewTable");  // file dialog cancelled
  EXPECT_EQ(Text(5), "x");

  prompter->answers = {QMessageBox::No};
  Trigger("NewTable");
  EXPECT_EQ(Text(5), "");
  EXPECT_FALSE(Doc().TableChanged);
  for (const auto& m : prompter->messages) EXPECT_EQ(m.text, kUnsavedText);
}

TEST_F(FileCommandsTest, QuitAndTheCloseBoxProtectUnsavedChanges) {
  TypeInto(5, "x");
  prompter->answers = {QMessageBox::Cancel};
  Trigger("ExitProgram");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Text(5), "x");

  prompter->answers = {QMessageBox::Cancel};
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());

  Put("game.tab", "");
  WillChoose("game.tab");
  prompter->answers = {QMessageBox::No};
  Trigger("OpenMoJiHyoTable");
  TypeInto(6, "y");
  prompter->answers = {QMessageBox::Yes};
  EXPECT_TRUE(window->close());
  EXPECT_EQ(Get("game.tab"), "06=y\r\n");
}

TEST_F(FileCommandsTest, QuitOnACleanTableClosesAtOnce) {
  Trigger("ExitProgram");
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(prompter->messages.empty());
}

// ---- The command line ----

class CommandLineTest : public FileCommandsTest {
protected:
  void StartWith(const QString& commandLine) {
    window = std::make_unique<frmMain>(commandLine);
    window->show();
  }
};

TEST_F(CommandLineTest, TAndHPrefixesChooseTheFormat) {
  Put("my game.tbl", "41=A\r\n*0D\r\n");
  StartWith("T " + Path("my game.tbl"));
  EXPECT_EQ(Text(0x41), "A");
  EXPECT_EQ(Doc().LineBreakValue1, "0Dh");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Thingy);
  EXPECT_EQ(Doc().CurrentFileTitle, PathFromDisplay(Path("my game.tbl")));
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( " + Path("my game.tbl").toUpper() + " )");
  EXPECT_FALSE(Doc().TableChanged);
  EXPECT_EQ(window->state().StartupFileName, "");
  EXPECT_TRUE(prompter->opened.empty());

  Put("h.tbl", "41 B\r\n");
  StartWith("H " + Path("h.tbl"));
  EXPECT_EQ(Text(0x41), "B");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Hexposure);

  Put("m.tab", "|41\r\n");
  StartWith(Path("m.tab"));
  EXPECT_TRUE(Doc().EntryLocked[0x41]);
  EXPECT_EQ(Doc().SaveFormat, TableFormat::MoJiHyo);
}

TEST_F(CommandLineTest, ALowerCasePrefixIsPartOfAPathThatDoesNotExist) {
  Put("game.tbl", "41=A\r\n");
  StartWith("t " + Path("game.tbl"));
  EXPECT_EQ(Text(0x41), "");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( unsaved table )");
  EXPECT_EQ(window->state().StartupFileName, "");
  // A later open shows its dialog as usual.
  WillChoose("game.tbl");
  Trigger("OpenThingyTable");
  EXPECT_EQ(prompter->opened.size(), 1u);
  EXPECT_EQ(Text(0x41), "A");
}

TEST_F(CommandLineTest, NothingOpensForAMissingFileOrAFolder) {
  StartWith(Path("none.tab"));
  EXPECT_FALSE(Doc().SaveFormat.has_value());
  StartWith("T " + dir.path());
  EXPECT_FALSE(Doc().SaveFormat.has_value());
  EXPECT_TRUE(prompter->messages.empty());
}

TEST_F(CommandLineTest, ArgumentsAreJoinedBySingleSpaces) {
  EXPECT_EQ(frmMain::CommandLineText({}), "");
  EXPECT_EQ(frmMain::CommandLineText({"T", "/tmp/my", "game.tbl"}), "T /tmp/my game.tbl");
  EXPECT_EQ(frmMain::CommandLineText({"T /tmp/my game.tbl"}), "T /tmp/my game.tbl");
}

}  // namespace
}  // namespace mojihyo::ui
