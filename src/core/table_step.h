#pragma once

// Undoable steps. Before a command runs, the parts of the document it may
// change are captured (BeginStep); afterwards the capture and the document
// give a step that keeps only what differs (FinishStep). A step holds the
// version of each part that is not in the document right now, so undo and
// redo are one operation: swapping that version with the document's.
//
// A command that changes a part of the document no step covers yet adds the
// part to TableCapture, compares it in FinishStep and swaps it in
// TableStep::Swap. A TFS file's document is covered already: a command that
// replaces it (switching logical tables, editing its codes) is a step like
// any other.

#include "core/font_table.h"
#include "core/line_list.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mojihyo {

// The 16-bit list can hold tens of thousands of lines: it is captured only
// for the commands that may change it.
enum class StepCovers { Table, TableAndSixteenBitEntries };

inline constexpr int kControlValueCount = 7;

// What a command may change, taken before it runs.
struct TableCapture {
  EntryArray<std::string> EntryText;
  EntryArray<bool> EntryLocked;
  std::array<std::string, kControlValueCount> ControlValues;
  bool ReverseOrder = false;
  bool OmitSymbols = false;
  std::optional<LineList> SixteenBitEntries;
  std::shared_ptr<const TfsDocument> Tfs;
  std::size_t CurrentLogicalTable = 0;
  bool TableChanged = false;
};

// A run of lines a step changed in a list: `documentLines` lines from
// `offset` in the document stand where the step holds `heldLines` others.
struct ListHunk {
  std::size_t offset;
  std::size_t documentLines;
  std::size_t heldLines;
  bool operator==(const ListHunk&) const = default;
};

// The lines one list differs by, and nothing of what the two versions share.
class ListChange {
public:
  // The change from `before` to `after`, when `after` is in the document:
  // the lines both start and end with are dropped, and where the rest is as
  // long on both sides, only the runs of lines that differ are kept.
  static ListChange Between(const LineList& before, const LineList& after);

  // Puts the held lines into `document` and keeps the lines they replace.
  void Swap(LineList& document);

  bool empty() const { return hunks_.empty(); }
  const std::vector<ListHunk>& hunks() const { return hunks_; }
  const LineList& held() const { return held_; }
  // Roughly the memory the held lines take.
  std::size_t HeldBytes() const;

private:
  std::vector<ListHunk> hunks_;  // in document order
  LineList held_;                // every hunk's held lines, in order
};

class TableStep {
public:
  // Whether the step holds no difference at all.
  bool HoldsNothing() const;
  // Whether the command marked the table changed. A lock is a step that
  // does not; "Okay" in a dialog does even when it altered nothing.
  bool ChangesContent() const { return changesContent_; }
  // The lowest entry whose text or lock the step changes.
  std::optional<int> FirstCell() const;
  // Roughly the memory the step holds beside its own object.
  std::size_t HeldBytes() const;

  // Undoes the step when it is done, redoes it when it is undone. Texts and
  // locks go through the change rule, so the grid follows.
  void Swap(FontTable& table);

  // Takes in a later step on the same document, so the two undo as one
  // (typing in one cell). Texts that came back to what they were before
  // the first step are dropped.
  void Absorb(TableStep&& later, const FontTable& table);

private:
  friend TableStep FinishStep(TableCapture&& before, FontTable& table);

  std::vector<std::pair<int, std::string>> texts_;   // entry, the other text
  std::vector<int> locks_;                           // entries whose lock flips
  std::vector<std::pair<int, std::string>> values_;  // control value, the other value
  bool reverseOrderFlips_ = false;
  bool omitSymbolsFlips_ = false;
  ListChange sixteenBitEntries_;
  // The TFS document is never changed, only replaced: the step holds the
  // other one, which costs its size only while nothing else holds it.
  bool tfsDiffers_ = false;
  std::shared_ptr<const TfsDocument> tfs_;
  std::size_t tfsBytes_ = 0;
  std::optional<std::size_t> logicalTable_;
  bool changesContent_ = false;
};

// Captures what a command may change. TableChanged is cleared until
// FinishStep, so that the command's own mark can be seen.
TableCapture BeginStep(FontTable& table, StepCovers covers = StepCovers::Table);

// The step from the capture to the document as the command left it; sets
// TableChanged back, and on when the command marked it.
TableStep FinishStep(TableCapture&& before, FontTable& table);

// The most the history holds before its oldest steps give up what they hold.
// The editor must not grow by more than 100 MB however it is used; this
// leaves room for the document and the copies an import makes on the way.
inline constexpr std::size_t kHistoryBudgetBytes = std::size_t{48} << 20;

}  // namespace mojihyo
