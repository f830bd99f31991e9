#include "core/block_ops.h"

#include <gtest/gtest.h>

namespace mojihyo {
namespace {

using Texts = std::vector<std::string>;

struct BlockOps : ::testing::Test {
  FontTable t;
  RunTimeState s;
  void SetUp() override {
    for (int i = 0x10; i < 0x14; ++i) SetEntryText(t, i, std::string(1, static_cast<char>('a' + i - 0x10)));
    t.TableChanged = false;
  }
  void Run(BlockCommand command, int from, int to) {
    s.CurrentCell = from;
    StartBlockOperation(s, command);
    ASSERT_TRUE(CompletePendingBlock(t, s, to));
    s.CurrentCell = to;
  }
};

TEST_F(BlockOps, CopyTakesTheRangeInAscendingOrderEitherWayRound) {
  Run(BlockCommand::Copy, 0x10, 0x13);
  EXPECT_EQ(s.BlockClipboard, (Texts{"a", "b", "c", "d"}));
  EXPECT_FALSE(t.TableChanged);
  EXPECT_EQ(t.EntryText[0x10], "a");
  EXPECT_EQ(s.BlockMode, PendingBlock::None);
  Run(BlockCommand::Copy, 0x13, 0x10);
  EXPECT_EQ(s.BlockClipboard, (Texts{"a", "b", "c", "d"}));
  Run(BlockCommand::Copy, 0x11, 0x11);
  EXPECT_EQ(s.BlockClipboard, Texts{"b"});
}

TEST_F(BlockOps, CutEmptiesLockedCellsTooAndMarksTheTable) {
  SetEntryLocked(t, 0x11, true);
  Run(BlockCommand::Cut, 0x10, 0x12);
  EXPECT_EQ(s.BlockClipboard, (Texts{"a", "b", "c"}));
  EXPECT_EQ(t.EntryText[0x11], "");
  EXPECT_EQ(t.EntryText[0x13], "d");
  EXPECT_TRUE(t.TableChanged);
  EXPECT_FALSE(s.BlockCut);
}

TEST_F(BlockOps, AnAbandonedCutDoesNotTurnTheNextCopyIntoACut) {
  for (BlockCommand next : {BlockCommand::Copy, BlockCommand::Lock, BlockCommand::Unlock}) {
    StartBlockOperation(s, BlockCommand::Cut);
    EXPECT_TRUE(s.BlockCut);
    StartBlockOperation(s, next);
    EXPECT_FALSE(s.BlockCut);
  }
  Run(BlockCommand::Copy, 0x10, 0x13);
  EXPECT_EQ(t.EntryText[0x10], "a");
}

TEST_F(BlockOps, PasteSkipsLockedCellsWithoutShiftingAndStopsAfterFF) {
  EXPECT_TRUE(PasteBlock(t, s).empty()) << "nothing copied yet";
  Run(BlockCommand::Copy, 0x10, 0x13);
  SetEntryLocked(t, 0x31, true);
  s.CurrentCell = 0x30;
  EXPECT_EQ(PasteBlock(t, s), (std::vector<int>{0x30, 0x32, 0x33}));
  EXPECT_EQ(t.EntryText[0x30], "a");
  EXPECT_EQ(t.EntryText[0x31], "");
  EXPECT_EQ(t.EntryText[0x32], "c");
  EXPECT_EQ(t.EntryText[0x34], "");
  s.CurrentCell = 0xFE;
  EXPECT_EQ(PasteBlock(t, s), (std::vector<int>{0xFE, 0xFF}));
  EXPECT_EQ(t.EntryText[0xFF], "b");
  EXPECT_EQ(t.EntryText[0x00], "");
  EXPECT_EQ(s.BlockClipboard->size(), 4u) << "a paste keeps the clipboard";
}

TEST_F(BlockOps, LockAndUnlockLeaveTheTableUnchanged) {
  Run(BlockCommand::Lock, 0x20, 0x2F);
  for (int i = 0x20; i <= 0x2F; ++i) EXPECT_TRUE(t.EntryLocked[i]) << i;
  EXPECT_FALSE(t.EntryLocked[0x1F]);
  EXPECT_FALSE(t.EntryLocked[0x30]);
  EXPECT_FALSE(t.TableChanged);
  Run(BlockCommand::Unlock, 0x2F, 0x28);
  EXPECT_TRUE(t.EntryLocked[0x27]);
  EXPECT_FALSE(t.EntryLocked[0x28]);
  EXPECT_FALSE(t.EntryLocked[0x2F]);
  EXPECT_EQ(s.BlockMode, PendingBlock::None);
}

TEST_F(BlockOps, NothingPendingCompletesNothing) {
  EXPECT_FALSE(CompletePendingBlock(t, s, 5));
  EXPECT_FALSE(s.BlockClipboard.has_value());
}

}  // namespace
}  // namespace mojihyo
