#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <map>
#include <optional>

#include "core/file_io.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"
#include "ui/entry_list_model.h"
#include "ui/frm_16bit_entries.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class ImportTest : public MainWindowTest {
protected:
  std::map<QString, std::function<void(QDialog&)>>& play = prompter->play;
  QTemporaryDir dir;
  LineList result;  // the working list when the list dialog was left

  QString Put(const QString& name, const std::string& bytes) {
    EXPECT_TRUE(WriteFileReplacing(PathFromDisplay(dir.filePath(name)), bytes).ok());
    return dir.filePath(name);
  }
  static void Press(QWidget& d, const char* name) {
    auto* b = d.findChild<QAbstractButton*>(name);
    ASSERT_TRUE(b) << name;
    // An option button takes clicks on its circle and caption only.
    const QPoint at = qobject_cast<QRadioButton*>(b) ? QPoint(6, b->height() / 2) : b->rect().center();
    QTest::mouseClick(b, Qt::LeftButton, {}, at);
  }
  // Runs one import from the list dialog: `source` is the button of the
  // source dialog, then the file chosen.
  void Import(const char* source, const QString& file) {
    play["frmImportAsk"] = [source](QDialog& a) { Press(a, source); };
    if (!file.isEmpty()) prompter->files.push_back({file, QFileInfo(file).fileName()});
    play["frm16bitEntries"] = [this](QDialog& d) {
      Press(d, "btnImport");
      result = static_cast<frm16bitEntries&>(d).entries().lines();
      Press(d, "btnCancel");
    };
    window->findChild<QAction*>("Edit16BitValues")->trigger();
  }
  // The preview ticks and the start dialog's answers.
  void Answer(const QString& start, const char* policy, std::vector<int> untick = {}) {
    play["frmImportPreview"] = [untick](QDialog& p) {
      auto* list = p.findChild<QListWidget*>("lstImportItems");
      for (int row : untick) list->item(row)->setCheckState(Qt::Unchecked);
      Press(p, "Command1");
    };
    play["frmImportGetStart"] = [=](QDialog& g) {
      QTest::keyClicks(g.findChild<QLineEdit*>("StartingNumber"), start);
      Press(g, policy);

      Press(g, "Command1");
    };
  }
};

TEST_F(ImportTest, AScriptDumpIsNumberedIntoTheList) {
  Doc().SixteenBitEntries = {"0400=Cecil", "0402=Lemon"};
  const QString dump = Put("dump.txt", "Apple<END>\nBerry<END>\nCherry<end>  \n\nGrape<END>\n");
  QStringList previewed;
  int barMaximum = -1;
  QString caption;
  bool onlyTheBar = false;
  play["frmImportPreview"] = [&](QDialog& p) {
    EXPECT_EQ(p.windowTitle(), "Import Preview");
    EXPECT_EQ(p.findChild<QLabel*>("Label1")->text(),
              "This is a list of the entry values that were found in the file you specified.  "
              "If there are any values that you want to leave out, deselect them.");
    EXPECT_EQ(p.findChild<QPushButton*>("Command1")->text(), "Import Selected Values");
    EXPECT_EQ(p.findChild<QPushButton*>("Command2")->text(), "Don't Import Anything");
    auto* list = p.findChild<QListWidget*>("lstImportItems");
    for (int i = 0; i < list->count(); ++i) {
      previewed << list->item(i)->text();
      EXPECT_EQ(list->item(i)->checkState(), Qt::Checked);
    }
    list->item(1)->setCheckState(Qt::Unchecked);
    Press(p, "Command1");
  };
  play["frmImportGetStart"] = [&](QDialog& g) {
    EXPECT_EQ(g.windowTitle(), "And Finally....");
    EXPECT_EQ(g.findChild<QLabel*>("Label1")->text(),
              "Type the starting entry number for the values that are being imported (e.g., 0400h):");
    EXPECT_EQ(g.findChild<QLabel*>("Label2")->text(),
              "If MoJiHyo comes across an entry number that is already taken, what should it do?");
    EXPECT_TRUE(g.findChild<QRadioButton*>("radOverwrite")->isChecked());
    EXPECT_EQ(g.findChild<QRadioButton*>("radOverwrite")->text(), "Overwrite the old entry with the new one.");
    EXPECT_EQ(g.findChild<QRadioButton*>("radSkip")->text(), "Skip the new entry, leaving the old one.");
    EXPECT_EQ(g.findChild<QRadioButton*>("radKeepBoth")->text(), "Keep both entries.");
    auto* bar = g.findChild<QProgressBar*>("prgImporting");
    EXPECT_FALSE(bar->isVisible());
    auto* start = g.findChild<QLineEdit*>("StartingNumber");
    QTest::keyClicks(start, "0400hx");
    EXPECT_EQ(start->text(), "0400h");
    Press(g, "Command1");
    barMaximum = bar->maximum();
    caption = g.windowTitle();
    onlyTheBar = !bar->isHidden() && g.findChild<QLabel*>("Label1")->isHidden() &&
                 g.findChild<QPushButton*>("Command1")->isHidden() &&
                 g.findChild<QLineEdit*>("StartingNumber")->isHidden();
  };
  Import("btnImportFromDump", dump);
  ASSERT_EQ(prompter->opened.size(), 1u);
  EXPECT_EQ(prompter->opened[0].title, "Import From Script Dump");
  EXPECT_EQ(prompter->opened[0].filter, "Thingy script dump files (*.*)|*.*");
  EXPECT_EQ(previewed, (QStringList{"Apple", "Berry", "Cherry", "Grape"}));
  EXPECT_EQ(barMaximum, 3);
  EXPECT_EQ(caption, "Importing....");
  EXPECT_TRUE(onlyTheBar);
  EXPECT_EQ(result, (LineList{"0400=Apple", "0401=Cherry", "0402=Grape"}));
  EXPECT_EQ(Doc().SixteenBitEntries, (LineList{"0400=Cecil", "0402=Lemon"})) << "Cancel was pressed";
}

