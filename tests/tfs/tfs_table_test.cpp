// A TFS file behind the table's fields: what the fields show, and which
// lines a save rewrites when they change.

#include "tfs/tfs_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/file_io.h"
#include "formats/table_format.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

FontTable Read(std::string bytes) {
  FontTable t;
  LoadOwnedTableBytes(TableFormat::Tfs, std::move(bytes), t);
  return t;
}

std::string Write(const FontTable& t) { return SaveTableBytes(TableFormat::Tfs, t); }

constexpr char kThreeTables[] =
    "# three tables\n"
    "@main\n"
    "/00=[END]\n"
    "*01=<nl>\n"
    "41=A\n"
    "42=B\n"
    "0400=Cecil\n"
    "\n"
    "@kana\r\n"
    "41=\xE3\x81\x82\r\n"
    "42=\xE3\x81\x84\r\n"
    "F1F500=<NoName1>\r\n"
    "# trailing note\r\n"
    "@dict\n"
    "41=the ";

TEST(TfsTable, TheFieldsShowTheFirstLogicalTable) {
  FontTable t = Read(kThreeTables);
  EXPECT_EQ(t.EntryText[0x41], "A");
  EXPECT_EQ(t.EntryText[0x42], "B");
  EXPECT_EQ(t.SixteenBitEntries, LineList({"0400=Cecil"}));
  EXPECT_EQ(t.StringBreakValue1, "00h");
  EXPECT_EQ(t.LineBreakValue1, "01h");
  EXPECT_EQ(t.CurrentLogicalTable, 0u);
  EXPECT_EQ(Write(t), kThreeTables);
}

TEST(TfsTable, FirstOfDuplicateKeysCountsAndOddKeysReadWithALeadingZero) {
  FontTable t = Read("41=first\n41=second\n1=one\n%01000010=B\n123=x\n/ff\n/fe=[E2]\n/fd\n");
  EXPECT_EQ(t.EntryText[0x41], "first");
  EXPECT_EQ(t.EntryText[0x01], "one");
  EXPECT_EQ(t.EntryText[0x42], "B");
  EXPECT_EQ(t.SixteenBitEntries, LineList({"0123=x"}));
  EXPECT_EQ(t.StringBreakValue1, "ffh");
  EXPECT_EQ(t.StringBreakValue2, "feh");
}

// Each edit changes exactly the lines it names; the rest of the file stays.
struct EditCase {
  const char* name;
  void (*edit)(FontTable&);
  const char* expected;
};

TEST(TfsTable, AnEditRewritesOnlyItsOwnLines) {
  const EditCase cases[] = {
      {"changed entry", [](FontTable& t) { SetEntryText(t, 0x42, "Bee"); },
       "# three tables\n@main\n/00=[END]\n*01=<nl>\n41=A\n42=Bee\n0400=Cecil\n\n@kana\r\n"},
      {"removed entry", [](FontTable& t) { SetEntryText(t, 0x41, ""); },
       "# three tables\n@main\n/00=[END]\n*01=<nl>\n42=B\n0400=Cecil\n\n@kana\r\n"},
      {"new entry", [](FontTable& t) { SetEntryText(t, 0x0A, "\\n"); },
       "# three tables\n@main\n/00=[END]\n*01=<nl>\n41=A\n42=B\n0400=Cecil\n0A=\\n\n\n@kana\r\n"},
      {"break value", [](FontTable& t) { t.StringBreakValue1 = "FFh"; },
       "# three tables\n@main\n/FF=[END]\n*01=<nl>\n41=A\n42=B\n0400=Cecil\n\n@kana\r\n"},
      {"break removed", [](FontTable& t) { t.LineBreakValue1.clear(); },
       "# three tables\n@main\n/00=[END]\n41=A\n42=B\n0400=Cecil\n\n@kana\r\n"},
      {"16-bit entry edited",
       [](FontTable& t) { t.SixteenBitEntries.set(0, "0400=Cecil the Dark Knight"); },
       "# three tables\n@main\n/00=[END]\n*01=<nl>\n41=A\n42=B\n0400=Cecil the Dark "
       "Knight\n\n@kana\r\n"},
      {"16-bit entries added and removed",
       [](FontTable& t) {
         t.SixteenBitEntries = LineList({"0401=Kain", "0402=Rosa"});
       },
       "# three tables\n@main\n/00=[END]\n*01=<nl>\n41=A\n42=B\n0401=Kain\n0402=Rosa\n\n@kana\r\n"},
  };
  const std::string rest =
      std::string(kThreeTables).substr(std::string(kThreeTables).find("@kana\r\n") + 7);
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    FontTable t = Read(kThreeTables);
    c.edit(t);
    EXPECT_EQ(Write(t), c.expected + rest);
  }
}

