#include "entries16/entry_line.h"

#include <gtest/gtest.h>

namespace mojihyo {
namespace {

TEST(EntryLine, IsBuiltAndSplitAtTheFirstEqualsSign) {
  EXPECT_EQ(MakeEntryLine("0400", "Cecil"), "0400=Cecil");
  EXPECT_EQ(MakeEntryLine("0402", ""), "0402=");
  EXPECT_EQ(EntryLineNumber("0401=a=b"), "0401");
  EXPECT_EQ(EntryLineValue("0401=a=b"), "a=b");
  EXPECT_EQ(EntryLineValue("0402="), "");
  EXPECT_EQ(EntryLineValue("04"), "");
  EXPECT_EQ(EntryLineNumber("04"), "04");
}

TEST(EntryNumberText, TypedNumbersBecomeFourDigits) {
  EXPECT_EQ(EntryNumberText("400h"), "0400");
  EXPECT_EQ(EntryNumberText("1024"), "0400");
  EXPECT_EQ(EntryNumberText("15b2h"), "15B2");
  EXPECT_EQ(EntryNumberText("12345h"), "FFFF");
  EXPECT_EQ(EntryNumberText(0x00A0u), "00A0");
  EXPECT_EQ(EntryNumberText(0xFFFFu), "FFFF");
}

TEST(NumberInUse, ComparesTheFourCharactersExactly) {
  const LineList lines{"0400=Cecil", "04a0=x"};
  EXPECT_TRUE(NumberInUse(lines, "0400"));
  EXPECT_FALSE(NumberInUse(lines, "04A0"));
  EXPECT_TRUE(NumberInUse(lines, "04a0"));
  EXPECT_FALSE(NumberInUse(LineList{}, "0000"));
}

TEST(MoveEntry, ExchangesNeighboursAndStopsAtTheEnds) {
  LineList l{"a", "b", "c"};
  EXPECT_EQ(MoveEntryUp(l, 0), std::nullopt);
  EXPECT_EQ(MoveEntryDown(l, 2), std::nullopt);
  EXPECT_EQ(MoveEntryUp(l, std::nullopt), std::nullopt);
  EXPECT_EQ(MoveEntryDown(l, std::nullopt), std::nullopt);
  EXPECT_EQ(l, (LineList{"a", "b", "c"}));
  EXPECT_EQ(MoveEntryDown(l, 0), 1u);
  EXPECT_EQ(l, (LineList{"b", "a", "c"}));
  EXPECT_EQ(MoveEntryUp(l, 1), 0u);
  EXPECT_EQ(l, (LineList{"a", "b", "c"}));
  EXPECT_EQ(MoveEntryUp(l, 7), std::nullopt);
}

TEST(EntryRange, IsOrderedByTheNumbersTheTextsName) {
  auto range = [](const char* a, const char* b) {
    EntryRange r = EntryRangeOf(a, b);
    return std::make_pair(r.first, r.last);
  };
  EXPECT_EQ(range("1500h", "15B2h"), std::make_pair(0x1500u, 0x15B2u));
  EXPECT_EQ(range("15B2h", "1500h"), std::make_pair(0x1500u, 0x15B2u));
  // Texts of different widths: a text comparison would drop these.
  EXPECT_EQ(range("FFh", "100h"), std::make_pair(0xFFu, 0x100u));
  EXPECT_EQ(range("100h", "FFh"), std::make_pair(0xFFu, 0x100u));
  EXPECT_EQ(range("FFF0h", "FFFFh"), std::make_pair(0xFFF0u, 0xFFFFu));
  EXPECT_EQ(EntryRangeOf("1500h", "15B2h").count(), 179u);
  EXPECT_EQ(EntryRangeOf("", "").count(), 1u);
  EXPECT_EQ(EntryRangeOf("0h", "99999h").count(), 65536u);
}

}  // namespace
}  // namespace mojihyo
