#include "core/grid_rules.h"

#include <gtest/gtest.h>

namespace mojihyo {
namespace {

TEST(CellBytesText, ShowsEveryByteOfAnEntryButALongOne) {
  EXPECT_EQ(CellBytesText(0x41, ""), "41h:");
  EXPECT_EQ(CellBytesText(0x41, "\xA4\xA2z"), "41h: A4 A2 7A");
  std::string longest(kLongEntryBytes, 'x');
  EXPECT_EQ(CellBytesText(0, longest).size(), 4 + 3 * kLongEntryBytes);
  longest += "y";
  std::string start = "00h:";
  for (std::size_t i = 0; i < kEntryPreviewBytes; ++i) start += " 78";
  EXPECT_EQ(CellBytesText(0, longest), start + " ... (4097 bytes)");
}

TEST(CellToolTip, ShowsHexDecimalAndText) {
  EXPECT_EQ(CellToolTip(10, ""), "0Ah (10) --- Value: ");
  EXPECT_EQ(CellToolTip(255, "end"), "FFh (255) --- Value: end");
  EXPECT_EQ(CellToolTip("4a", 74, "x"), "4ah (74) --- Value: x");
  // Up to the long-entry length the whole text, beyond it the length.
  EXPECT_EQ(CellToolTip(1, std::string(kLongEntryBytes, 'x')),
            "01h (1) --- Value: " + std::string(kLongEntryBytes, 'x'));
  EXPECT_EQ(CellToolTip(1, std::string(kLongEntryBytes + 1, 'x')),
            "01h (1) --- Value: (4097 bytes; Enter opens it)");
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
