#include "core/grid_rules.h"

#include <gtest/gtest.h>

namespace mojihyo {
namespace {

TEST(CellToolTip, ShowsHexDecimalAndText) {
  EXPECT_EQ(CellToolTip(10, ""), "0Ah (10) --- Value: ");
  EXPECT_EQ(CellToolTip(255, "end"), "FFh (255) --- Value: end");
  EXPECT_EQ(CellToolTip("4a", 74, "x"), "4ah (74) --- Value: x");
}

TEST(PreviewRange, ColoursFromTheAnchorsNeighbourToTheHoveredCell) {
  FontTable t;
  SetEntryLocked(t, 0x0D, true);
  GridColours c;
  ResetCellColours(c, t.EntryLocked);
  EXPECT_EQ(c[0x0D], 0xAAAAAAu);
  PreviewRange(c, t.EntryLocked, 0x10, 0x14);
  EXPECT_EQ(c[0x10], 0x01FFFFu);
  for (int i = 0x11; i <= 0x14; ++i) EXPECT_EQ(c[i], 0x02FFFFu);
  EXPECT_EQ(c[0x15], 0xFFFFFFu);
  PreviewRange(c, t.EntryLocked, 0x10, 0x0C);
  for (int i = 0x11; i <= 0x14; ++i) EXPECT_EQ(c[i], 0xFFFFFFu);
  EXPECT_EQ(c[0x0C], 0x02FFFFu);
  EXPECT_EQ(c[0x0D], 0x02AAAAu);
  EXPECT_EQ(c[0x0F], 0x02FFFFu);
  EXPECT_EQ(c[0x0B], 0xFFFFFFu);
  // Hovering the anchor itself clears the range.
  PreviewRange(c, t.EntryLocked, 0x10, 0x10);
  EXPECT_EQ(c[0x0C], 0xFFFFFFu);
  EXPECT_EQ(c[0x0D], 0xAAAAAAu);
  EXPECT_EQ(c[0x10], 0x01FFFFu);
  // To the last cell and the first.
  PreviewRange(c, t.EntryLocked, 0x10, 0xFF);
  EXPECT_EQ(c[0xFF], 0x02FFFFu);
  PreviewRange(c, t.EntryLocked, 0x10, 0x00);
  EXPECT_EQ(c[0x00], 0x02FFFFu);
  EXPECT_EQ(c[0xFF], 0xFFFFFFu);
}

}  // namespace
}  // namespace mojihyo
