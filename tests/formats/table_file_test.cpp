#include "formats/table_file.h"

#include <gtest/gtest.h>

#include "iconv_reference.h"

#include <filesystem>
#include <iconv.h>
#include <new>
#include <unistd.h>

#include "table_test_util.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes).ok()) << path;
  return bytes;
}

const char* const kUtf16Tables[] = {
    "danielburgess_sfc-lm3-eng__jap.5810387.utf16le.tbl",
    "danielburgess_sfc-lm3-eng__jp_data_jap.utf16le.tbl",
    "projectpokemon_PPRE__data_codepoints_poketext.utf16le.tbl",
};

// Counts what the document's observer hears.
struct Listener : DocumentObserver {
  void EntryTextChanged(int index, std::string_view number) override {
    ++texts;
    if (index == 0x4A) number4A = number;
  }
  void EntryLockChanged(int) override { ++locks; }
  int texts = 0, locks = 0;
  std::string number4A;
};

TEST(TableFile, RealUtf16TablesOpenSaveAndConvertByteForByte) {
  for (const char* name : kUtf16Tables) {
    const std::string path = std::string(MOJIHYO_REALWORLD) + "/" + name;
    if (!fs::exists(path)) GTEST_SKIP() << "no real-world tables beside the repository";
    const std::string file = Slurp(path);
    ASSERT_TRUE(file.starts_with("\xFF\xFE"));
    const std::string utf8 = Iconv("UTF-16LE", "UTF-8", std::string_view(file).substr(2));
    for (TableFormat read : kAllTableFormats) {
      SCOPED_TRACE(std::string(name) + " read as " + std::string(FormatName(read)));
      FontTable table;
      const OpenResult opened = OpenTableFile(read, path, table);
      ASSERT_TRUE(opened.ok()) << opened.error;
      EXPECT_EQ(table.FileTextForm, TextForm::Utf16LeBom);
      // What the program reads is what reading the C library's UTF-8 gives.
      FontTable expected = testing::Read(read, utf8);
      EXPECT_EQ(opened.dropped.dropped.size(), LoadTableBytes(read, utf8, expected).notKept);
      EXPECT_EQ(table.SixteenBitEntries, expected.SixteenBitEntries);
      EXPECT_EQ(table.EntryText, expected.EntryText);

      // Saved in its own format it is UTF-16 again, and stays so.
      std::string saved;
      ASSERT_TRUE(SaveTableFileBytes(read, table, saved).ok());
      EXPECT_EQ(saved, "\xFF\xFE" + Iconv("UTF-8", "UTF-16LE", SaveTableBytes(read, expected)));
      FontTable again;
      ASSERT_TRUE(OpenTableText(read, std::string(saved), again).ok());
      std::string savedAgain;
      ASSERT_TRUE(SaveTableFileBytes(read, again, savedAgain).ok());
      EXPECT_EQ(savedAgain, saved);

      // Saved in another format it is UTF-8.
      for (TableFormat other : kAllTableFormats) {
        if (other == read) continue;
        FontTable converted = table;
        KeepTextFormFor(converted, read, other);
        std::string bytes;
        ASSERT_TRUE(SaveTableFileBytes(other, converted, bytes).ok());
        EXPECT_EQ(bytes, SaveTableBytes(other, expected)) << FormatName(other);
      }
    }
  }
}

TEST(TableFile, Utf16TextReachesTheTable) {
  const std::string path = std::string(MOJIHYO_REALWORLD) + "/" + kUtf16Tables[2];
  if (!fs::exists(path)) GTEST_SKIP() << "no real-world tables beside the repository";
  FontTable table;
  ASSERT_TRUE(OpenTableFile(TableFormat::Thingy, path, table).ok());
  ASSERT_EQ(table.SixteenBitEntries.size(), 2875u);
  EXPECT_EQ(table.SixteenBitEntries[0], "0000=\\x00");
  EXPECT_EQ(table.SixteenBitEntries[2], "0002=\xE3\x81\x81");  // ぁ
}

class TableFileOnDisk : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("mojihyo_tf_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  fs::path dir_;
};

