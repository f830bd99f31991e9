#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <fstream>
#include <map>
#include <random>
#include <regex>

#include "core/file_io.h"
#include "formats/table_format.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"
#include "ui/entry_list_model.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

const QString kA = QString::fromUtf8("\xE3\x81\x82");  // あ

// Types text as an input method commits it, the way Japanese is typed.
void TypeCommitted(QWidget* box, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QCoreApplication::sendEvent(box, &commit);
}

class DisplayEncodingTest : public MainWindowTest {
protected:
  QTemporaryDir dir;
  void Menu(const char* name) { window->findChild<QAction*>(name)->trigger(); }
  QString Status(const char* label) { return window->findChild<QLabel*>(label)->text(); }
  QString Checked() {
    for (const char* name : {"EncodingUtf8", "EncodingEucJp", "EncodingShiftJis", "EncodingLatin1"})
      if (window->findChild<QAction*>(name)->isChecked()) return name;
    return {};
  }
  std::string OpenAndSave(const std::string& bytes, TableFormat format, const char* encodingItem) {
    const QString path = dir.filePath("t.tbl");
    EXPECT_TRUE(WriteFileReplacing(PathFromDisplay(path), bytes).ok());
    prompter->files.push_back({path, "t.tbl"});
    prompter->answers = {QMessageBox::No};
    Menu(format == TableFormat::Thingy ? "OpenThingyTable"
         : format == TableFormat::Hexposure ? "OpenHexposureTable" : "OpenMoJiHyoTable");
    if (encodingItem) Menu(encodingItem);
    Menu("SaveTable");
    std::string back;
    EXPECT_TRUE(ReadFileBytes(PathFromDisplay(path), back).ok());
    return back;
  }
};

TEST_F(DisplayEncodingTest, KanaShowAsKanaAndTheStatusBarShowsTheBytes) {
  EXPECT_EQ(Checked(), "EncodingEucJp") << "a new table is shown in EUC-JP";
  EXPECT_EQ(Status("lblEncoding"), "Display: EUC-JP");
  Click(0x00);
  Menu("InsertBasicHiraganaEUC");
  EXPECT_EQ(Cell(0x00)->text(), kA);
  EXPECT_EQ(Cell(0x00)->toolTip(), "00h (0) --- Value: " + kA);
  EXPECT_EQ(Status("lblCellBytes"), "00h: A4 A2");
  const bool changed = Doc().TableChanged;

  Menu("EncodingLatin1");
  EXPECT_EQ(Checked(), "EncodingLatin1");
  EXPECT_EQ(Status("lblEncoding"), "Display: Latin-1");
  EXPECT_EQ(Cell(0x00)->text(), QString::fromLatin1("\xA4\xA2"));
  EXPECT_EQ(Status("lblCellBytes"), "00h: A4 A2");
  EXPECT_EQ(Doc().EntryText[0x00], "\xA4\xA2");
  EXPECT_EQ(Doc().TableChanged, changed) << "switching only changes what is shown";

  Menu("EncodingShiftJis");  // A4 A2 are two half-width kana in Shift-JIS
  EXPECT_EQ(Cell(0x00)->text().size(), 2);
  EXPECT_EQ(Doc().EntryText[0x00], "\xA4\xA2");
}

TEST_F(DisplayEncodingTest, TypingJapaneseStoresItInTheDisplayEncoding) {
  Click(0x10);
  TypeCommitted(Cell(0x10), kA);
  EXPECT_EQ(Doc().EntryText[0x10], "\xA4\xA2");
  EXPECT_EQ(Status("lblCellBytes"), "10h: A4 A2");
  Menu("EncodingUtf8");
  Click(0x11);
  TypeCommitted(Cell(0x11), kA);
  EXPECT_EQ(Doc().EntryText[0x11], "\xE3\x81\x82");

  // A character neither the encoding nor one byte can hold is refused.
  Menu("EncodingShiftJis");
  Click(0x12);
  QTest::keyClicks(Cell(0x12), "ab");
  TypeCommitted(Cell(0x12), QString::fromUtf8("\xF0\x9F\x98\x80"));
  EXPECT_EQ(Cell(0x12)->text(), "ab");
  EXPECT_EQ(Doc().EntryText[0x12], "ab");
}

TEST_F(DisplayEncodingTest, APastedLineBreakIsRefusedSoNoTableLineSplits) {
  Click(0x20);
  QTest::keyClicks(Cell(0x20), "ab");
  QApplication::clipboard()->setText("x\n0400=y");
  Cell(0x20)->paste();
  EXPECT_EQ(Cell(0x20)->text(), "ab");
  EXPECT_EQ(Doc().EntryText[0x20], "ab");
  EXPECT_EQ(window->byteText().BytesOfBox("1\r\n2h"), "12h");
}

