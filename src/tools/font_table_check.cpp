#include "tools/font_table_check.h"

#include "formats/table_format.h"
#include "tfs/tfs_codes.h"
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
  // unnamed table they formed, which the fields show: no table of the
  // document is shown then, and each one is a place further on in the
  // table's own list.
  const std::size_t shown = SavedShownTable(t, doc).value_or(doc.tables().size());
  const std::size_t gone = t.Tfs ? t.Tfs->tables().size() - doc.tables().size() : 0;
  std::vector<std::optional<TfsFieldLines>> fields(doc.tables().size());
  for (const Finding& f : result.findings) {
    std::optional<EntryPlace> place;
    std::size_t table = t.CurrentLogicalTable;
    const std::size_t i = f.line - 1;
    if (f.line > 0 && f.line <= doc.lineCount()) {
      const std::size_t in = doc.tableOf(i);
      table = in + gone;
      if (!fields[in]) fields[in] = FieldLinesOf(doc, in);
      const TfsFieldLines& lines = *fields[in];
      const std::size_t width = doc.keyWidth(i);
      if (doc.kind(i) == TfsLineKind::Normal && width == 1) {
        place = EntryPlace{EntryKind::OneByte, static_cast<std::size_t>(OneByteKey(doc, i))};
      } else if (doc.kind(i) == TfsLineKind::Normal && width >= 2 && width <= kLongestRowKey) {
        // The shown table's list may be in another order than the file;
        // another table's list is made in file order when it is shown.
        if (in == shown) {
          place = RowPlace(doc, lines, i, t.SixteenBitEntries);
        } else {
          const auto at = std::find(lines.rows.begin(), lines.rows.end(), i);
          place = EntryPlace{EntryKind::SixteenBit, static_cast<std::size_t>(at - lines.rows.begin())};
        }
      } else if (IsCodeKind(doc.kind(i))) {
        const std::vector<std::size_t> codes = CodeLinesOf(doc, in);
        const auto at = std::find(codes.begin(), codes.end(), i);
        place = EntryPlace{EntryKind::Code, static_cast<std::size_t>(at - codes.begin())};
      }
    }
    result.places.push_back(place);
    result.tables.push_back(table);
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
    result.tables.push_back(0);
  }
  return result;
}

}  // namespace mojihyo
