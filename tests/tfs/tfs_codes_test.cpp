#include "tfs/tfs_codes.h"

#include <gtest/gtest.h>

#include "entries16/entry_line.h"
#include "formats/not_saved_report.h"
#include "formats/table_format.h"
#include "formats/tfs_losses.h"
#include "tfs/tfs_table.h"

namespace mojihyo {
namespace {

constexpr char kTable[] = "@main\n/00=[END]\n41=A\n*0D\n$E0=[Color],%D\n42=B\n@kana\n41=a\n";

std::string WithCodes(const std::vector<std::string>& codes) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs, kTable, t);
  SetTableCodes(t, codes);
  return SaveTableBytes(TableFormat::Tfs, t);
}

TEST(TfsCodes, AnEditTouchesOnlyTheLinesItChanges) {
  const struct {
    const char* name;
    std::vector<std::string> codes;
    const char* expected;
  } cases[] = {
      {"unchanged", {"/00=[END]", "*0D", "$E0=[Color],%D"}, kTable},
      {"one rewritten in place",
       {"/00=[END]", "*0D", "$E0=[Color],%X"},
       "@main\n/00=[END]\n41=A\n*0D\n$E0=[Color],%X\n42=B\n@kana\n41=a\n"},
      {"one removed", {"/00=[END]", "$E0=[Color],%D"}, "@main\n/00=[END]\n41=A\n$E0=[Color],%D\n42=B\n@kana\n41=a\n"},
      {"one added between two",
       {"/00=[END]", "!F0=[kana],0", "*0D", "$E0=[Color],%D"},
       "@main\n/00=[END]\n41=A\n!F0=[kana],0\n*0D\n$E0=[Color],%D\n42=B\n@kana\n41=a\n"},
      {"one added at the end",
       {"/00=[END]", "*0D", "$E0=[Color],%D", "$E1=[Wait],%D"},
       "@main\n/00=[END]\n41=A\n*0D\n$E0=[Color],%D\n$E1=[Wait],%D\n42=B\n@kana\n41=a\n"},
      // One of the two keeps its line; the other moves past it.
      {"two swapped",
       {"*0D", "/00=[END]", "$E0=[Color],%D"},
       "@main\n41=A\n*0D\n/00=[END]\n$E0=[Color],%D\n42=B\n@kana\n41=a\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithCodes(c.codes), c.expected) << c.name;
}

TEST(TfsCodes, TheFirstEndTokensAndNewlinesAreTheBreakValues) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs, kTable, t);
  EXPECT_EQ(TableCodes(t), (std::vector<std::string>{"/00=[END]", "*0D", "$E0=[Color],%D"}));
  t.TableChanged = false;
  SetTableCodes(t, {"/FE=[END]", "*0A", "$E0=[Color],%D"});
  EXPECT_EQ(t.StringBreakValue1, "FEh");
  EXPECT_EQ(t.LineBreakValue1, "0Ah");
  EXPECT_TRUE(t.TableChanged);
  // A table with no codes gains them at its end.
  SwitchLogicalTable(t, 1);
  SetTableCodes(t, {"/FF"});
  EXPECT_EQ(SaveTableBytes(TableFormat::Tfs, t),
            "@main\n/FE=[END]\n41=A\n*0A\n$E0=[Color],%D\n42=B\n@kana\n41=a\n/FF\n");
}

TEST(TfsCodes, AnEmptiedUnnamedTableShowsNoCodesOfTheNextTable) {
  // Emptying the entries before the first "@" line ends the unnamed table
  // in the file, while the fields still show it.
  FontTable t;
  LoadTableBytes(TableFormat::Tfs, "# top\n41=A\n@b\n42=B\n$E0=[C]\n", t);
  SetEntryText(t, 0x41, "");
  EXPECT_TRUE(TableCodes(t).empty());
  std::vector<std::string> lost;
  for (const std::string& item : NotSavedItems(t, TableFormat::Thingy))
    if (item.find("line") != std::string::npos) lost.push_back(item);
  EXPECT_EQ(lost, (std::vector<std::string>{"4 lines of other logical tables"}));
  // Codes given to it go where it stood, and it is there again.
  SetTableCodes(t, {"/FF"});
  EXPECT_EQ(t.CurrentLogicalTable, 0u);
  EXPECT_EQ(t.StringBreakValue1, "FFh");
  EXPECT_EQ(SaveTableBytes(TableFormat::Tfs, t), "# top\n/FF\n@b\n42=B\n$E0=[C]\n");
}