TEST_F(TableFileOnDisk, AFailedOpenLeavesTheTableAndItsObserverAlone) {
  const std::string broken("\xFF\xFE" "4\0001\0=\0\x00\xDC", 10);
  ASSERT_TRUE(WriteFileReplacing(Path("broken16.tbl"), broken).ok());
  ASSERT_TRUE(WriteFileReplacing(Path("odd16.tbl"), std::string("\xFE\xFF\0" "4\0", 5)).ok());
  const struct {
    std::string what;
    std::string path;
    FileReader read;
    std::string error;
    bool outOfMemory;
  } cases[] = {
      {"missing", Path("none.tbl"), nullptr, "No such file or directory", false},
      {"a folder", dir_.string(), nullptr, "Is a directory", false},
      {"broken UTF-16", Path("broken16.tbl"), nullptr,
       "not valid UTF-16: a surrogate without its other half at byte 8", false},
      {"odd UTF-16", Path("odd16.tbl"), nullptr, "not valid UTF-16: an odd number of bytes", false},
      {"too large", "any", [](const std::string&, std::string&) { return TooLarge(); },
       "larger than 1 GiB, the most this program reads", false},
      {"out of memory", "any",
       [](const std::string&, std::string& bytes) -> FileResult {
         bytes = "41=A\r\n";
         throw std::bad_alloc();
       },
       "not enough memory", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FontTable table = testing::Read(TableFormat::MoJiHyo, "|41\r\n41=old\r\n*=0D\r\n0400=x\r\n");
    table.CurrentFileName = "old.tab";
    table.TableChanged = true;
    const FontTable before = table;
    Listener listener;
    table.Observer = &listener;
    const OpenResult r = c.read ? OpenTableFile(TableFormat::Thingy, c.path, table, c.read)
                                : OpenTableFile(TableFormat::Thingy, c.path, table);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.outOfMemory, c.outOfMemory);
    EXPECT_EQ(table, before);
    EXPECT_EQ(listener.texts + listener.locks, 0);
  }
}

TEST_F(TableFileOnDisk, AnOpenTellsTheObserverEveryEntryAsTheFileWroteIt) {
  ASSERT_TRUE(WriteFileReplacing(Path("t.tbl"), "4a=x\r\n41=A\r\n0400=y\r\n").ok());
  FontTable table = testing::Read(TableFormat::MoJiHyo, "|10\r\n42=gone\r\n");
  table.FileTextForm = TextForm::Utf16Be;
  Listener listener;
  table.Observer = &listener;
  const OpenResult r = OpenTableFile(TableFormat::Thingy, Path("t.tbl"), table);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(table.EntryText[0x4A], "x");
  EXPECT_EQ(table.EntryText[0x42], "");
  EXPECT_FALSE(table.EntryLocked[0x10]);
  EXPECT_EQ(table.SixteenBitEntries, LineList{"0400=y"});
  EXPECT_EQ(table.FileTextForm, TextForm::Bytes);
  EXPECT_EQ(listener.number4A, "4a");
  EXPECT_EQ(listener.texts, 3) << "4Ah and 41h written, 42h emptied";
  EXPECT_EQ(listener.locks, 1);
}

TEST_F(TableFileOnDisk, TextThatUtf16CannotHoldFailsTheSaveAndLeavesNoFile) {
  FontTable table;
  SetEntryText(table, 0x41, "A");
  SetEntryText(table, 0x42, "\xA4\xA2");  // EUC-JP, typed in after a UTF-16 open
  table.FileTextForm = TextForm::Utf16LeBom;
  const std::string error =
      "line 2 holds bytes that are not UTF-8 text, which a UTF-16 file cannot hold";
  std::string bytes;
  EXPECT_EQ(SaveTableFileBytes(TableFormat::Thingy, table, bytes).error, error);
  EXPECT_EQ(SaveTableFile(TableFormat::Thingy, table, Path("t.tbl")).error, error);
  EXPECT_FALSE(fs::exists(Path("t.tbl")));
  // In another format the bytes are written as they stand.
  KeepTextFormFor(table, TableFormat::Thingy, TableFormat::MoJiHyo);
  ASSERT_TRUE(SaveTableFile(TableFormat::MoJiHyo, table, Path("t.tab")).ok());
  EXPECT_EQ(Slurp(Path("t.tab")), "41=A\r\n42=\xA4\xA2\r\n");
}

TEST_F(TableFileOnDisk, FilesAreWrittenAsTheyAreMadeWithTheSameBytes) {
  FontTable table = testing::Read(TableFormat::MoJiHyo, Slurp(MOJIHYO_TEST_DATA "/complete_example.tab"));
  for (TableFormat f : kAllTableFormats) {
    ASSERT_TRUE(SaveTableFile(f, table, Path("out")).ok());
    EXPECT_EQ(Slurp(Path("out")), SaveTableBytes(f, table)) << FormatName(f);
  }
  table.FileTextForm = TextForm::Utf16Be;
  ASSERT_TRUE(SaveTableFile(TableFormat::MoJiHyo, table, Path("out")).ok());
  std::string utf8;
  ASSERT_TRUE(DecodeUtf16(Slurp(Path("out")), TextForm::Utf16Be, utf8).ok());
  EXPECT_EQ(utf8, SaveTableBytes(TableFormat::MoJiHyo, table));
}

}  // namespace
}  // namespace mojihyo
