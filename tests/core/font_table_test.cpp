#include "core/font_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace mojihyo {
namespace {

// Records what the document announces, as the grid would receive it.
class RecordingObserver : public DocumentObserver {
public:
  std::vector<std::pair<int, std::string>> texts;
  std::vector<int> locks;
  void EntryTextChanged(int index, std::string_view written) override {
    texts.emplace_back(index, std::string(written));
  }
  void EntryLockChanged(int index) override { locks.push_back(index); }
};

TEST(FontTable, StartsEmptyWithOneEmptySlotPerKeptLineList) {
  FontTable t;
  for (int i = 0; i < kEntryCount; ++i) {
    EXPECT_EQ(t.EntryText[i], "");
    EXPECT_FALSE(t.EntryLocked[i]);
  }
  for (const std::string* v : {&t.LineBreakValue1, &t.LineBreakValue2, &t.StringBreakValue1,
                               &t.StringBreakValue2, &t.SectionBreakValue, &t.DakutenValue,
                               &t.HandakutenValue, &t.CurrentFileName, &t.CurrentFileTitle})
    EXPECT_EQ(*v, "");
  EXPECT_FALSE(t.SaveFormat.has_value());
  EXPECT_TRUE(t.SixteenBitEntries.empty());
  EXPECT_FALSE(t.ReverseOrder);
  EXPECT_FALSE(t.OmitSymbols);
  EXPECT_EQ(t.BookmarkLines, std::vector<std::string>{""});
  EXPECT_EQ(t.ScriptDumpLines, std::vector<std::string>{""});
  EXPECT_EQ(t.DollarLines, std::vector<std::string>{""});
  EXPECT_FALSE(t.TableChanged);

  RunTimeState s;
  EXPECT_EQ(s.CurrentCell, 0);
  EXPECT_EQ(s.BlockMode, PendingBlock::None);
  EXPECT_FALSE(s.BlockCut);
  EXPECT_FALSE(s.BlockClipboard.has_value());
  EXPECT_FALSE(s.SaveDialogShown);
  EXPECT_FALSE(s.SettingsNotSaved);
  EXPECT_EQ(s.StartupFileName, "");
}

TEST(ChangeRule, AWriteThatChangesTheTextMarksTheTableAndTellsTheObserver) {
  FontTable t;
  RecordingObserver seen;
  t.Observer = &seen;
  SetEntryText(t, 0x12, "A");
  EXPECT_EQ(t.EntryText[0x12], "A");
  EXPECT_TRUE(t.TableChanged);
  ASSERT_EQ(seen.texts.size(), 1u);
  EXPECT_EQ(seen.texts[0], std::make_pair(0x12, std::string()));
}

TEST(ChangeRule, WritingTheSameTextChangesNothing) {
  FontTable t;
  RecordingObserver seen;
  t.Observer = &seen;
  SetEntryText(t, 5, "");
  EXPECT_FALSE(t.TableChanged);
  EXPECT_TRUE(seen.texts.empty());
  SetEntryText(t, 5, "x");
  t.TableChanged = false;
  SetEntryText(t, 5, "x");
  EXPECT_FALSE(t.TableChanged);
  EXPECT_EQ(seen.texts.size(), 1u);
}

TEST(ChangeRule, AReaderWriteAlwaysReportsTheNumberAsWritten) {
  FontTable t;
  RecordingObserver seen;
  t.Observer = &seen;
  SetEntryText(t, 0x4A, "x", "4a");
  SetEntryText(t, 0x4A, "x", "4A");
  ASSERT_EQ(seen.texts.size(), 2u);
  EXPECT_EQ(seen.texts[0].second, "4a");
  EXPECT_EQ(seen.texts[1].second, "4A");
}

TEST(ChangeRule, BytesPassThroughUnchanged) {
  FontTable t;
  const std::string bytes("\x00\x80\xA4\xA2\xFF\r", 6);
  SetEntryText(t, 0xFF, bytes);
  EXPECT_EQ(t.EntryText[0xFF], bytes);
}

TEST(ChangeRule, IndexesOutsideTheTableAreIgnored) {
  FontTable t;
  SetEntryText(t, -1, "x");
  SetEntryText(t, 256, "x");
  SetEntryLocked(t, 256, true);
  EXPECT_FALSE(t.TableChanged);
  EXPECT_EQ(t, FontTable());
}

TEST(Locks, ChangingALockNeverMarksTheTable) {
  FontTable t;
  RecordingObserver seen;
  t.Observer = &seen;
  SetEntryLocked(t, 3, true);
  SetEntryLocked(t, 3, true);
  EXPECT_TRUE(t.EntryLocked[3]);
  SetEntryLocked(t, 3, false);
  EXPECT_FALSE(t.EntryLocked[3]);
  EXPECT_FALSE(t.TableChanged);
  EXPECT_EQ(seen.locks, (std::vector<int>{3, 3}));
}

TEST(KeptLines, FillTheEmptySlotFirstThenAppend) {
  std::vector<std::string> lines{""};
  EXPECT_FALSE(HasKeptLines(lines));
  AppendKeptLine(lines, "(1)");
  EXPECT_EQ(lines, std::vector<std::string>{"(1)"});
  EXPECT_TRUE(HasKeptLines(lines));
  AppendKeptLine(lines, "(2)");
  EXPECT_EQ(lines, (std::vector<std::string>{"(1)", "(2)"}));
  std::vector<std::string> none;
  AppendKeptLine(none, "$x");
  EXPECT_EQ(none, std::vector<std::string>{"$x"});
}

TEST(FontTable, EqualityIgnoresTheObserver) {
  FontTable a, b;
  RecordingObserver seen;
  a.Observer = &seen;
  EXPECT_EQ(a, b);
  SetEntryLocked(b, 9, true);
  EXPECT_NE(a, b);
}

}  // namespace
}  // namespace mojihyo
