#include "tools/font_table_check.h"

#include "formats/table_format.h"
#include "tfs/tfs_table.h"
#include "tools/check_parts.h"

#include <algorithm>

namespace mojihyo {

namespace {

// The row of the 16-bit entry list that shows line `line`: the rows equal
// to it are matched in order, since the list may be ordered otherwise than
// the file.
std::optional<EntryPlace> RowPlace(const TfsDocument& doc, const TfsFieldLines& fields, std::size_t line,
                    const LineList& rows) {
  const std::string row = RowOf(doc, line);
  std::size_t before = 0;
  for (std::size_t other : fields.rows) {
    if (other == line) break;
    before += RowOf(doc, other) == row;
  }
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (rows[k] != row) continue;
    if (before-- == 0) return EntryPlace{EntryKind::SixteenBit, k};
  }
  return std::nullopt;
}

FontTableCheck CheckTfs(const FontTable& t, const CheckOptions& options) {
  FontTableCheck result;
  result.format = TableFormat::Tfs;
  const TfsDocument doc = SavedTfsDocument(t);
  result.findings = CheckTfsDocument(doc, options);
  // A save that empties the entries before the first "@" line ends the
  // unnamed table they formed; the named ones move up.
  std::size_t shown = t.Tfs ? t.CurrentLogicalTable : 0;
  if (t.Tfs && doc.tables().size() < t.Tfs->tables().size() && shown > 0)
    shown -= t.Tfs->tables().size() - doc.tables().size();
  const TfsFieldLines fields = FieldLinesOf(doc, std::min(shown, doc.tables().size() - 1));
  for (const Finding& f : result.findings) {
    std::optional<EntryPlace> place;
    const std::size_t i = f.line - 1;
    if (f.line > 0 && doc.tableOf(i) == shown && doc.kind(i) == TfsLineKind::Normal) {
      if (doc.keyWidth(i) == 1) {
        place = EntryPlace{EntryKind::OneByte, static_cast<std::size_t>(OneByteKey(doc, i))};
      } else if (doc.keyWidth(i) == 2) {
        place = RowPlace(doc, fields, i, t.SixteenBitEntries);
      }
    }
    result.places.push_back(place);
  }
  return result;
}

}  // namespace

FontTableCheck CheckFontTable(const FontTable& table, const CheckOptions& options) {
  const TableFormat format = table.Tfs ? TableFormat::Tfs : table.SaveFormat.value_or(TableFormat::MoJiHyo);
  if (format == TableFormat::Tfs) return CheckTfs(table, options);
  FontTableCheck result;
  result.format = format;
  std::vector<LineSlot> slots;
  check::CheckOlderFormat(format, SaveTableBytes(format, table), options, result.findings, &slots);
  check::SortByLine(result.findings);
  // The writers write the 16-bit entries in the list's order.
  std::vector<std::size_t> rowOfLine(slots.size(), 0);
  for (std::size_t i = 0, rows = 0; i < slots.size(); ++i) {
    rowOfLine[i] = rows;
    rows += slots[i].kind == SlotKind::SixteenBitEntry;
  }
  for (const Finding& f : result.findings) {
    std::optional<EntryPlace> place;
    if (f.line > 0 && f.line <= slots.size()) {
      const LineSlot slot = slots[f.line - 1];
      if (slot.kind == SlotKind::Entry) place = EntryPlace{EntryKind::OneByte, static_cast<std::size_t>(slot.index)};
      if (slot.kind == SlotKind::SixteenBitEntry) place = EntryPlace{EntryKind::SixteenBit, rowOfLine[f.line - 1]};
    }
    result.places.push_back(place);
  }
  return result;
}

}  // namespace mojihyo
