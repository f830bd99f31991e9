#include "formats/hexposure_table.h"

#include <gtest/gtest.h>

#include "table_test_util.h"

namespace mojihyo {
namespace {

using testing::Put;
constexpr auto kHexposure = TableFormat::Hexposure;

FontTable Read(std::string_view text) { return testing::Read(kHexposure, text); }
std::string Write(const FontTable& t) { return testing::Write(kHexposure, t); }

TEST(HexposureRead, EachLineKindSetsItsField) {
  FontTable t = Read("*=FE\r\n/=FF\r\n\\=FD\r\n41=A\r\n42 B\r\n0A00=ka\r\n!DE\r\n");
  EXPECT_EQ(t.LineBreakValue1, "FEh");
  EXPECT_EQ(t.StringBreakValue1, "FFh");
  EXPECT_EQ(t.SectionBreakValue, "FDh");
  EXPECT_EQ(t.EntryText[0x41], "A");
  EXPECT_EQ(t.EntryText[0x42], "B");
  EXPECT_TRUE(t.SixteenBitEntries.empty());
  EXPECT_EQ(t.DakutenValue, "");
}

TEST(HexposureRead, BreakLinesFillOnlyTheFirstSlot) {
  FontTable t = Read("*=01\r\n*=02\r\n/=0a\r\n/=0b\r\n\\=fe\r\n");
  EXPECT_EQ(t.LineBreakValue1, "02h");
  EXPECT_EQ(t.LineBreakValue2, "");
  EXPECT_EQ(t.StringBreakValue1, "0bh");
  EXPECT_EQ(t.StringBreakValue2, "");
  EXPECT_EQ(t.SectionBreakValue, "feh");
}

TEST(HexposureRead, IgnoresLinesOfOtherFormats) {
  FontTable t = Read("*0D\r\n/FF\r\n!DE\r\n@DF\r\n>\r\n#\r\n|01\r\n(1-2)\r\n[3]\r\n$80\r\n0400=x\r\n");
  EXPECT_EQ(t, FontTable());
}

TEST(HexposureRead, SpaceOrEqualsSignAfterTheNumber) {
  FontTable t = Read("41 A\r\n  42=B \r\n4a x=y\r\nZZ z\r\n");
  EXPECT_EQ(t.EntryText[0x41], "A");
  EXPECT_EQ(t.EntryText[0x42], "B ");
  EXPECT_EQ(t.EntryText[0x4A], "x=y");
  EXPECT_EQ(t.EntryText[0x00], "z");
  EXPECT_EQ(Write(t), "00=z\r\n41=A\r\n42=B \r\n4A=x=y\r\n");
}

TEST(HexposureWrite, WritesOnlyWhatTheFormatHolds) {
  FontTable t;
  t.LineBreakValue2 = "0Dh";
  EXPECT_EQ(Write(t), "");
  t.SectionBreakValue = "253";
  EXPECT_EQ(Write(t), "\\=FD\r\n");

  t.ReverseOrder = true;
  t.LineBreakValue1 = "1h";
  t.StringBreakValue1 = "ffh";
  t.StringBreakValue2 = "1h";
  t.DakutenValue = t.HandakutenValue = "1h";
  t.SixteenBitEntries = {"0400=x"};
  t.BookmarkLines = {"(1-2)"};
  t.ScriptDumpLines = {"[1]"};
  t.DollarLines = {"$1"};
  Put(t, 0x20, " ");
  SetEntryLocked(t, 0x20, true);
  EXPECT_EQ(Write(t), "*=01\r\n/=FF\r\n\\=FD\r\n20= \r\n");
}

TEST(HexposureRoundTrip, SameBytesApartFromIgnoredLinesAndDigitCase) {
  const std::string file = "*=0d\r\n/=FF\r\n\\=fe\r\n00=A\r\n7F=\xFF\xFE\r\nFF= b\r\n";
  FontTable t = Read(file);
  const std::string once = Write(t);
  EXPECT_EQ(once, "*=0D\r\n/=FF\r\n\\=FE\r\n00=A\r\n7F=\xFF\xFE\r\nFF= b\r\n");
  EXPECT_EQ(Write(Read(once)), once);
}

}  // namespace
}  // namespace mojihyo
