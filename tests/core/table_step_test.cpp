#include "core/table_step.h"

#include "formats/table_format.h"
#include "tfs/tfs_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace mojihyo {
namespace {

using Strings = std::vector<std::string>;

// The document as a step sees it: TableChanged is the history's business.
FontTable Content(const FontTable& t) {
  FontTable copy = t;
  copy.TableChanged = false;
  copy.Observer = nullptr;
  return copy;
}

struct ListCase {
  const char* name;
  Strings before, after;
  std::vector<ListHunk> hunks;  // at their places in `after`
  Strings held;
};

TEST(ListChange, KeepsOnlyTheLinesThatDiffer) {
  const ListCase cases[] = {
      {"same", {"a", "b"}, {"a", "b"}, {}, {}},
      {"appended", {"a", "b"}, {"a", "b", "c", "d"}, {{2, 2, 0}}, {}},
      {"one removed", {"a", "b", "c"}, {"a", "c"}, {{1, 0, 1}}, {"b"}},
      {"filled", {}, {"a", "b"}, {{0, 2, 0}}, {}},
      {"cleared", {"a", "b"}, {}, {{0, 0, 2}}, {"a", "b"}},
      {"replaced here and there", {"a", "b", "c", "d", "e"}, {"a", "B", "c", "D", "E"},
       {{1, 1, 1}, {3, 2, 2}}, {"b", "d", "e"}},
      {"moved down", {"a", "b", "c", "d"}, {"a", "c", "b", "d"}, {{1, 2, 2}}, {"b", "c"}},
      {"lengths differ: one run", {"a", "b", "c", "d"}, {"a", "B", "c", "x", "d"}, {{1, 3, 2}},
       {"b", "c"}},
      {"repeated lines", {"a", "a", "a"}, {"a", "a"}, {{2, 0, 1}}, {"a"}},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ListChange change = ListChange::Between(LineList(c.before), LineList(c.after));
    EXPECT_EQ(change.hunks(), c.hunks);
    EXPECT_EQ(change.held().ToVector(), c.held);
    EXPECT_EQ(change.empty(), c.hunks.empty());

    LineList document(c.after);
    ListChange swapped = change;
    swapped.Swap(document);
    EXPECT_EQ(document.ToVector(), c.before);
    swapped.Swap(document);
    EXPECT_EQ(document.ToVector(), c.after);
  }
}

// A list imported again over itself with a value changed in every hundred
// keeps one line a change, not the list.
TEST(ListChange, AReimportWithScatteredChangesHoldsOnlyThem) {
  std::mt19937 random(17);
  LineList before, after;
  std::size_t changed = 0;
  for (int n = 0; n < 5000; ++n) {
    const std::string line = "0" + std::to_string(1000 + n) + "=value " + std::to_string(n);
    before.push_back(line);
    const bool change = random() % 100 == 0;
    changed += change;
    after.push_back(change ? line + " new" : line);
  }
  ASSERT_GT(changed, 20u);
  const ListChange change = ListChange::Between(before, after);
  EXPECT_EQ(change.held().size(), changed);
  EXPECT_LT(change.HeldBytes(), before.text_bytes() / 20);
}

// Random commands over random tables: the step holds what differs, undoes
// to the table before and redoes to the table after, any number of times.
TEST(TableStep, SwappingUndoesAndRedoesAnyChange) {
  std::mt19937 random(20240617);
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto text = [&] { return std::string(static_cast<std::size_t>(pick(20)), static_cast<char>('a' + pick(26))); };
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    FontTable t;
    for (int k = 0; k < 40; ++k) SetEntryText(t, pick(kEntryCount), text());
    for (int k = 0; k < 10; ++k) SetEntryLocked(t, pick(kEntryCount), true);
    for (int n = pick(200); n > 0; --n) t.SixteenBitEntries.push_back(text());
    t.DakutenValue = "01h";
    t.TableChanged = round % 2 == 0;
    const bool wasChanged = t.TableChanged;
    const bool coversList = pick(2) == 0;
    const FontTable before = Content(t);

    TableCapture capture =
        BeginStep(t, coversList ? StepCovers::TableAndSixteenBitEntries : StepCovers::Table);
    std::optional<int> first;
    bool marked = false;
    for (int edits = pick(6); edits > 0; --edits) {
      const int i = pick(kEntryCount);
      switch (pick(5)) {
        case 0:
          SetEntryText(t, i, t.EntryText[i] + "x");
          marked = true;
          first = std::min(first.value_or(i), i);
          break;
        case 1:
          SetEntryLocked(t, i, !t.EntryLocked[i]);
          first = std::min(first.value_or(i), i);
          break;
        case 2:
          t.LineBreakValue2 = text() + "h";
          t.TableChanged = marked = true;
          break;
        case 3: t.OmitSymbols = !t.OmitSymbols; break;
        case 4:
          if (!coversList) break;
          if (!t.SixteenBitEntries.empty() && pick(2))
            t.SixteenBitEntries.erase(static_cast<std::size_t>(pick(static_cast<int>(t.SixteenBitEntries.size()))));
          else
            t.SixteenBitEntries.insert(static_cast<std::size_t>(pick(static_cast<int>(t.SixteenBitEntries.size()) + 1)), text());
          t.TableChanged = marked = true;
          break;
      }
    }
    const FontTable after = Content(t);
    TableStep step = FinishStep(std::move(capture), t);

    EXPECT_EQ(t.TableChanged, wasChanged || marked);
    EXPECT_EQ(step.ChangesContent(), marked);
    EXPECT_EQ(step.FirstCell(), first);
    EXPECT_EQ(step.HoldsNothing(), before == after);
    for (int pass = 0; pass < 2; ++pass) {
      step.Swap(t);
      EXPECT_EQ(Content(t), before);
      step.Swap(t);
      EXPECT_EQ(Content(t), after);
    }
  }
}

