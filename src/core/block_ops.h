#pragma once

// Block Copy, Cut, Paste, Lock and Unlock over ranges of cells. A command
// makes an operation pending; the next cell that receives the focus is the
// range's second end, the current cell its first.

#include "core/font_table.h"

#include <vector>

namespace mojihyo {

enum class BlockCommand { Copy, Cut, Lock, Unlock };

// Makes `command` the pending operation, replacing any other. Only Cut
// leaves the pending copy a cut: an abandoned cut must not turn the next
// copy into one that empties cells.
void StartBlockOperation(RunTimeState& state, BlockCommand command);

// Takes the texts of the cells from the current cell to `end` (either way
// round) into the block clipboard, in ascending order, emptying them for a
// cut (locked cells too). Ends the pending operation.
void CopyBlock(FontTable& table, RunTimeState& state, int end);

// Locks (a pending Lock) or unlocks the cells from the current cell to `end`.
void ApplyBlockLock(FontTable& table, RunTimeState& state, int end);

// Completes the pending operation, if any, with `end` as its second end;
// true when one ran.
bool CompletePendingBlock(FontTable& table, RunTimeState& state, int end);

// Writes clipboard item k into the cell CurrentCell + k, skipping locked
// cells without shifting and stopping after FFh. Returns the cells written.
// Nothing happens before anything was copied.
std::vector<int> PasteBlock(FontTable& table, const RunTimeState& state);

}  // namespace mojihyo
