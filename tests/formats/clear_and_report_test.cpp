#include "formats/not_saved_report.h"
#include "formats/table_format.h"

#include <gtest/gtest.h>

#include "table_test_util.h"

namespace mojihyo {
namespace {

using Items = std::vector<std::string>;

FontTable EverythingSet() {
  FontTable t;
  t.ReverseOrder = t.OmitSymbols = true;
  t.LineBreakValue1 = t.LineBreakValue2 = "1h";
  t.StringBreakValue1 = t.StringBreakValue2 = "2h";
  t.SectionBreakValue = t.DakutenValue = t.HandakutenValue = "3h";
  t.SixteenBitEntries = {"0400=x"};
  t.BookmarkLines = {"(1)"};
  t.ScriptDumpLines = {"[1]"};
  t.DollarLines = {"$1"};
  SetEntryText(t, 7, "x");
  SetEntryLocked(t, 7, true);
  t.CurrentFileName = "/tmp/game.tbl";
  t.CurrentFileTitle = "game.tbl";
  t.SaveFormat = TableFormat::Thingy;
  return t;
}

TEST(ClearForOpen, EmptiesTheDocumentButNotItsFileBinding) {
  FontTable t = EverythingSet();
  ClearForOpen(t);
  FontTable expected;
  expected.CurrentFileName = "/tmp/game.tbl";
  expected.CurrentFileTitle = "game.tbl";
  expected.SaveFormat = TableFormat::Thingy;
  expected.TableChanged = true;  // the emptied entry went through the change rule
  EXPECT_EQ(t, expected);
}

TEST(ClearForOpen, AnOpenAfterAHexposureFileDropsItsSectionBreak) {
  FontTable t = testing::Read(TableFormat::Hexposure, "\\=FD\r\n");
  EXPECT_EQ(t.SectionBreakValue, "FDh");
  LoadTableBytes(TableFormat::Thingy, "41=A\r\n", t);
  EXPECT_EQ(t.SectionBreakValue, "");
  EXPECT_EQ(t.EntryText[0x41], "A");
}

TEST(ClearForOpen, UnlocksEveryEntryUnlessTheFileLocksItAgain) {
  FontTable t;
  SetEntryLocked(t, 1, true);
  SetEntryLocked(t, 2, true);
  LoadTableBytes(TableFormat::MoJiHyo, "|02\r\n", t);
  EXPECT_FALSE(t.EntryLocked[1]);
  EXPECT_TRUE(t.EntryLocked[2]);
}

TEST(NotSavedItems, MoJiHyoKeepsEverything) {
  EXPECT_EQ(NotSavedItems(EverythingSet(), TableFormat::MoJiHyo), Items{});
}

TEST(NotSavedItems, ThingyLosesOnlyTheSectionBreak) {
  EXPECT_EQ(NotSavedItems(EverythingSet(), TableFormat::Thingy), Items{"Section Break value"});
  FontTable t = EverythingSet();
  t.SectionBreakValue.clear();
  EXPECT_EQ(NotSavedItems(t, TableFormat::Thingy), Items{});
}

TEST(NotSavedItems, HexposureListsEveryLostSettingInOrder) {
  EXPECT_EQ(NotSavedItems(EverythingSet(), TableFormat::Hexposure),
            (Items{"Thingy Menu toggle settings", "Second Line Break value",
                   "Second String Break value", "Dakuten value", "Handakuten value",
                   "16-bit font table entries", "Bookmarks", "Script Dump information"}));
}

TEST(NotSavedItems, HexposureReportsOnlyWhatIsThere) {
  FontTable t;
  SetEntryText(t, 1, "a");
  t.LineBreakValue1 = t.StringBreakValue1 = t.SectionBreakValue = "1h";
  t.DollarLines = {"$1"};  // lost without a report item
  SetEntryLocked(t, 1, true);
  EXPECT_EQ(NotSavedItems(t, TableFormat::Hexposure), Items{});

  t.OmitSymbols = true;
  t.SixteenBitEntries = {"0400=x"};
  EXPECT_EQ(NotSavedItems(t, TableFormat::Hexposure),
            (Items{"Thingy Menu toggle settings", "16-bit font table entries"}));

  FontTable second;
  second.LineBreakValue2 = "0Dh";
  second.DakutenValue = "DEh";
  second.BookmarkLines = {"", "(only a later slot)"};
  EXPECT_EQ(NotSavedItems(second, TableFormat::Hexposure),
            (Items{"Second Line Break value", "Dakuten value"}));
}

TEST(NotSavedMessage, IsBuiltWithSingleCarriageReturns) {
  EXPECT_EQ(NotSavedMessage(TableFormat::Hexposure, {"Second Line Break value", "Dakuten value"}),
            "The font table was saved to disk successfully.  However, due to limitations in "
            "the Hexposure file format, the following settings were NOT saved:\r\r"
            "Second Line Break value\rDakuten value\r\r"
            "Though the above settings were not saved to disk, they are still present in "
            "memory.  So, if you save the font table in MoJiHyo TAB format now, the data "
            "will not be lost.");
  const std::string thingy = NotSavedMessage(TableFormat::Thingy, {"Section Break value"});
  EXPECT_NE(thingy.find("limitations in the Thingy file format"), std::string::npos);
  EXPECT_EQ(thingy.find('\n'), std::string::npos);
}

TEST(FormatNames, AreTheNamesUsersKnow) {
  EXPECT_EQ(FormatName(TableFormat::Thingy), "Thingy");
  EXPECT_EQ(FormatName(TableFormat::Hexposure), "Hexposure");
  EXPECT_EQ(FormatName(TableFormat::MoJiHyo), "MoJiHyo");
}

}  // namespace
}  // namespace mojihyo