TEST_F(ImportTest, SkipUsesUpTheNumberAndKeepBothAddsBesideTheOldLine) {
  Doc().SixteenBitEntries = {"0400=Cecil", "0402=Lemon"};
  const QString text = Put("fruit.txt", "Apple\r\nBerry\r\nCherry\r\nGrape\r\n");
  Answer("400h", "radSkip", {1});
  Import("btnImportFromText", text);
  EXPECT_EQ(prompter->opened.back().title, "Import From Text File");
  EXPECT_EQ(prompter->opened.back().filter, "Plain text files (*.*)|*.*");
  EXPECT_EQ(result, (LineList{"0400=Cecil", "0402=Lemon", "0401=Cherry"}));
  Answer("400h", "radKeepBoth", {1});
  Import("btnImportFromText", text);
  EXPECT_EQ(result,
            (LineList{"0400=Cecil", "0402=Lemon", "0400=Apple", "0401=Cherry", "0402=Grape"}));
}

TEST_F(ImportTest, TheSelectionStaysUnlessOverwriteTakesLinesAway) {
  Doc().SixteenBitEntries = {"0400=Cecil", "0402=Lemon"};
  const QString text = Put("fruit.txt", "Apple\nBerry\n");
  std::optional<std::size_t> selected;
  const auto importWithRowOneSelected = [&] {
    play["frmImportAsk"] = [](QDialog& a) { Press(a, "btnImportFromText"); };
    prompter->files.push_back({text, "fruit.txt"});
    play["frm16bitEntries"] = [&](QDialog& d) {
      auto& list = static_cast<frm16bitEntries&>(d);
      list.selectRow(1);
      Press(d, "btnImport");
      selected = list.selectedRow();
      Press(d, "btnCancel");
    };
    window->findChild<QAction*>("Edit16BitValues")->trigger();
  };
  Answer("500h", "radKeepBoth");
  importWithRowOneSelected();
  EXPECT_EQ(selected, std::optional<std::size_t>(1));
  Answer("400h", "radOverwrite");
  importWithRowOneSelected();
  EXPECT_EQ(selected, std::nullopt);
}

TEST_F(ImportTest, AThingyTableGivesItsSixteenBitValues) {
  const QString tbl = Put("t.tbl", "41=A\r\n0400=Cecil\r\n0401=\r\n");
  Answer("FFFEh", "radOverwrite");
  int barMaximum = 0;
  auto getStart = play["frmImportGetStart"];
  play["frmImportGetStart"] = [&, getStart](QDialog& g) {
    getStart(g);
    barMaximum = g.findChild<QProgressBar*>("prgImporting")->maximum();
  };
  Import("btnImportFromTBL", tbl);
  EXPECT_EQ(prompter->opened.back().title, "Import From Thingy Table File");
  EXPECT_EQ(prompter->opened.back().filter, "Thingy Table files (*.tbl)|*.tbl");
  EXPECT_EQ(result, (LineList{"FFFE=Cecil", "FFFF="}));
  EXPECT_EQ(barMaximum, 1);
}

