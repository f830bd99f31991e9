#include "core/font_table.h"

#include "tfs/tfs_document.h"

namespace mojihyo {

namespace {
bool InRange(int index) { return index >= 0 && index < kEntryCount; }
}  // namespace

bool FontTable::operator==(const FontTable& o) const {
  return EntryText == o.EntryText && EntryLocked == o.EntryLocked &&
         LineBreakValue1 == o.LineBreakValue1 && LineBreakValue2 == o.LineBreakValue2 &&
         StringBreakValue1 == o.StringBreakValue1 &&
         StringBreakValue2 == o.StringBreakValue2 &&
         SectionBreakValue == o.SectionBreakValue && DakutenValue == o.DakutenValue &&
         HandakutenValue == o.HandakutenValue && SixteenBitEntries == o.SixteenBitEntries &&
         ReverseOrder == o.ReverseOrder && OmitSymbols == o.OmitSymbols &&
         BookmarkLines == o.BookmarkLines && ScriptDumpLines == o.ScriptDumpLines &&
         DollarLines == o.DollarLines &&
         (Tfs == o.Tfs || (Tfs && o.Tfs && *Tfs == *o.Tfs)) &&
         CurrentLogicalTable == o.CurrentLogicalTable && CurrentFileName == o.CurrentFileName &&
         CurrentFileTitle == o.CurrentFileTitle && SaveFormat == o.SaveFormat &&
         TableChanged == o.TableChanged;
}

void SetEntryText(FontTable& table, int index, std::string_view text,
                  std::string_view writtenNumber) {
  if (!InRange(index)) return;
  std::string& slot = table.EntryText.items_[static_cast<std::size_t>(index)];
  if (slot == text) {
    if (!writtenNumber.empty() && table.Observer)
      table.Observer->EntryTextChanged(index, writtenNumber);
    return;
  }
  slot.assign(text);
  table.TableChanged = true;
  if (table.Observer) table.Observer->EntryTextChanged(index, writtenNumber);
}

void SetEntryLocked(FontTable& table, int index, bool locked) {
  if (!InRange(index)) return;
  bool& slot = table.EntryLocked.items_[static_cast<std::size_t>(index)];
  if (slot == locked) return;
  slot = locked;
  if (table.Observer) table.Observer->EntryLockChanged(index);
}

void AppendKeptLine(std::vector<std::string>& lines, std::string_view line) {
  if (lines.empty() || !lines.back().empty()) lines.emplace_back();
  lines.back().assign(line);
}

bool HasKeptLines(const std::vector<std::string>& lines) {
  return !lines.empty() && !lines.front().empty();
}

}  // namespace mojihyo
