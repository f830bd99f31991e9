#include "formats/thingy_table.h"

#include <gtest/gtest.h>

#include "table_test_util.h"

namespace mojihyo {
namespace {

using testing::Put;
constexpr auto kThingy = TableFormat::Thingy;

FontTable Read(std::string_view text) { return testing::Read(kThingy, text); }
std::string Write(const FontTable& t) { return testing::Write(kThingy, t); }

TEST(ThingyRead, EachLineKindSetsItsField) {
  FontTable t = Read(
      "*FE\r\n/FF\r\n!DE\r\n@DF\r\n>\r\n#\r\n41=A\r\n4a=x y\r\n0A00=ka\r\n"
      "(1000-1FFF) Menu\r\n[8000-8FFF]\r\n$80\r\n");
  EXPECT_EQ(t.LineBreakValue1, "FEh");
  EXPECT_EQ(t.StringBreakValue1, "FFh");
  EXPECT_EQ(t.DakutenValue, "DEh");
  EXPECT_EQ(t.HandakutenValue, "DFh");
  EXPECT_TRUE(t.ReverseOrder);
  EXPECT_TRUE(t.OmitSymbols);
  EXPECT_EQ(t.EntryText[0x41], "A");
  EXPECT_EQ(t.EntryText[0x4A], "x y");
  EXPECT_EQ(t.SixteenBitEntries, LineList{"0A00=ka"});
  EXPECT_EQ(t.BookmarkLines, std::vector<std::string>{"(1000-1FFF) Menu"});
  EXPECT_EQ(t.ScriptDumpLines, std::vector<std::string>{"[8000-8FFF]"});
  EXPECT_EQ(t.DollarLines, std::vector<std::string>{"$80"});
}

TEST(ThingyRead, BreakValuesKeepTheirCaseAndFillTwoSlots) {
  FontTable t = Read("*0d\r\n");
  EXPECT_EQ(t.LineBreakValue1, "0dh");
  EXPECT_EQ(Write(t), "*0D\r\n");

  t = Read("*01\r\n*02\r\n*03\r\n/01\r\n/02\r\n/03\r\n");
  EXPECT_EQ(t.LineBreakValue1, "01h");
  EXPECT_EQ(t.LineBreakValue2, "03h");
  EXPECT_EQ(t.StringBreakValue1, "01h");
  EXPECT_EQ(t.StringBreakValue2, "03h");

  t = Read("!01\r\n!02\r\n@AB\r\n@cd\r\n");
  EXPECT_EQ(t.DakutenValue, "02h");
  EXPECT_EQ(t.HandakutenValue, "cdh");
}

TEST(ThingyRead, MalformedBreakLinesAreReadByTheRules) {
  FontTable t = Read("*\r\n/F\r\n!DEAD\r\n");
  EXPECT_EQ(t.LineBreakValue1, "h");
  EXPECT_EQ(t.StringBreakValue1, "Fh");
  EXPECT_EQ(t.DakutenValue, "DEh");
  EXPECT_EQ(Write(t), "*00\r\n/0F\r\n!DE\r\n");
  // A MoJiHyo break line is a Thingy break line with "=" as its first digit.
  t = Read("*=FE\r\n");
  EXPECT_EQ(t.LineBreakValue1, "=Fh");
  EXPECT_EQ(Write(t), "*00\r\n");
}

TEST(ThingyRead, EntryLines) {
  FontTable t = Read("ZZ=abc\r\n1=ab\r\n41=A\r\n41=B\r\n   42=C  \r\n43=x=y\r\nff=\xA4\xA2\r\n");
  EXPECT_EQ(t.EntryText[0x00], "abc");
  EXPECT_EQ(t.EntryText[0x01], "");
  EXPECT_EQ(t.EntryText[0x41], "B");
  EXPECT_EQ(t.EntryText[0x42], "C  ");
  EXPECT_EQ(t.EntryText[0x43], "x=y");
  EXPECT_EQ(t.EntryText[0xFF], "\xA4\xA2");
  t = Read("41=A\r\n41=\r\n");
  EXPECT_EQ(t.EntryText[0x41], "");
}

TEST(ThingyRead, BlanksInsideAnEntryNumberArePassedOver) {
  FontTable t = Read("4 =four\r\n\t5=five\r\n");
  EXPECT_EQ(t.EntryText[0x04], "four");
  EXPECT_EQ(t.EntryText[0x05], "five");
  // A tab is not stripped like a space, so a tab before a full number moves
  // the "=" out of third place and the line is not an entry.
  t = Read("\t41=A\r\n");
  EXPECT_EQ(t.EntryText[0x41], "");
  EXPECT_EQ(t.EntryText[0x04], "");
}

TEST(ThingyRead, EntryTestComesBeforeTheKeptLineTests) {
  FontTable t = Read("(abc\r\n(8=x)\r\n[8=y]\r\n$1=z\r\n");
  EXPECT_EQ(t.EntryText[0x00], "z");  // "$1" has no leading hex digit either
  EXPECT_EQ(t.BookmarkLines, std::vector<std::string>{""});
  EXPECT_EQ(t.ScriptDumpLines, std::vector<std::string>{""});
  EXPECT_EQ(t.DollarLines, std::vector<std::string>{""});
  t = Read("(8=x)\r\n");
  EXPECT_EQ(t.EntryText[0x00], "x)");
}

TEST(ThingyRead, SixteenBitLinesAreKeptExactly) {
  FontTable t = Read("0a00=ka\r\n  04A0=Cecil=x\r\nFFFF=\r\n12345=long\r\n");
  // "12345=long" has its "=" in sixth place and fits no kind.
  EXPECT_EQ(t.SixteenBitEntries, (LineList{"0a00=ka", "04A0=Cecil=x", "FFFF="}));
  EXPECT_EQ(Write(t), "0a00=ka\r\n04A0=Cecil=x\r\nFFFF=\r\n");
}

TEST(ThingyRead, FirstCharacterTestsWinOverEverythingElse) {
  FontTable t = Read(">=ignored\r\n#1=x\r\n*1=23\r\n");
  EXPECT_TRUE(t.ReverseOrder);
  EXPECT_TRUE(t.OmitSymbols);
  EXPECT_EQ(t.LineBreakValue1, "1=h");
  EXPECT_EQ(t.EntryText[0x01], "");
}

TEST(ThingyRead, LineEndsOfEveryKindEndALine) {
  // LF-only files (Linux, macOS) and CR-only files both read line by line.
  FontTable lf = Read("41=A\n42=B\n*0D\n");
  EXPECT_EQ(lf.EntryText[0x41], "A");
  EXPECT_EQ(lf.EntryText[0x42], "B");
  EXPECT_EQ(lf.LineBreakValue1, "0Dh");
  FontTable cr = Read("41=A\r42=B");
  EXPECT_EQ(cr.EntryText[0x42], "B");
  FontTable bom = Read("\xEF\xBB\xBF" "41=A\r\n");
  EXPECT_EQ(bom.EntryText[0x41], "A");
}

TEST(ThingyRead, AnEmptyFileGivesTheClearedTable) {
  EXPECT_EQ(Read(""), FontTable());
  EXPECT_EQ(Read("\r\n\r\n  \r\n\t\r\nnonsense\r\n"), FontTable());
}

TEST(ThingyRead, ReportsEachEntryNumberAsTheFileWroteIt) {
  struct Seen : DocumentObserver {
    std::vector<std::string> numbers;
    void EntryTextChanged(int, std::string_view n) override { numbers.emplace_back(n); }
    void EntryLockChanged(int) override {}
  } seen;
  FontTable t;
  t.Observer = &seen;
  LoadTableBytes(kThingy, "4a=x\r\nZZ=y\r\n", t);
  // Clearing an already empty table announces nothing; the reads do.
  EXPECT_EQ(seen.numbers, (std::vector<std::string>{"4a", "ZZ"}));
}

TEST(ThingyWrite, EmptyTableIsAnEmptyFile) { EXPECT_EQ(Write(FontTable()), ""); }

TEST(ThingyWrite, LinesComeInTheFormatsOrder) {
  FontTable t;
  t.ReverseOrder = t.OmitSymbols = true;
  t.DollarLines = {"$80", "$81"};
  t.LineBreakValue1 = "1";
  t.LineBreakValue2 = "0dh";
  t.StringBreakValue1 = "300";
  t.StringBreakValue2 = "FEh";
  t.SectionBreakValue = "FDh";
  t.DakutenValue = "DEh";
  t.HandakutenValue = "7FH";
  t.SixteenBitEntries = {"0400=Cecil", "0a00=ka"};
  Put(t, 0x00, "A");
  Put(t, 0xFF, "end ");
  Put(t, 0x10, "\xA4\xA2");
  SetEntryLocked(t, 0x10, true);
  t.BookmarkLines = {"(1000-1FFF) Menu", "(2000-2FFF)"};
  t.ScriptDumpLines = {"[8000-8FFF]"};
  EXPECT_EQ(Write(t),
            ">\r\n#\r\n$80\r\n$81\r\n*01\r\n*0D\r\n/FF\r\n/FE\r\n!DE\r\n@07\r\n"
            "0400=Cecil\r\n0a00=ka\r\n00=A\r\n10=\xA4\xA2\r\nFF=end \r\n"
            "\r\n(1000-1FFF) Menu\r\n\r\n(2000-2FFF)\r\n\r\n[8000-8FFF]\r\n");
}

TEST(ThingyWrite, KeptLinesAreWrittenOnlyWhenTheFirstSlotHoldsOne) {
  FontTable t;
  t.BookmarkLines = {"", "(lost)"};
  EXPECT_EQ(Write(t), "");
}

}  // namespace
}  // namespace mojihyo

namespace mojihyo {
namespace {

TEST(ThingyRead, ByteOrderMarksAmongLeadingSpacesAreSkipped) {
  FontTable t = Read("\xEF\xBB\xBF" "41=A\r\n\xEF\xBB\xBF" "42=B\r\n  \xEF\xBB\xBF  43=C\r\n"
                     "\xEF\xBB\xBF\xEF\xBB\xBF" "0400=x\r\n44=\xEF\xBB\xBF\r\n");
  EXPECT_EQ(t.EntryText[0x41], "A");
  EXPECT_EQ(t.EntryText[0x42], "B");
  EXPECT_EQ(t.EntryText[0x43], "C");
  EXPECT_EQ(t.EntryText[0x44], "\xEF\xBB\xBF") << "a mark inside a text is text";
  EXPECT_EQ(t.SixteenBitEntries, LineList{"0400=x"});
}

}  // namespace
}  // namespace mojihyo
