#include "core/block_ops.h"

#include <algorithm>

namespace mojihyo {

namespace {
struct Range {
  int lo, hi;
};
Range RangeTo(const RunTimeState& state, int end) {
  const int a = std::clamp(state.CurrentCell, 0, kEntryCount - 1);
  const int b = std::clamp(end, 0, kEntryCount - 1);
  return {std::min(a, b), std::max(a, b)};
}
}  // namespace

void StartBlockOperation(RunTimeState& state, BlockCommand command) {
  switch (command) {
    case BlockCommand::Copy:
    case BlockCommand::Cut: state.BlockMode = PendingBlock::Copy; break;
    case BlockCommand::Lock: state.BlockMode = PendingBlock::Lock; break;
    case BlockCommand::Unlock: state.BlockMode = PendingBlock::Unlock; break;
  }
  state.BlockCut = command == BlockCommand::Cut;
}

void CopyBlock(FontTable& table, RunTimeState& state, int end) {
  const Range r = RangeTo(state, end);
  std::vector<std::string> clipboard;
  clipboard.reserve(static_cast<std::size_t>(r.hi - r.lo + 1));
  for (int i = r.lo; i <= r.hi; ++i) {
    clipboard.push_back(table.EntryText[i]);
    if (state.BlockCut) SetEntryText(table, i, "");
  }
  state.BlockClipboard = std::move(clipboard);
  state.BlockMode = PendingBlock::None;
  state.BlockCut = false;
}

void ApplyBlockLock(FontTable& table, RunTimeState& state, int end) {
  const Range r = RangeTo(state, end);
  for (int i = r.lo; i <= r.hi; ++i) SetEntryLocked(table, i, state.BlockMode == PendingBlock::Lock);
  state.BlockMode = PendingBlock::None;
}

bool CompletePendingBlock(FontTable& table, RunTimeState& state, int end) {
  switch (state.BlockMode) {
    case PendingBlock::Copy: CopyBlock(table, state, end); return true;
    case PendingBlock::Lock:
    case PendingBlock::Unlock: ApplyBlockLock(table, state, end); return true;
    case PendingBlock::None: return false;
  }
  return false;
}

std::vector<int> PasteBlock(FontTable& table, const RunTimeState& state) {
  std::vector<int> written;
  if (!state.BlockClipboard) return written;
  const auto& items = *state.BlockClipboard;
  for (std::size_t k = 0; k < items.size(); ++k) {
    const int target = state.CurrentCell + static_cast<int>(k);
    if (target > kEntryCount - 1) break;
    if (target < 0 || table.EntryLocked[target]) continue;
    SetEntryText(table, target, items[k]);
    written.push_back(target);
  }
  return written;
}

}  // namespace mojihyo