TEST(TfsTable, AnEntryWhoseKeyChangesStaysWhereItWas) {
  constexpr char kRows[] = "@t\n1111=p\n# about q\n  222222=q\n3333=r\n41=A\n";
  const struct {
    const char* name;
    LineList rows;
    const char* expected;
  } cases[] = {
      {"key edited", {"1111=p", "22222299=q", "3333=r"},
       "@t\n1111=p\n# about q\n  22222299=q\n3333=r\n41=A\n"},
      {"key and text edited", {"1111=p", "3333=r", "4444=s"},
       "@t\n1111=p\n# about q\n  4444=s\n3333=r\n41=A\n"},
      {"one removed, two added", {"5555=x", "3333=r", "6666=y", "222222=q"},
       "@t\n5555=x\n# about q\n  222222=q\n3333=r\n41=A\n6666=y\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FontTable t = Read(kRows);
    t.SixteenBitEntries = c.rows;
    EXPECT_EQ(Write(t), c.expected);
  }
}

TEST(TfsTable, SwitchingTablesKeepsEditsAndAddsIntoTheRightTable) {
  FontTable t = Read(kThreeTables);
  SetEntryText(t, 0x41, "a");
  t.TableChanged = false;
  SwitchLogicalTable(t, 1);
  EXPECT_FALSE(t.TableChanged);
  EXPECT_EQ(t.CurrentLogicalTable, 1u);
  EXPECT_EQ(t.EntryText[0x41], "\xE3\x81\x82");
  EXPECT_EQ(t.EntryText[0x43], "");
  // Keys of three bytes and more are listed with the 16-bit entries.
  EXPECT_EQ(t.SixteenBitEntries, (LineList{"F1F500=<NoName1>"}));
  EXPECT_EQ(t.StringBreakValue1, "");
  SetEntryText(t, 0x43, "\xE3\x81\x86");
  EXPECT_EQ(Write(t),
            "# three tables\n@main\n/00=[END]\n*01=<nl>\n41=a\n42=B\n0400=Cecil\n\n"
            "@kana\r\n41=\xE3\x81\x82\r\n42=\xE3\x81\x84\r\nF1F500=<NoName1>\r\n43=\xE3\x81\x86\n"
            "# trailing note\r\n@dict\n41=the ");
  SwitchLogicalTable(t, 0);
  EXPECT_EQ(t.EntryText[0x41], "a");
}

TEST(TfsTable, EmptyingTheUnnamedTableLeavesTheNamedOnesInReach) {
  FontTable t = Read("41=A\n@one\n42=B\n@two\n43=C\n");
  ASSERT_EQ(t.Tfs->tables().size(), 3u);
  SetEntryText(t, 0x41, "");
  SwitchLogicalTable(t, 2);
  EXPECT_EQ(t.Tfs->tables().size(), 2u);
  EXPECT_EQ(t.CurrentLogicalTable, 1u);
  EXPECT_EQ(t.EntryText[0x43], "C");
  EXPECT_EQ(Write(t), "@one\n42=B\n@two\n43=C\n");
}

TEST(TfsTable, ATableFromAnotherFormatBecomesANewFile) {
  FontTable t;
  SetEntryText(t, 0x41, "A");
  SetEntryText(t, 0x20, " ");
  t.LineBreakValue1 = "FEh";
  t.StringBreakValue1 = "FFh";
  t.StringBreakValue2 = "00h";
  t.DakutenValue = "DEh";  // "!" and "@" lines mean something else in TFS files
  t.HandakutenValue = "DFh";
  t.SixteenBitEntries = LineList({"8140=\xE3\x80\x80"});
  t.BookmarkLines = {"(1000-1FFF) Menu"};
  EXPECT_EQ(Write(t), "*FE\n/FF\n/00\n20= \n41=A\n8140=\xE3\x80\x80\n(1000-1FFF) Menu\n");
  const FontTable back = Read(Write(t));
  EXPECT_EQ(back.EntryText, t.EntryText);
  EXPECT_EQ(back.SixteenBitEntries, t.SixteenBitEntries);
  EXPECT_EQ(back.StringBreakValue2, "00h");
}

TEST(TfsTable, CopiesShareTheDocumentButNotTheirEdits) {
  FontTable a = Read(kThreeTables);
  FontTable b = a;
  EXPECT_EQ(a, b);
  SwitchLogicalTable(b, 1);
  SetEntryText(b, 0x41, "x");
  SwitchLogicalTable(b, 0);
  EXPECT_NE(a, b);
  EXPECT_EQ(Write(a), kThreeTables);
}

TEST(TfsTable, EveryRealTableComesBackByteForByte) {
  std::error_code ec;
  int files = 0;
  for (const auto& e : fs::directory_iterator(MOJIHYO_REALWORLD, ec)) {
    if (e.path().extension() == ".md") continue;
    SCOPED_TRACE(e.path().filename().string());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(e.path().string(), bytes).ok());
    FontTable t;
    const LoadReport report = LoadTableBytes(TableFormat::Tfs, bytes, t);
    EXPECT_EQ(report.notKept, 0u);
    EXPECT_EQ(Write(t), bytes);
    for (std::size_t table = 1; table < t.Tfs->tables().size(); ++table)
      SwitchLogicalTable(t, table);
    EXPECT_EQ(Write(t), bytes);
    ++files;
  }
  if (files == 0) GTEST_SKIP() << "no real-world tables beside the repository";
}

}  // namespace
}  // namespace mojihyo