TEST(TfsCodes, CodeLinesSplitAndJoin) {
  const std::pair<const char*, CodeParts> lines[] = {
      {"/FF=[END]", {'/', "FF", "[END]"}},
      {"/<END>", {'/', "", "<END>"}},
      {"*FE", {'*', "FE", ""}},
      {"$E0=[Color],palette=%X,index=%D", {'$', "E0", "[Color],palette=%X,index=%D"}},
      {"!F0=[Kanji],-1", {'!', "F0", "[Kanji],-1"}},
  };
  for (const auto& [line, parts] : lines) {
    EXPECT_EQ(SplitCodeLine(line), parts) << line;
    EXPECT_EQ(JoinCodeLine(parts), line);
  }
  EXPECT_FALSE(SplitCodeLine("41=A").has_value());
}

TEST(LongEntryKeys, TypedKeysKeepTheirBytes) {
  const std::pair<const char*, std::optional<std::string>> keys[] = {
      {"123456h", "123456"},  {"00123456h", "00123456"}, {"abcdeh", "0ABCDE"},
      {"1h", "0001"},         {"1024", "0400"},          {"16777216", "01000000"},
      {"11223344556677889h", std::nullopt},             {"123456789012345678901234567", std::nullopt},
  };
  for (const auto& [typed, key] : keys) EXPECT_EQ(LongEntryNumberText(typed), key) << typed;
  const LineList rows{"0400=a", "0a00b1=x"};
  EXPECT_TRUE(KeyInUse(rows, "0A00B1"));
  EXPECT_FALSE(KeyInUse(rows, "0A00"));
  EXPECT_EQ(EntryLineNumber("0a00b1=x=y"), "0a00b1");
  EXPECT_EQ(EntryLineValue("0a00b1=x=y"), "x=y");
  EXPECT_EQ(EntryLineValue("04=0=z"), "z") << "a four-character key keeps its fifth-character rule";
}

TEST(TfsLosses, WhatOtherFormatsCannotHoldIsCountedByKind) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs,
                 "# notes\n@main\n/00=[END]\n/01\n41=A\n41=again\n42=\n4142=ab\n414243=abc\n"
                 "$E0=[Color],%D\n!F0=[kana],0\n(kept?)\n@kana\n41=a\n42=b\n",
                 t);
  EXPECT_EQ(SaveTableBytes(TableFormat::Thingy, t), "/00\r\n/01\r\n4142=ab\r\n41=A\r\n")
      << "the three-byte key has no place in a Thingy file";
  std::vector<std::string> texts;
  for (const LineCount& c : TfsSaveLosses(*t.Tfs, 0, TableFormat::Thingy)) texts.push_back(CountText(c));
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "3 lines of other logical tables", "1 table id",
                       "1 entry with a key longer than two bytes", "1 duplicate entry",
                       "1 entry with empty text", "1 label of an end token or newline",
                       "1 control code", "1 table switch", "1 comment", "1 unparsed line"}));
  // The save report lists them after the settings the format cannot keep.
  const auto items = NotSavedItems(t, TableFormat::MoJiHyo);
  EXPECT_EQ(items.front(), "3 lines of other logical tables");
  EXPECT_TRUE(NotSavedItems(t, TableFormat::Tfs).empty());
}

TEST(TfsLosses, AnOpenInAnOlderFormatCountsWhatTfsWouldKeep) {
  const std::string file = "# header\n41=A\n41=B\n123456=x\n/00=[END]\n@second\n42=b\n";
  const OpenLosses thingy = OpenLossesOf(file, TableFormat::Thingy);
  EXPECT_EQ(thingy.nonBlank, 7u);
  std::vector<std::string> texts;
  for (const LineCount& c : thingy.kinds) texts.push_back(CountText(c));
  // "@second" is a Handakuten value to the Thingy reader; "42=b" it keeps.
  EXPECT_EQ(texts, (std::vector<std::string>{"1 comment", "1 key longer than two bytes",
                                             "1 labelled code", "1 line of @ tables",
                                             "1 duplicate"}));
  EXPECT_EQ(thingy.lines, 5u);
  EXPECT_EQ(OpenLossesOf("41=A\r\n*0D\r\n0400=x\r\n", TableFormat::Thingy).lines, 0u)
      << "a file the reader takes whole loses nothing";
}

}  // namespace
}  // namespace mojihyo
