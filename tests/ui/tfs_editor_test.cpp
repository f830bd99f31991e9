// TFS tables in the editor: opened whole, their logical tables shown one at
// a time, long keys and codes edited, and a save that rewrites only what
// changed.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>

#include "core/file_io.h"
#include "main_window_fixture.h"
#include "realworld.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class TfsEditorTest : public MainWindowTest {
protected:
  QString Put(const QString& name, const std::string& bytes) {
    EXPECT_TRUE(WriteFileReplacing(PathFromDisplay(dir.filePath(name)), bytes).ok());
    return dir.filePath(name);
  }
  std::string Get(const QString& name) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(PathFromDisplay(dir.filePath(name)), bytes).ok());
    return bytes;
  }
  void Menu(const char* item) { window->findChild<QAction*>(item)->trigger(); }
  void Open(const char* item, const QString& path) {
    prompter->files.push_back({path, QFileInfo(path).fileName()});
    Menu(item);
  }
  QString Status(const char* label) { return window->findChild<QLabel*>(label)->text(); }
  static void Press(QWidget& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(name);
    ASSERT_TRUE(b) << name;
    QTest::mouseClick(b, Qt::LeftButton);
  }

  QTemporaryDir dir;
};

TEST_F(TfsEditorTest, ALogicalTableIsEditedAndTheSaveChangesOneLine) {
  MOJIHYO_SKIP_WITHOUT_REALWORLD();
  std::string original;
  ASSERT_TRUE(ReadFileBytes(std::string(MOJIHYO_REALWORLD) + "/Taosenai_som-retranslation__tbl_sd2.tbl",
                            original).ok());
  const QString path = Put("sd2.tbl", original);
  Open("OpenTfsTable", path);
  EXPECT_EQ(prompter->opened.back().filter, "TFS tables (*.tbl)|*.tbl");
  EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( SD2.TBL )");
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Tfs);
  EXPECT_EQ(Status("lblLogicalTable"), "Table: main");
  QStringList tables;
  for (QAction* a : window->findChild<QMenu*>("LogicalTableMenu")->actions()) tables << a->text();
  EXPECT_EQ(tables, (QStringList{"main", "S1", "S2", "S3"}));

  Menu("LogicalTable2");
  EXPECT_EQ(Status("lblLogicalTable"), "Table: S1");
  EXPECT_TRUE(window->findChild<QAction*>("LogicalTable2")->isChecked());
  EXPECT_EQ(Cell(0x0A)->text(), QString::fromUtf8("あ"));
  EXPECT_FALSE(Doc().TableChanged) << "showing another table changes nothing";
  Click(0x0A);
  QTest::keyClicks(Cell(0x0A), "x");
  Menu("SaveTable");

  const std::string saved = Get("sd2.tbl");
  const auto lines = [](const std::string& bytes) {
    QStringList l = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).split('\n');
    return l;
  };
  const QStringList before = lines(original), after = lines(saved);
  ASSERT_EQ(before.size(), after.size());
  int changed = 0;
  for (int i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    ++changed;
    EXPECT_EQ(after[i], QString::fromUtf8("0A=あx"));
  }
  EXPECT_EQ(changed, 1);
}

TEST_F(TfsEditorTest, ALongKeyAndAControlCodeAreAddedToTheirTable) {
  Open("OpenTfsTable", Put("t.tbl", "@t\n41=A\n@u\n42=B\n"));
  prompter->play["frm16bitEntries"] = [](QDialog& d) {
    Press(d, "btnAddEntry");
    Press(d, "btnSave");
  };
  prompter->play["frmAdd16bitEntry"] = [](QDialog& a) {
    QTest::keyClicks(a.findChild<QLineEdit*>("EntryNumber"), "123456h");
    QTest::keyClicks(a.findChild<QLineEdit*>("EntryValue"), "abc");
    Press(a, "Command1");
  };
  Menu("Edit16BitValues");
  ASSERT_EQ(Doc().SixteenBitEntries, (LineList{"123456=abc"}));

  // A line that reads as no code is refused; then the control code goes in.
  prompter->play["frmCodes"] = [](QDialog& d) {
    Press(d, "btnAddCode");
    Press(d, "btnSave");
  };
  int tries = 0;
  prompter->play["frmEditCode"] = [&tries](QDialog& e) {
    auto* kind = e.findChild<QComboBox*>("cboKind");
    kind->setCurrentIndex(3);  // table switch
    QTest::keyClicks(e.findChild<QLineEdit*>("txtKey"), "ZZ");
    Press(e, "Command1");
    ++tries;
    kind->setCurrentIndex(2);  // control code
    e.findChild<QLineEdit*>("txtKey")->clear();
    QTest::keyClicks(e.findChild<QLineEdit*>("txtKey"), "E0");
    QTest::keyClicks(e.findChild<QLineEdit*>("txtDefinition"), "[Color],%D");
    Press(e, "Command1");
  };
  Menu("EditCodes");
  EXPECT_EQ(tries, 1);
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].title, "Not a Code");
  EXPECT_EQ(prompter->messages[0].text,
            "!ZZ\rwould not be read as a table switch.\rCheck the key (hex digits) and what follows "
            "the \"=\".");
  Menu("SaveTable");
  EXPECT_EQ(Get("t.tbl"), "@t\n41=A\n123456=abc\n$E0=[Color],%D\n@u\n42=B\n");
  EXPECT_EQ(window->findChild<QAction*>("EditUndo")->text(), "&Undo Codes");
}

