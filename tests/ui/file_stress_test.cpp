// Files that are not everyday tables: UTF-16, too large, broken, or more
// than memory holds.

#include <QLabel>
#include <QTemporaryDir>

#include <filesystem>
#include <new>

#include "core/file_io.h"
#include "formats/table_file.h"
#include "main_window_fixture.h"
#include "ui/byte_text.h"

namespace mojihyo::ui {
namespace {

using testing::MainWindowTest;

class FileStressTest : public MainWindowTest {
protected:
  QString Path(const QString& name) const { return dir.filePath(name); }
  std::string Get(const QString& name) const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(PathFromDisplay(Path(name)), bytes).ok()) << name.toStdString();
    return bytes;
  }
  void Trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
  QString Status(const char* label) { return window->findChild<QLabel*>(label)->text(); }
  void OpenThingy(const QString& path, const QString& title) {
    prompter->files.push_back({path, title});
    Trigger("OpenThingyTable");
  }
  // A table the user has worked on, bound to its file.
  void StartWithWork() {
    ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path("game.tbl")), "01=a\r\n").ok());
    OpenThingy(Path("game.tbl"), "game.tbl");
    Click(2);
    QTest::keyClicks(Cell(2), "unsaved");
    prompter->messages.clear();
  }
  void ExpectWorkUntouched() {
    EXPECT_EQ(Doc().EntryText[1], "a");
    EXPECT_EQ(Doc().EntryText[2], "unsaved");
    EXPECT_EQ(Cell(2)->text(), "unsaved");
    EXPECT_TRUE(Doc().TableChanged);
    EXPECT_EQ(Doc().CurrentFileName, PathFromDisplay(Path("game.tbl")));
    EXPECT_EQ(window->windowTitle(), "MoJiHyo - ( GAME.TBL )");
  }

  QTemporaryDir dir;
};

TEST_F(FileStressTest, EveryRealUtf16TableSavesBackAsTheConverterWritesIt) {
  for (const char* name : {"danielburgess_sfc-lm3-eng__jap.5810387.utf16le.tbl",
                           "danielburgess_sfc-lm3-eng__jp_data_jap.utf16le.tbl",
                           "projectpokemon_PPRE__data_codepoints_poketext.utf16le.tbl"}) {
    SCOPED_TRACE(name);
    const std::string source = std::string(MOJIHYO_REALWORLD) + "/" + name;
    if (!std::filesystem::exists(source)) GTEST_SKIP() << "no real-world tables beside the repository";
    std::string original;
    ASSERT_TRUE(ReadFileBytes(source, original).ok());
    ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path("t.tbl")), original).ok());
    KeepChosenFormat();
    OpenThingy(Path("t.tbl"), "t.tbl");
    EXPECT_TRUE(prompter->messages.empty());
    EXPECT_EQ(Status("lblFileEncoding"), "File: UTF-16LE with byte-order mark");
    Trigger("SaveTable");
    FontTable read;
    ASSERT_TRUE(OpenTableFile(TableFormat::Thingy, source, read).ok());
    std::string expected;
    ASSERT_TRUE(SaveTableFileBytes(TableFormat::Thingy, read, expected).ok());
    EXPECT_EQ(Get("t.tbl"), expected);
  }
}

TEST_F(FileStressTest, Utf16TablesShowTheirTextAndSaveBackAsUtf16) {
  const std::string source =
      std::string(MOJIHYO_REALWORLD) + "/danielburgess_sfc-lm3-eng__jp_data_jap.utf16le.tbl";
  if (!std::filesystem::exists(source)) GTEST_SKIP() << "no real-world tables beside the repository";
  std::string original;
  ASSERT_TRUE(ReadFileBytes(source, original).ok());
  ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path("jap.tbl")), original).ok());

  KeepChosenFormat();
  OpenThingy(Path("jap.tbl"), "jap.tbl");
  EXPECT_TRUE(prompter->messages.empty());
  EXPECT_EQ(Cell(0x20)->text(), QString(QChar(0x3000)));  // "20=　"
  EXPECT_EQ(Cell(0x5F)->text(), QString::fromUtf8("(\xE3\x81\x87)"));  // "5F=(ぇ)"
  EXPECT_EQ(Status("lblEncoding"), "Display: UTF-8");
  EXPECT_EQ(Status("lblFileEncoding"), "File: UTF-16LE with byte-order mark");

  // Saved unchanged, it is the UTF-16 the converter writes.
  FontTable read;
  ASSERT_TRUE(OpenTableFile(TableFormat::Thingy, source, read).ok());
  std::string expected;
  ASSERT_TRUE(SaveTableFileBytes(TableFormat::Thingy, read, expected).ok());
  ASSERT_TRUE(expected.starts_with("\xFF\xFE") && expected[3] == '\0') << "UTF-16LE";
  Trigger("SaveTable");
  EXPECT_EQ(Get("jap.tbl"), expected);

  // A typed entry goes into the UTF-16 file as UTF-16.
  Click(0x21);
  QTest::keyClicks(Cell(0x21), "x");
  Trigger("SaveTable");
  const std::string saved = Get("jap.tbl");
  EXPECT_NE(saved.find(std::string("2\0" "1\0" "=\0" "!\0" "x\0", 10)), std::string::npos);

  // In another format it is UTF-8, and the status bar says nothing more.
  prompter->files.push_back({Path("jap.tab"), "jap.tab"});
  Trigger("SaveMoJiHyoTable");
  const std::string tab = Get("jap.tab");
  EXPECT_EQ(tab.find('\0'), std::string::npos);
  EXPECT_NE(tab.find("20=\xE3\x80\x80\r\n"), std::string::npos);
  EXPECT_EQ(Status("lblFileEncoding"), "");
  EXPECT_EQ(Doc().FileTextForm, TextForm::Bytes);
}

