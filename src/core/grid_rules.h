#pragma once

// The rules of the 16 x 16 grid that shows the entries: tooltips, the cell
// colour scheme and the range preview of a pending block operation. The
// window only applies what these decide.

#include "core/font_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mojihyo {

// Colours are 0xBBGGRR values (blue in the high byte). The blue byte 01 or 02
// tells a focus colour from a range colour; range colours are recognised by
// their exact value.
namespace cell_colour {
inline constexpr std::uint32_t kResting = 0xFFFFFF;
inline constexpr std::uint32_t kRestingLocked = 0xAAAAAA;
inline constexpr std::uint32_t kFocus = 0x01FFFF;
inline constexpr std::uint32_t kFocusLocked = 0x01AAAA;
inline constexpr std::uint32_t kRange = 0x02FFFF;
inline constexpr std::uint32_t kRangeLocked = 0x02AAAA;
}  // namespace cell_colour

enum class CellState { Resting, Focus, Range };

std::uint32_t CellColour(CellState state, bool locked);

inline bool IsRangeColour(std::uint32_t colour) {
  return colour == cell_colour::kRange || colour == cell_colour::kRangeLocked;
}

// An entry longer than this is more than a cell can usefully show, and a
// line edit lays out the whole of its text: an entry of megabytes would
// cost gigabytes. Its cell shows its start, elided, takes no typing, and
// opens the entry in a window of its own when Enter is pressed.
inline constexpr std::size_t kLongEntryBytes = 4096;

// How much of a long entry its cell and the status bar show.
inline constexpr std::size_t kEntryPreviewBytes = 64;

inline bool IsLongEntry(std::string_view text) { return text.size() > kLongEntryBytes; }

// "0Ah (10) --- Value: " followed by the text; for a long entry, its length
// and how to see it: "0Ah (10) --- Value: (52428800 bytes; Enter opens it)".
std::string CellToolTip(int index, std::string_view text);

// The same with the entry number written as a table file wrote it ("4ah").
std::string CellToolTip(std::string_view writtenNumber, int index, std::string_view text);

// The status bar's view of an entry's bytes: "41h: 41 42", for a long entry
// only the first kEntryPreviewBytes and then "... (52428800 bytes)".
std::string CellBytesText(int index, std::string_view text);

// The colours of the 256 cells, as the grid shows them.
using GridColours = std::array<std::uint32_t, kEntryCount>;

// The resting colour of every cell: grey when locked, white otherwise.
void ResetCellColours(GridColours& colours, const EntryArray<bool>& locked);

// While a block operation waits for its second end, the cells from the
// anchor's neighbour up to the cell under the mouse show the range colour,
// cells that left the range get their resting colour back, and the anchor
// shows the focus colour.
void PreviewRange(GridColours& colours, const EntryArray<bool>& locked, int anchor, int hover);

}  // namespace mojihyo
