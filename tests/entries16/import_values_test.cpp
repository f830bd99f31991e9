#include "entries16/import_values.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mojihyo {
namespace {

using Values = std::vector<std::string>;

TEST(ReadScriptDumpValues, CutsTheEndMarkerAndSkipsEmptyResults) {
  EXPECT_EQ(ReadImportValues(ImportSource::ScriptDump,
                             "Hello, Cecil!<END>\r\nHello, Cecil!<END>   \r\n<END>\r\n[Chapter 2]\r\n"
                             "Hi<END>there\r\n\r\nlower<end>\r\n  \tkept <0A>\r\n"),
            (Values{"Hello, Cecil!", "Hello, Cecil!", "[Chapter 2]", "Hi<END>", "lower",
                    "  \tkept <0A>"}));
  // The last five characters go whatever they are, and a short rest is empty.
  EXPECT_EQ(ReadImportValues(ImportSource::ScriptDump, "ab<End>  x\r\n<END>\r\n"), (Values{"ab<En"}));
}

TEST(ReadThingyTableValues, TakesEveryLineWithEqualsInFifthPlace) {
  EXPECT_EQ(ReadImportValues(ImportSource::ThingyTable,
                             "0400=Cecil\r\n0401=\r\n41=A\r\n*0D\r\n\r\nzz!?=any\r\n0402=a=b\r\n"),
            (Values{"Cecil", "", "any", "a=b"}));
  EXPECT_TRUE(ReadImportValues(ImportSource::ThingyTable, "41=A\r\n42=B\r\n").empty());
}

TEST(ReadPlainTextValues, TakesEveryNonEmptyLineWhole) {
  EXPECT_EQ(ReadImportValues(ImportSource::PlainText, "one\r\n\r\n  two  \r\none\r\n\r\n"),
            (Values{"one", "  two  ", "one"}));
}

TEST(ImportSources, ReadLinuxLineEndsAndSkipAByteOrderMark) {
  EXPECT_EQ(ReadImportValues(ImportSource::PlainText, "\xEF\xBB\xBF" "a\nb\rc"),
            (Values{"a", "b", "c"}));
  EXPECT_EQ(ReadImportValues(ImportSource::ScriptDump, "x<END>\ny<END>\n"), (Values{"x", "y"}));
}

std::vector<ImportItem> Fruit() {
  return {{"Apple"}, {"Berry", false}, {"Cherry"}, {"Grape"}};
}

LineList Placed(CollisionPolicy policy, LineList lines = {"0400=Cecil", "0402=Lemon"}) {
  PlaceImportedValues(lines, Fruit(), 0x400, policy);
  return lines;
}

TEST(PlaceImportedValues, TakenNumbersUnderEachPolicy) {
  EXPECT_EQ(Placed(CollisionPolicy::Overwrite), (LineList{"0400=Apple", "0401=Cherry", "0402=Grape"}));
  EXPECT_EQ(Placed(CollisionPolicy::Skip), (LineList{"0400=Cecil", "0402=Lemon", "0401=Cherry"}));
  EXPECT_EQ(Placed(CollisionPolicy::KeepBoth),
            (LineList{"0400=Cecil", "0402=Lemon", "0400=Apple", "0401=Cherry", "0402=Grape"}));
  // Only an Overwrite that met a taken number takes old lines out.
  for (auto [policy, start, removes] : {std::tuple{CollisionPolicy::Overwrite, 0x400u, true},
                                        {CollisionPolicy::Overwrite, 0x500u, false},
                                        {CollisionPolicy::Skip, 0x400u, false},
                                        {CollisionPolicy::KeepBoth, 0x400u, false}}) {
    LineList lines{"0400=Cecil", "0402=Lemon"};
    EXPECT_EQ(PlaceImportedValues(lines, Fruit(), start, policy), removes) << start;
  }
}

TEST(PlaceImportedValues, OverwriteRemovesEveryOldLineWithTheNumber) {
  EXPECT_EQ(Placed(CollisionPolicy::Overwrite,
                   {"0400=a", "0500=keep", "0400=b", "0400=c", "0401=d"}),
            (LineList{"0500=keep", "0400=Apple", "0401=Cherry", "0402=Grape"}));
}

TEST(PlaceImportedValues, NewLinesAreNeverComparedWithEachOther) {
  LineList lines{"FFFF=old"};
  PlaceImportedValues(lines, {{"a"}, {"b"}, {"c"}}, 0xFFFE, CollisionPolicy::Skip);
  EXPECT_EQ(lines, (LineList{"FFFF=old", "FFFE=a"}));
  lines = {};
  PlaceImportedValues(lines, {{"a"}, {"b"}, {"c"}}, 0xFFFE, CollisionPolicy::Overwrite);
  EXPECT_EQ(lines, (LineList{"FFFE=a", "FFFF=b", "FFFF=c"}));
}

TEST(PlaceImportedValues, NumbersCarryPast7FFFAndStopAtFFFF) {
  LineList lines;
  PlaceImportedValues(lines, {{"a"}, {"b"}, {"c"}}, 0x7FFF, CollisionPolicy::KeepBoth);
  EXPECT_EQ(lines, (LineList{"7FFF=a", "8000=b", "8001=c"}));
}

TEST(PlaceImportedValues, UnselectedItemsUseNoNumberAndReportProgress) {
  LineList lines{"0100=x"};
  std::vector<std::size_t> seen;
  PlaceImportedValues(lines, {{"a", false}, {"b", false}}, 0, CollisionPolicy::Overwrite,
                      [&](std::size_t i) { seen.push_back(i); });
  EXPECT_EQ(lines, LineList{"0100=x"});
  EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1}));
  lines = {"0000=lower case is not taken: 0a00", "0a00=x"};
  PlaceImportedValues(lines, {{"v"}}, 0xA00, CollisionPolicy::Skip);
  EXPECT_EQ(lines.back(), "0A00=v");
}

}  // namespace
}  // namespace mojihyo