TEST_F(FileStressTest, ASaveInAnotherFormatThatFailsKeepsTheUtf16Form) {
  ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path("w.tbl")),
                                 std::string("\xFF\xFE" "4\0" "1\0" "=\0" "A\0", 10))
                  .ok());
  OpenThingy(Path("w.tbl"), "w.tbl");
  ASSERT_EQ(Doc().FileTextForm, TextForm::Utf16LeBom);
  window->setFileWriter([](const std::string&, std::string_view) { return FileResult{"Disk full"}; });
  prompter->files.push_back({Path("w.tab"), "w.tab"});
  Trigger("SaveMoJiHyoTable");
  EXPECT_EQ(Doc().FileTextForm, TextForm::Utf16LeBom);
  EXPECT_EQ(Status("lblFileEncoding"), "File: UTF-16LE with byte-order mark");
  // A new table is written as bytes.
  prompter->answers = {QMessageBox::No};
  Trigger("NewTable");
  EXPECT_EQ(Doc().FileTextForm, TextForm::Bytes);
  EXPECT_EQ(Status("lblFileEncoding"), "");
}

TEST_F(FileStressTest, FilesThatCannotBeReadLeaveTheTableAsItWas) {
  // Sparse, so its size costs nothing.
  ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path("huge.tbl")), "41=A\r\n").ok());
  std::filesystem::resize_file(PathFromDisplay(Path("huge.tbl")), kMaxReadBytes + 1);
  ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path("broken.tbl")),
                                 std::string("\xFF\xFE" "4\0" "1\0" "=\0" "\x00\xDC", 10))
                  .ok());
  const struct {
    const char* file;
    const char* reason;
  } cases[] = {
      {"huge.tbl", "larger than 1 GiB, the most this program reads"},
      {"broken.tbl", "not valid UTF-16: a surrogate without its other half at byte 8"},
  };
  StartWithWork();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    prompter->messages.clear();
    prompter->answers = {QMessageBox::No};
    OpenThingy(Path(c.file), c.file);
    ASSERT_EQ(prompter->messages.size(), 2u);
    EXPECT_EQ(prompter->messages[1].title, "Unable to Open Table");
    EXPECT_EQ(prompter->messages[1].text, "The table file could not be opened.\r\rFile: " +
                                              Path(c.file) + "\rReason: " + c.reason);
    ExpectWorkUntouched();
  }
}

TEST_F(FileStressTest, RunningOutOfMemoryIsAnOpenFailureLikeAnyOther) {
  StartWithWork();
  ASSERT_TRUE(WriteFileReplacing(PathFromDisplay(Path("big.tbl")), "41=A\r\n").ok());
  window->setFileReader([](const std::string&, std::string& bytes) -> FileResult {
    bytes = "41=B\r\n";
    throw std::bad_alloc();
  });
  prompter->answers = {QMessageBox::No};
  OpenThingy(Path("big.tbl"), "big.tbl");
  ASSERT_EQ(prompter->messages.size(), 2u);
  EXPECT_EQ(prompter->messages[1].title, "Unable to Open Table");
  EXPECT_TRUE(prompter->messages[1].text.endsWith("\rReason: not enough memory"))
      << prompter->messages[1].text.toStdString();
  ExpectWorkUntouched();
  EXPECT_EQ(Cell(0x41)->text(), "");
}

}  // namespace
}  // namespace mojihyo::ui