TEST_F(ImportTest, OneItemGivesTheBarAMaximumOfOne) {
  int barMaximum = 0;
  Answer("7FFFh", "radKeepBoth");
  auto getStart = play["frmImportGetStart"];
  play["frmImportGetStart"] = [&, getStart](QDialog& g) {
    getStart(g);
    barMaximum = g.findChild<QProgressBar*>("prgImporting")->maximum();
  };
  Import("btnImportFromText", Put("one.txt", "only\n"));
  EXPECT_EQ(barMaximum, 1);
  EXPECT_EQ(result, LineList{"7FFF=only"});
}

TEST_F(ImportTest, NothingFoundSaysOopsyDaisy) {
  Doc().SixteenBitEntries = {"0400=x"};
  Import("btnImportFromTBL", Put("bytes.tbl", "41=A\r\n42=B\r\n"));
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].title, "Oopsy-Daisy!");
  EXPECT_EQ(prompter->messages[0].text,
            "No 16-bit font table entries were found in the file you specified.");
  EXPECT_EQ(prompter->messages[0].buttons, QMessageBox::Ok);
  EXPECT_EQ(result, LineList{"0400=x"});
  EXPECT_EQ(std::count(prompter->dialogs.begin(), prompter->dialogs.end(), "frmImportPreview"), 0);
}

TEST_F(ImportTest, AFileThatCannotBeReadAddsNothing) {
  QDir(dir.path()).mkdir("folder.txt");
  Import("btnImportFromText", dir.filePath("folder.txt"));
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].title, "Unable to Import");
  EXPECT_TRUE(prompter->messages[0].text.contains(dir.filePath("folder.txt")));
  EXPECT_TRUE(prompter->messages[0].text.contains("Is a directory"));
  EXPECT_EQ(std::count(prompter->dialogs.begin(), prompter->dialogs.end(), "frmImportPreview"), 0);
}

TEST_F(ImportTest, CancellingAtEachStepLeavesTheListAsItWas) {
  Doc().SixteenBitEntries = {"0400=x"};
  const QString text = Put("v.txt", "a\nb\n");
  QString cancelCaption;
  play["frmImportAsk"] = [&](QDialog& a) {
    EXPECT_EQ(a.windowTitle(), "Import Entries From File");
    EXPECT_EQ(a.findChild<QLabel*>("Label1")->text(), "What type of file will you be importing from?");
    EXPECT_EQ(a.findChild<QPushButton*>("btnImportFromDump")->text(), "Script Dump");
    EXPECT_EQ(a.findChild<QPushButton*>("btnImportFromTBL")->text(), "Thingy TBL File");
    EXPECT_EQ(a.findChild<QPushButton*>("btnImportFromText")->text(), "Plain Text File");
    cancelCaption = a.findChild<QPushButton*>("btnCancel")->text();
    Press(a, "btnCancel");
  };
  play["frm16bitEntries"] = [this](QDialog& d) {
    Press(d, "btnImport");
    result = static_cast<frm16bitEntries&>(d).entries().lines();
  };
  window->findChild<QAction*>("Edit16BitValues")->trigger();
  EXPECT_EQ(cancelCaption, "None.  I changed my mind.");
  EXPECT_TRUE(prompter->opened.empty());
  EXPECT_EQ(result, LineList{"0400=x"});

  Import("btnImportFromText", "");  // the file dialog cancelled
  EXPECT_EQ(result, LineList{"0400=x"});

  play["frmImportPreview"] = [](QDialog& p) { Press(p, "Command2"); };
  Import("btnImportFromText", text);
  EXPECT_EQ(result, LineList{"0400=x"});

  play["frmImportPreview"] = [](QDialog& p) { Press(p, "Command1"); };
  play["frmImportGetStart"] = [](QDialog& g) { Press(g, "Command2"); };
  Import("btnImportFromText", text);
  EXPECT_EQ(result, LineList{"0400=x"});

  // Everything unticked: Import adds nothing.
  Answer("0h", "radKeepBoth", {0, 1});
  Import("btnImportFromText", text);
  EXPECT_EQ(result, LineList{"0400=x"});
}

}  // namespace
}  // namespace mojihyo::ui
