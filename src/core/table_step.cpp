#include "core/table_step.h"

#include "tfs/tfs_document.h"

#include <algorithm>

namespace mojihyo {

namespace {

constexpr std::array<std::string FontTable::*, kControlValueCount> kControlValues = {
    &FontTable::LineBreakValue1,   &FontTable::LineBreakValue2, &FontTable::StringBreakValue1,
    &FontTable::StringBreakValue2, &FontTable::SectionBreakValue, &FontTable::DakutenValue,
    &FontTable::HandakutenValue,
};

// A short text lives inside its string; a longer one costs its own block.
std::size_t TextBytes(const std::string& text) {
  return sizeof(std::pair<int, std::string>) + (text.size() > 15 ? text.size() + 1 : 0);
}

// A document's lines and their records.
std::size_t TfsBytes(const std::shared_ptr<const TfsDocument>& doc) {
  if (!doc) return 0;
  std::size_t bytes = sizeof(TfsDocument) + doc->lineCount() * 16;
  for (std::size_t i = 0; i < doc->lineCount(); ++i) bytes += doc->line(i).size();
  return bytes;
}

void AppendRange(LineList& to, const LineList& from, std::size_t first, std::size_t count) {
  for (std::size_t i = first; i < first + count; ++i) to.push_back(from[i]);
}

// The lines of `list` that the hunks name, `count` of them from each hunk's
// offset, in a list of exactly their size: a step may keep it for the rest
// of the run, and a list grown line by line takes up to twice its size.
LineList Gather(const LineList& list, const std::vector<ListHunk>& hunks,
                std::size_t ListHunk::*count) {
  std::size_t lines = 0, bytes = 0;
  for (const ListHunk& h : hunks) {
    lines += h.*count;
    for (std::size_t i = h.offset; i < h.offset + h.*count; ++i) bytes += list[i].size();
  }
  LineList gathered;
  gathered.reserve(lines, bytes);
  for (const ListHunk& h : hunks) AppendRange(gathered, list, h.offset, h.*count);
  return gathered;
}

}  // namespace

ListChange ListChange::Between(const LineList& before, const LineList& after) {
  ListChange change;
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  const std::size_t beforeMiddle = before.size() - head - tail;
  const std::size_t afterMiddle = after.size() - head - tail;
  // Each hunk starts at the same place in both lists.
  auto& hunks = change.hunks_;
  if (beforeMiddle != afterMiddle) {
    hunks.push_back({head, afterMiddle, beforeMiddle});
  } else {
    // Line for line (a list imported again over itself, with a few values
    // changed here and there): each run of differing lines is a hunk.
    for (std::size_t i = head; i < head + beforeMiddle;) {
      if (before[i] == after[i]) {
        ++i;
        continue;
      }
      std::size_t end = i + 1;
      while (end < head + beforeMiddle && before[end] != after[end]) ++end;
      hunks.push_back({i, end - i, end - i});
      i = end;
    }
    hunks.shrink_to_fit();
  }
  change.held_ = Gather(before, hunks, &ListHunk::heldLines);
  return change;
}

void ListChange::Swap(LineList& document) {
  if (hunks_.empty()) return;
  LineList held = Gather(document, hunks_, &ListHunk::documentLines);
  LineList now;
  now.reserve(document.size() - held.size() + held_.size(),
              document.text_bytes() - held.text_bytes() + held_.text_bytes());
  std::size_t read = 0, heldAt = 0;
  for (ListHunk& h : hunks_) {
    AppendRange(now, document, read, h.offset - read);
    const std::size_t offset = now.size();
    AppendRange(now, held_, heldAt, h.heldLines);
    read = h.offset + h.documentLines;
    heldAt += h.heldLines;
    h = {offset, h.heldLines, h.documentLines};
  }
  AppendRange(now, document, read, document.size() - read);
  document = std::move(now);
  held_ = std::move(held);
}

std::size_t ListChange::HeldBytes() const {
  // Each held line costs its bytes and its place in the list's index.
  return hunks_.size() * sizeof(ListHunk) + held_.text_bytes() + held_.size() * 16;
}

bool TableStep::HoldsNothing() const {
  return texts_.empty() && locks_.empty() && values_.empty() && !reverseOrderFlips_ &&
         !omitSymbolsFlips_ && sixteenBitEntries_.empty() && !tfsDiffers_ && !logicalTable_;
}

std::optional<int> TableStep::FirstCell() const {
  std::optional<int> first;
  for (const auto& [index, text] : texts_) first = std::min(first.value_or(index), index);
  for (int index : locks_) first = std::min(first.value_or(index), index);
  return first;
}

std::size_t TableStep::HeldBytes() const {
  std::size_t bytes = locks_.size() * sizeof(int);
  for (const auto& [index, text] : texts_) bytes += TextBytes(text);
  for (const auto& [field, value] : values_) bytes += TextBytes(value);
  return bytes + sixteenBitEntries_.HeldBytes() + tfsBytes_;
}

void TableStep::Swap(FontTable& table) {
  for (auto& [index, text] : texts_) {
    std::string now = table.EntryText[index];
    SetEntryText(table, index, text);
    text = std::move(now);
  }
  for (int index : locks_) SetEntryLocked(table, index, !table.EntryLocked[index]);
  for (auto& [field, value] : values_) std::swap(table.*kControlValues[field], value);
  if (reverseOrderFlips_) table.ReverseOrder = !table.ReverseOrder;
  if (omitSymbolsFlips_) table.OmitSymbols = !table.OmitSymbols;
  sixteenBitEntries_.Swap(table.SixteenBitEntries);
  if (tfsDiffers_) {
    std::swap(table.Tfs, tfs_);
    tfsBytes_ = TfsBytes(tfs_);
  }
  if (logicalTable_) std::swap(table.CurrentLogicalTable, *logicalTable_);
}

void TableStep::Absorb(TableStep&& later, const FontTable& table) {
  auto holds = [](const auto& changes, int key) {
    return std::any_of(changes.begin(), changes.end(),
                       [key](const auto& change) { return change.first == key; });
  };
  // Where both steps changed a part, this one already holds it as it was
  // before either.
  for (auto& change : later.texts_)
    if (!holds(texts_, change.first)) texts_.push_back(std::move(change));
  for (auto& change : later.values_)
    if (!holds(values_, change.first)) values_.push_back(std::move(change));
  std::erase_if(texts_, [&](const auto& change) { return table.EntryText[change.first] == change.second; });
  std::erase_if(values_, [&](const auto& change) {
    return table.*kControlValues[change.first] == change.second;
  });
  // A lock flipped twice is back where it was.
  for (int index : later.locks_) {
    if (auto it = std::find(locks_.begin(), locks_.end(), index); it != locks_.end())
      locks_.erase(it);
    else
      locks_.push_back(index);
  }
  reverseOrderFlips_ ^= later.reverseOrderFlips_;
  omitSymbolsFlips_ ^= later.omitSymbolsFlips_;
  if (later.tfsDiffers_ && !tfsDiffers_) {
    tfsDiffers_ = true;
    tfs_ = std::move(later.tfs_);
    tfsBytes_ = later.tfsBytes_;
  }
  if (tfsDiffers_ && tfs_ == table.Tfs) {
    tfsDiffers_ = false;
    tfs_.reset();
    tfsBytes_ = 0;
  }
  if (!logicalTable_) logicalTable_ = later.logicalTable_;
  if (logicalTable_ == table.CurrentLogicalTable) logicalTable_.reset();
  changesContent_ = changesContent_ || later.changesContent_;
}

TableCapture BeginStep(FontTable& table, StepCovers covers) {
  TableCapture before{
      .EntryText = table.EntryText,
      .EntryLocked = table.EntryLocked,
      .ControlValues = {},
      .ReverseOrder = table.ReverseOrder,
      .OmitSymbols = table.OmitSymbols,
      .SixteenBitEntries = std::nullopt,
      .Tfs = table.Tfs,
      .CurrentLogicalTable = table.CurrentLogicalTable,
      .TableChanged = table.TableChanged,
  };
  for (int k = 0; k < kControlValueCount; ++k) before.ControlValues[k] = table.*kControlValues[k];
  if (covers == StepCovers::TableAndSixteenBitEntries) before.SixteenBitEntries = table.SixteenBitEntries;
  table.TableChanged = false;
  return before;
}

TableStep FinishStep(TableCapture&& before, FontTable& table) {
  TableStep step;
  for (int i = 0; i < kEntryCount; ++i) {
    if (before.EntryText[i] != table.EntryText[i]) step.texts_.emplace_back(i, before.EntryText[i]);
    if (before.EntryLocked[i] != table.EntryLocked[i]) step.locks_.push_back(i);
  }
  for (int k = 0; k < kControlValueCount; ++k) {
    if (before.ControlValues[k] != table.*kControlValues[k])
      step.values_.emplace_back(k, std::move(before.ControlValues[k]));
  }
  step.reverseOrderFlips_ = before.ReverseOrder != table.ReverseOrder;
  step.omitSymbolsFlips_ = before.OmitSymbols != table.OmitSymbols;
  if (before.SixteenBitEntries)
    step.sixteenBitEntries_ = ListChange::Between(*before.SixteenBitEntries, table.SixteenBitEntries);
  if (before.Tfs != table.Tfs) {
    step.tfsDiffers_ = true;
    step.tfs_ = std::move(before.Tfs);
    step.tfsBytes_ = TfsBytes(step.tfs_);
  }
  if (before.CurrentLogicalTable != table.CurrentLogicalTable)
    step.logicalTable_ = before.CurrentLogicalTable;
  step.changesContent_ = table.TableChanged;
  table.TableChanged = before.TableChanged || table.TableChanged;
  return step;
}

}  // namespace mojihyo