TEST_F(TfsEditorTest, OpeningAsAThingyTableFirstOffersToKeepEveryLine) {
  const QString path = Put("game.tbl", "# note\n41=A\n123456=x\n");
  const QString text =
      "Opening game.tbl as a Thingy table would leave out 2 of its 3 non-blank lines:\n\n"
      "    1 comment\n    1 key longer than two bytes\n\nOpened as a TFS table, every line of it is kept.";
  const struct {
    const char* button;
    std::optional<TableFormat> opened;
  } answers[] = {{"btnOpenAsTfs", TableFormat::Tfs},
                 {"btnOpenAsChosen", TableFormat::Thingy},
                 {"btnCancel", std::nullopt}};
  for (const auto& answer : answers) {
    Menu("NewTable");
    QString shown;
    bool tfsIsDefault = false;
    prompter->play["frmOpenWarning"] = [&](QDialog& d) {
      shown = d.findChild<QLabel*>("Label1")->text();
      tfsIsDefault = d.findChild<QPushButton*>("btnOpenAsTfs")->isDefault();
      EXPECT_EQ(d.findChild<QPushButton*>("btnOpenAsChosen")->text(), "Open as Thingy Table");
      Press(d, answer.button);
    };
    Open("OpenThingyTable", path);
    EXPECT_EQ(shown, text) << answer.button;
    EXPECT_TRUE(tfsIsDefault);
    EXPECT_EQ(Doc().SaveFormat, answer.opened) << answer.button;
    EXPECT_EQ(Doc().EntryText[0x41], answer.opened ? "A" : "") << answer.button;
    EXPECT_EQ(Doc().Tfs != nullptr, answer.opened == TableFormat::Tfs) << answer.button;
  }
  // A file the Thingy reader takes whole opens with no question.
  prompter->play.erase("frmOpenWarning");
  const std::size_t asked = prompter->dialogs.size();
  Open("OpenThingyTable", Put("plain.tbl", "41=A\r\n*0D\r\n"));
  EXPECT_EQ(prompter->dialogs.size(), asked);
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Thingy);
}

TEST_F(TfsEditorTest, SavedInAnotherFormatTheReportCountsWhatIsLeftOut) {
  Open("OpenTfsTable", Put("t.tbl", "# notes\n@main\n/00=[END]\n41=A\n414243=abc\n@kana\n41=a\n"));
  EXPECT_EQ(Status("lblOpenReport"), "");
  prompter->files.push_back({dir.filePath("t.tab"), "t.tab"});
  Menu("SaveMoJiHyoTable");
  ASSERT_EQ(prompter->messages.size(), 1u);
  EXPECT_EQ(prompter->messages[0].text,
            "The font table was saved to disk successfully.  However, due to limitations in the "
            "MoJiHyo file format, the following settings were NOT saved:\r\r"
            "2 lines of other logical tables\r1 table id\r1 entry with a key longer than two bytes\r"
            "1 label of an end token or newline\r1 comment\r\r"
            "Though the above settings were not saved to disk, they are still present in memory.  "
            "So, if you save the font table in MoJiHyo TAB format now, the data will not be lost.");
  EXPECT_EQ(Get("t.tab"), "/=00\r\n41=A\r\n");
}

TEST_F(TfsEditorTest, TheCommandLineOpensATfsTableAfterS) {
  const QString path = Put("cmd.tbl", "41=A\n!80=[kana],0\n(note\n@kana\n41=a\n");
  window = std::make_unique<frmMain>("S " + path);
  EXPECT_EQ(Doc().SaveFormat, TableFormat::Tfs);
  EXPECT_EQ(Doc().EntryText[0x41], "A");
  EXPECT_EQ(Status("lblOpenReport"), path + ": 1 unparsed line, kept as it stands");
  EXPECT_TRUE(window->findChild<QAction*>("EditCodes")->isEnabled());
}

}  // namespace
}  // namespace mojihyo::ui
