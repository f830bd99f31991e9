#include "core/font_table.h"

#include "tfs/tfs_document.h"

namespace mojihyo {

namespace {
bool InRange(int index) { return index >= 0 && index < kEntryCount; }
}  // namespace

bool FontTable::operator==(const FontTable& o) const {
  return EntryText == o.EntryText && EntryLocked == o.EntryLocked &&
         FileTextForm == o.FileTextForm &&
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

namespace {

// The change rule for one entry; `store` puts the new text in the slot.
template <typename Store>
void ChangeEntryText(FontTable& table, int index, std::string& slot, std::string_view text,
                     std::string_view writtenNumber, Store store) {
  if (slot == text) {
    if (!writtenNumber.empty() && table.Observer)
      table.Observer->EntryTextChanged(index, writtenNumber);
    return;
  }
  store();
  table.TableChanged = true;
  if (table.Observer) table.Observer->EntryTextChanged(index, writtenNumber);
}

}  // namespace

void SetEntryText(FontTable& table, int index, std::string_view text,
                  std::string_view writtenNumber) {
  if (!InRange(index)) return;
  std::string& slot = table.EntryText.items_[static_cast<std::size_t>(index)];
  ChangeEntryText(table, index, slot, text, writtenNumber, [&] { slot.assign(text); });
}

void TakeTableContent(FontTable& t, FontTable&& loaded,
                      const std::array<std::string, kEntryCount>& writtenNumbers) {
  for (std::string FontTable::*value :
       {&FontTable::LineBreakValue1, &FontTable::LineBreakValue2, &FontTable::StringBreakValue1,
        &FontTable::StringBreakValue2, &FontTable::SectionBreakValue, &FontTable::DakutenValue,
        &FontTable::HandakutenValue})
    t.*value = std::move(loaded.*value);
  t.ReverseOrder = loaded.ReverseOrder;
  t.OmitSymbols = loaded.OmitSymbols;
  t.BookmarkLines = std::move(loaded.BookmarkLines);
  t.ScriptDumpLines = std::move(loaded.ScriptDumpLines);
  t.DollarLines = std::move(loaded.DollarLines);
  t.SixteenBitEntries = std::move(loaded.SixteenBitEntries);
  t.FileTextForm = loaded.FileTextForm;
  t.Tfs = std::move(loaded.Tfs);
  t.CurrentLogicalTable = loaded.CurrentLogicalTable;
  for (int i = 0; i < kEntryCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    std::string& slot = t.EntryText.items_[at];
    std::string& text = loaded.EntryText.items_[at];
    ChangeEntryText(t, i, slot, text, writtenNumbers[at], [&] { slot.swap(text); });
    SetEntryLocked(t, i, loaded.EntryLocked[i]);
  }
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
