#include "core/grid_rules.h"

#include "core/hex_notation.h"

#include <algorithm>

namespace mojihyo {

std::uint32_t CellColour(CellState state, bool locked) {
  using namespace cell_colour;
  switch (state) {
    case CellState::Resting: return locked ? kRestingLocked : kResting;
    case CellState::Focus: return locked ? kFocusLocked : kFocus;
    case CellState::Range: return locked ? kRangeLocked : kRange;
  }
  return kResting;
}

std::string CellToolTip(int index, std::string_view text) {
  return CellToolTip(HexByte(index), index, text);
}

std::string CellToolTip(std::string_view writtenNumber, int index, std::string_view text) {
  std::string tip(writtenNumber);
  tip += "h (";
  tip += std::to_string(index);
  tip += ") --- Value: ";
  if (IsLongEntry(text)) {
    tip += "(" + std::to_string(text.size()) + " bytes; Enter opens it)";
  } else {
    tip += text;
  }
  return tip;
}

std::string CellBytesText(int index, std::string_view text) {
  std::string shown = HexByte(index) + "h:";
  for (unsigned char c : text.substr(0, IsLongEntry(text) ? kEntryPreviewBytes : text.size()))
    shown += " " + HexByte(c);
  if (IsLongEntry(text)) shown += " ... (" + std::to_string(text.size()) + " bytes)";
  return shown;
}

void ResetCellColours(GridColours& colours, const EntryArray<bool>& locked) {
  for (int i = 0; i < kEntryCount; ++i) colours[i] = CellColour(CellState::Resting, locked[i]);
}

void PreviewRange(GridColours& colours, const EntryArray<bool>& locked, int anchor, int hover) {
  if (anchor < 0 || anchor >= kEntryCount || hover < 0 || hover >= kEntryCount) return;
  const int step = hover >= anchor ? 1 : -1;
  const int lo = std::min(anchor, hover), hi = std::max(anchor, hover);
  for (int i = 0; i < kEntryCount; ++i) {
    if (IsRangeColour(colours[i]) && (i < lo || i > hi))
      colours[i] = CellColour(CellState::Resting, locked[i]);
  }
  // From the anchor's neighbour to the hovered cell; nothing when they are
  // the same cell.
  for (int i = anchor + step; hover != anchor && i != hover + step; i += step)
    colours[i] = CellColour(CellState::Range, locked[i]);
  colours[anchor] = CellColour(CellState::Focus, locked[anchor]);
}

}  // namespace mojihyo