TEST(TableStep, HoldsOnlyTheVersionNotInTheDocument) {
  FontTable t;
  t.SixteenBitEntries = LineList{"0400=a", "0401=b", "0402=c"};
  TableCapture capture = BeginStep(t, StepCovers::TableAndSixteenBitEntries);
  t.SixteenBitEntries.push_back(std::string(1000, 'z'));
  TableStep step = FinishStep(std::move(capture), t);
  const std::size_t done = step.HeldBytes();
  step.Swap(t);
  EXPECT_EQ(t.SixteenBitEntries.size(), 3u);
  EXPECT_GT(step.HeldBytes(), done + 1000) << "undone, it holds the added line";
  step.Swap(t);
  EXPECT_EQ(step.HeldBytes(), done);
}

TEST(TableStep, LocksAndMarksWithoutChangesAreStepsOfTheirOwnKind) {
  for (const bool changedBefore : {false, true}) {
    SCOPED_TRACE(changedBefore);
    FontTable t;
    t.TableChanged = changedBefore;
    TableCapture capture = BeginStep(t);
    SetEntryLocked(t, 0x41, true);
    TableStep lock = FinishStep(std::move(capture), t);
    EXPECT_FALSE(lock.ChangesContent());
    EXPECT_FALSE(lock.HoldsNothing());
    EXPECT_EQ(lock.FirstCell(), 0x41);
    EXPECT_EQ(t.TableChanged, changedBefore);

    // "Okay" with nothing altered: no difference, yet the table is marked.
    capture = BeginStep(t);
    t.TableChanged = true;
    TableStep okay = FinishStep(std::move(capture), t);
    EXPECT_TRUE(okay.HoldsNothing());
    EXPECT_TRUE(okay.ChangesContent());
    EXPECT_TRUE(t.TableChanged);
    EXPECT_EQ(okay.FirstCell(), std::nullopt);
  }
}

// Switching the logical table of a TFS file replaces the file's document
// and every field: one step brings all of it back.
TEST(TableStep, UndoesASwitchOfTfsLogicalTables) {
  FontTable t;
  ClearForOpen(t);
  ReadTfsTable("@one\n41=A\n8140=X\n@two\n41=B\n", t);
  const auto firstDocument = t.Tfs;
  SetEntryText(t, 0x42, "C");
  const FontTable before = Content(t);
  TableCapture capture = BeginStep(t, StepCovers::TableAndSixteenBitEntries);
  SwitchLogicalTable(t, 1);
  const FontTable after = Content(t);
  TableStep step = FinishStep(std::move(capture), t);
  ASSERT_EQ(t.CurrentLogicalTable, 1u);
  ASSERT_NE(t.Tfs, firstDocument) << "the edit in table one went into a new document";
  EXPECT_FALSE(step.ChangesContent());
  EXPECT_GT(step.HeldBytes(), 20u) << "it holds the document it replaced";

  step.Swap(t);
  EXPECT_EQ(Content(t), before);
  EXPECT_EQ(t.Tfs, firstDocument);
  EXPECT_EQ(t.EntryText[0x41], "A");
  EXPECT_EQ(t.SixteenBitEntries, LineList{"8140=X"});
  step.Swap(t);
  EXPECT_EQ(Content(t), after);
  EXPECT_EQ(t.EntryText[0x41], "B");
}

// One keystroke after another, as typing in a cell produces steps.
TableStep Type(FontTable& t, int index, const std::string& text) {
  TableCapture capture = BeginStep(t);
  SetEntryText(t, index, text);
  return FinishStep(std::move(capture), t);
}

TEST(TableStep, AbsorbedTypingUndoesToTheTextBeforeTheFirstKeystroke) {
  FontTable t;
  SetEntryText(t, 5, "old");
  TableStep visit = Type(t, 5, "olda");
  for (const char* text : {"oldab", "oldabc"}) visit.Absorb(Type(t, 5, text), t);
  visit.Swap(t);
  EXPECT_EQ(t.EntryText[5], "old");
  visit.Swap(t);
  EXPECT_EQ(t.EntryText[5], "oldabc");

  // Typed and erased again: the visit changed nothing.
  TableStep erased = Type(t, 6, "x");
  erased.Absorb(Type(t, 6, ""), t);
  EXPECT_TRUE(erased.HoldsNothing());

  // Another cell's change is kept beside the first.
  TableStep two = Type(t, 7, "p");
  two.Absorb(Type(t, 8, "q"), t);
  two.Swap(t);
  EXPECT_EQ(t.EntryText[7], "");
  EXPECT_EQ(t.EntryText[8], "");
  EXPECT_EQ(two.FirstCell(), 7);
}

}  // namespace
}  // namespace mojihyo
