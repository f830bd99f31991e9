#include "formats/mojihyo_table.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "table_test_util.h"

namespace mojihyo {
namespace {

using testing::Put;
constexpr auto kMoJiHyo = TableFormat::MoJiHyo;

FontTable Read(std::string_view text) { return testing::Read(kMoJiHyo, text); }
std::string Write(const FontTable& t) { return testing::Write(kMoJiHyo, t); }

// The table of the complete example file that ships with the tests.
FontTable CompleteExample() {
  FontTable t;
  t.ReverseOrder = true;
  t.LineBreakValue1 = "00h";
  t.LineBreakValue2 = "01h";
  t.StringBreakValue1 = "FFh";
  t.SectionBreakValue = "FEh";
  t.DakutenValue = "DEh";
  t.SixteenBitEntries = {"0100=kana"};
  Put(t, 0, "A");
  Put(t, 1, "B");
  Put(t, 2, "C");
  SetEntryLocked(t, 1, true);
  t.BookmarkLines = {"(1000-1FFF) Menu"};
  t.TableChanged = false;
  return t;
}

std::string CompleteExampleFile() {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(MOJIHYO_TEST_DATA "/complete_example.tab", bytes).ok());
  return bytes;
}

TEST(MoJiHyoFormat, WritesTheCompleteExampleFileExactly) {
  EXPECT_EQ(Write(CompleteExample()), CompleteExampleFile());
}

TEST(MoJiHyoFormat, ReadsTheCompleteExampleFileIntoEveryField) {
  FontTable t = Read(CompleteExampleFile());
  t.TableChanged = false;
  EXPECT_EQ(t, CompleteExample());
}

TEST(MoJiHyoRead, BreakValuesNeedTheEqualsSign) {
  FontTable t = Read("*0D\r\n/FF\r\n\\FE\r\n");
  EXPECT_EQ(t, FontTable());
  t = Read("/=01\r\n/=02\r\n/=03\r\n*=0a\r\n\\=fe\r\n\\=fd\r\n");
  EXPECT_EQ(t.StringBreakValue1, "01h");
  EXPECT_EQ(t.StringBreakValue2, "03h");
  EXPECT_EQ(t.LineBreakValue1, "0ah");
  EXPECT_EQ(t.SectionBreakValue, "fdh");
  EXPECT_EQ(Write(t), "*=0A\r\n/=01\r\n/=03\r\n\\=FD\r\n");
  EXPECT_EQ(Read("*=\r\n").LineBreakValue1, "h");
}

TEST(MoJiHyoRead, ThingyLinesReadAsInThingyFiles) {
  FontTable t = Read("!de\r\n@DF\r\n>x\r\n#\r\n41=A\r\n0a00=ka\r\n(1)\r\n[2]\r\n$3\r\n");
  EXPECT_EQ(t.DakutenValue, "deh");
  EXPECT_EQ(t.HandakutenValue, "DFh");
  EXPECT_TRUE(t.ReverseOrder);
  EXPECT_TRUE(t.OmitSymbols);
  EXPECT_EQ(t.EntryText[0x41], "A");
  EXPECT_EQ(t.SixteenBitEntries, LineList{"0a00=ka"});
  EXPECT_EQ(t.BookmarkLines, std::vector<std::string>{"(1)"});
  EXPECT_EQ(t.ScriptDumpLines, std::vector<std::string>{"[2]"});
  EXPECT_EQ(t.DollarLines, std::vector<std::string>{"$3"});
}

TEST(MoJiHyoRead, LockLines) {
  FontTable t = Read("|4a\r\n|ZZ\r\n|\r\n  |7\r\n|FF extra\r\n");
  EXPECT_TRUE(t.EntryLocked[0x4A]);
  EXPECT_TRUE(t.EntryLocked[0x00]);
  EXPECT_TRUE(t.EntryLocked[0x07]);
  EXPECT_TRUE(t.EntryLocked[0xFF]);
  int locked = 0;
  for (bool l : t.EntryLocked) locked += l;
  EXPECT_EQ(locked, 4);
  EXPECT_FALSE(t.TableChanged) << "a lock is not a change";
  // The entry test comes first: "|4=" is entry 00h, not a lock.
  t = Read("|4=x\r\n");
  EXPECT_EQ(t.EntryText[0], "x");
  EXPECT_FALSE(t.EntryLocked[4]);
}

TEST(MoJiHyoWrite, ALockedEmptyEntryIsWrittenAndComesBackLockedAndEmpty) {
  FontTable t;
  SetEntryLocked(t, 0x30, true);
  EXPECT_EQ(Write(t), "|30\r\n");
  FontTable back = Read(Write(t));
  EXPECT_TRUE(back.EntryLocked[0x30]);
  EXPECT_EQ(back.EntryText[0x30], "");
}

TEST(MoJiHyoWrite, EmptyTableIsAnEmptyFile) { EXPECT_EQ(Write(FontTable()), ""); }

TEST(MoJiHyoWrite, KeepsEveryKindOfLineInOrder) {
  FontTable t = CompleteExample();
  t.OmitSymbols = true;
  t.DollarLines = {"$80"};
  t.StringBreakValue2 = "10";
  t.HandakutenValue = "DFh";
  t.ScriptDumpLines = {"[8000-8FFF]"};
  SetEntryLocked(t, 0xFE, true);
  EXPECT_EQ(Write(t),
            ">\r\n#\r\n$80\r\n*=00\r\n*=01\r\n/=FF\r\n/=0A\r\n\\=FE\r\n!DE\r\n@DF\r\n"
            "0100=kana\r\n00=A\r\n01=B\r\n02=C\r\n|01\r\n|FE\r\n"
            "\r\n(1000-1FFF) Menu\r\n\r\n[8000-8FFF]\r\n");
}

}  // namespace
}  // namespace mojihyo