TEST_F(DisplayEncodingTest, FreeTextBoxesUseTheDisplayEncodingToo) {
  prompter->play["frmRepeatedValue"] = [](QDialog& d) {
    auto* value = d.findChild<QLineEdit*>("Value");
    TypeCommitted(value, kA);
    TypeCommitted(value, QString::fromUtf8("\xF0\x9F\x98\x80"));  // refused
    EXPECT_EQ(value->text(), kA);
    QTest::keyClicks(d.findChild<QLineEdit*>("Repetitions"), "2");
    QTest::mouseClick(d.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  };
  Menu("InsertRepeatedValue");
  EXPECT_EQ(Doc().EntryText[0x00], "\xA4\xA2");
  EXPECT_EQ(Doc().EntryText[0x01], "\xA4\xA2");

  EntryListModel model(LineList{"0400=\xA4\xA2", "0401=\x82\xA0"}, window->byteText());
  EXPECT_EQ(model.data(model.index(0), Qt::DisplayRole).toString(), "0400=" + kA);
  EXPECT_EQ(model.data(model.index(1), Qt::DisplayRole).toString(), QString::fromLatin1("0401=\x82\xA0"));
}

TEST_F(DisplayEncodingTest, OpeningAndSavingNeverChangesAByte) {
  std::mt19937 rng(1207);
  auto text = [&](std::size_t max) {
    std::string s(rng() % (max + 1), '\0');
    for (char& c : s) {
      do c = static_cast<char>(rng() % 256);
      while (c == '\r' || c == '\n');
    }
    return s;
  };
  for (int round = 0; round < 12; ++round) {
    FontTable t;
    for (int i = 0; i < 256; ++i)
      if (rng() % 2) SetEntryText(t, i, text(6));
    for (int n = 0; n < 20; ++n) {
      char number[8];
      std::snprintf(number, sizeof number, "%04X", static_cast<unsigned>(rng() % 0x10000));
      t.SixteenBitEntries.push_back(std::string(number) + "=" + text(10));
    }
    SetEntryLocked(t, static_cast<int>(rng() % 256), true);
    const std::string file = SaveTableBytes(TableFormat::MoJiHyo, t);
    for (const char* encoding : {"EncodingUtf8", "EncodingEucJp", "EncodingShiftJis", "EncodingLatin1"})
      ASSERT_EQ(OpenAndSave(file, TableFormat::MoJiHyo, encoding), file) << encoding << " round " << round;
  }
}

TEST_F(DisplayEncodingTest, AnOpenSaysHowManyLinesItCouldNotTake) {
  const QString path = dir.filePath("game.tbl");
  ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(path), "41=A\r\n\r\n;comment\r\n  \r\n@@@\r\n1=x\r\n").ok());
  prompter->files.push_back({path, "game.tbl"});
  KeepChosenFormat();
  Menu("OpenThingyTable");
  // ";comment" and "1=x" are not understood; "@@@" is read as a Handakuten
  // value that is written back as "@00".
  EXPECT_EQ(Status("lblOpenReport"), "game.tbl: 3 of 4 non-blank lines are not kept in the Thingy format");
  prompter->files.push_back({path, "game.tbl"});
  Menu("OpenHexposureTable");  // "@@@" is not a Hexposure line either
  EXPECT_EQ(Status("lblOpenReport"), "game.tbl: 3 of 4 non-blank lines are not kept in the Hexposure format");
  Menu("NewTable");
  EXPECT_EQ(Status("lblOpenReport"), "");
  EXPECT_EQ(Checked(), "EncodingEucJp");
}

// Each real table opens in the encoding its notes name.
TEST_F(DisplayEncodingTest, RealTablesOpenInTheirOwnEncoding) {
  const std::string dir = MOJIHYO_REALWORLD;
  std::ifstream notes(dir + "/SOURCES.md");
  if (!notes) GTEST_SKIP() << "no real-world tables beside the repository";
  std::map<std::string, std::string> guess, kind;
  std::string line, name;
  while (std::getline(notes, line)) {
    if (line.starts_with("## ")) name = line.substr(3);
    if (line.starts_with("- encoding guess: ")) guess[name] = line.substr(18);
    if (line.starts_with("- kind: ")) kind[name] = line.substr(8);
  }
  int opened = 0;
  KeepChosenFormat();  // most real tables have lines the Thingy format drops
  for (const auto& [file, encoding] : guess) {
    // Script dumps hold no table entries to tell their encoding by.
    if (encoding.starts_with("UTF-16") || kind[file].starts_with("script dump")) continue;
    const char* expected = encoding.starts_with("ASCII") || encoding.starts_with("UTF-8")
                               ? "EncodingUtf8"
                           : encoding.starts_with("Shift-JIS") || encoding.starts_with("CP932")
                               ? "EncodingShiftJis"
                               : "EncodingLatin1";
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(dir + "/" + file, bytes).ok()) << file;
    // Opened and saved as it is: not a byte of what the table holds changes.
    EXPECT_EQ(OpenAndSave(bytes, TableFormat::Thingy, nullptr),
              [&] {
                FontTable t;
                LoadTableBytes(TableFormat::Thingy, bytes, t);
                return SaveTableBytes(TableFormat::Thingy, t);
              }())
        << file;
    EXPECT_EQ(Checked(), expected) << file << " (" << encoding << ")";
    ++opened;
  }
  EXPECT_GE(opened, 30);  // every table of the sample
}

}  // namespace
}  // namespace mojihyo::ui
