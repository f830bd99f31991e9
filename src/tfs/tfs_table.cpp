#include "tfs/tfs_table.h"

#include "core/hex_notation.h"
#include "core/lines.h"

#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace mojihyo {

namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
  if (c <= '9') return c - '0';
  return (c | 0x20) - 'a' + 10;
}

bool AllHex(std::string_view s) {
  for (char c : s) {
    if (!IsHexDigit(c)) return false;
  }
  return !s.empty();
}

// Whether a line's key is spelled as two hex digits a byte.
bool SpelledInWholeHex(const TfsDocument& doc, std::size_t line) {
  const std::string_view spelling = doc.keySpelling(line);
  return spelling.size() == 2 * doc.keyWidth(line) && AllHex(spelling);
}

// The key of a line as written when that is two hex digits a byte, else its
// bytes in upper-case hex.
std::string KeyAsHex(const TfsDocument& doc, std::size_t line) {
  if (SpelledInWholeHex(doc, line)) return std::string(doc.keySpelling(line));
  return HexSpelling(doc.key(line).bytes);
}

// The line with its text (after "=") replaced.
std::string WithText(const TfsDocument& doc, std::size_t line, std::string_view text) {
  const std::string_view old = doc.line(line);
  const std::string_view oldText = doc.text(line);
  std::string bytes(old.substr(0, doc.hasText(line) ? old.size() - oldText.size() : old.size()));
  if (!doc.hasText(line)) bytes.push_back('=');
  bytes.append(text);
  return bytes;
}

std::string WithKey(const TfsDocument& doc, std::size_t line, std::string_view spelling) {
  const std::string_view old = doc.line(line);
  const std::string_view key = doc.keySpelling(line);
  const std::size_t at = static_cast<std::size_t>(key.data() - old.data());
  std::string bytes(old.substr(0, at));
  bytes.append(spelling);
  bytes.append(old.substr(at + key.size()));
  return bytes;
}

void LoadFields(FontTable& t, std::size_t index) {
  const TfsDocument& doc = *t.Tfs;
  t.CurrentLogicalTable = index;
  const TfsFieldLines f = FieldLinesOf(doc, index);
  for (int i = 0; i < kEntryCount; ++i) {
    const std::size_t line = f.firstEntry[static_cast<std::size_t>(i)];
    if (line == kNoTfsLine) {
      SetEntryText(t, i, "");
    } else {
      const std::string_view spelling = doc.keySpelling(line);
      SetEntryText(t, i, doc.text(line),
                   spelling.size() == 2 && AllHex(spelling) ? spelling : HexByte(i));
    }
  }
  t.SixteenBitEntries.clear();
  std::size_t bytes = 0;
  for (std::size_t line : f.rows) bytes += doc.line(line).size();
  t.SixteenBitEntries.reserve(f.rows.size(), bytes + 4 * f.rows.size());
  for (std::size_t line : f.rows) {
    const std::string_view spelling = doc.keySpelling(line);
    if (SpelledInWholeHex(doc, line)) {
      // The line holds the key, "=" and the text in one piece.
      const std::string_view whole = doc.line(line);
      t.SixteenBitEntries.push_back(
          whole.substr(static_cast<std::size_t>(spelling.data() - whole.data())));
    } else {
      t.SixteenBitEntries.push_back(RowOf(doc, line));
    }
  }
  std::string* lineBreaks[] = {&t.LineBreakValue1, &t.LineBreakValue2};
  std::string* stringBreaks[] = {&t.StringBreakValue1, &t.StringBreakValue2};
  for (std::size_t k = 0; k < 2; ++k) {
    *lineBreaks[k] = k < f.newlines.size() ? BreakValueOf(doc, f.newlines[k]) : std::string();
    *stringBreaks[k] = k < f.endTokens.size() ? BreakValueOf(doc, f.endTokens[k]) : std::string();
  }
}

void SyncBreaks(const TfsDocument& doc, const std::vector<std::size_t>& lines,
                const std::string* values[2], std::string_view marker, TfsEdits& e) {
  for (std::size_t k = 0; k < 2; ++k) {
    const std::string& value = *values[k];
    if (k < lines.size()) {
      if (value.empty()) {
        e.removals.push_back(lines[k]);
      } else if (BreakValueOf(doc, lines[k]) != value) {
        e.rewrites.push_back({lines[k], WithKey(doc, lines[k], PadHex(value, 2))});
      }
    } else if (!value.empty()) {
      e.appends.push_back(std::string(marker) + PadHex(value, 2));
    }
  }
}

void SyncEntries(const TfsDocument& doc, const TfsFieldLines& f, const FontTable& t, TfsEdits& e) {
  for (int i = 0; i < kEntryCount; ++i) {
    const std::size_t first = f.firstEntry[static_cast<std::size_t>(i)];
    const std::string& text = t.EntryText[i];
    if (first == kNoTfsLine) {
      if (!text.empty()) e.appends.push_back(HexByte(i) + "=" + text);
    } else if (text.empty()) {
      // Later lines of the same key would otherwise show up in its place.
      if (!doc.text(first).empty()) {
        for (std::size_t line : f.entries) {
          if (OneByteKey(doc, line) == i) e.removals.push_back(line);
        }
      }
    } else if (doc.text(first) != text) {
      e.rewrites.push_back({first, WithText(doc, first, text)});
    }
  }
}

void MatchRows(const TfsDocument& doc, const std::vector<std::size_t>& oldLines,
               const LineList& rows, TfsEdits& e);

// memcmp for the short texts of table lines, without a library call.
bool SameBytes(const char* a, const char* b, std::size_t n) {
  for (; n >= 8; n -= 8, a += 8, b += 8) {
    std::uint64_t x, y;
    std::memcpy(&x, a, 8);
    std::memcpy(&y, b, 8);
    if (x != y) return false;
  }
  for (; n > 0; --n) {
    if (*a++ != *b++) return false;
  }
  return true;
}

// Whether a 16-bit entry line is what a line of the file shows, compared
// piece by piece so that the common case costs no string.
bool RowIs(const TfsDocument& doc, std::size_t line, std::string_view row) {
  const std::string_view spelling = doc.keySpelling(line);
  const std::string_view text = doc.text(line);
  // Four characters spelling a two-byte key can only be hex digits.
  if (spelling.size() == 4)
    return row.size() == 5 + text.size() && row[0] == spelling[0] && row[1] == spelling[1] &&
           row[2] == spelling[2] && row[3] == spelling[3] && row[4] == '=' &&
           SameBytes(row.data() + 5, text.data(), text.size());
  return row == RowOf(doc, line);
}

// The key bytes of a 16-bit entry line when what stands before its "=" is
// hex digits.
std::optional<std::string> RowKey(std::string_view row) {
  const std::size_t eq = row.find('=');
  if (eq == std::string_view::npos || !AllHex(row.substr(0, eq))) return std::nullopt;
  return DecodeTfsKey(row.substr(0, eq)).bytes;
}

void SyncRows(const TfsDocument& doc, const TfsFieldLines& f, const LineList& rows, TfsEdits& e) {
  // Most saves change a few lines or none: what is equal at both ends in
  // order needs no matching.
  const std::size_t n = f.rows.size(), m = rows.size();
  std::size_t head = 0, tail = 0;
  while (head < n && head < m && RowIs(doc, f.rows[head], rows[head])) ++head;
  while (tail < n - head && tail < m - head && RowIs(doc, f.rows[n - 1 - tail], rows[m - 1 - tail]))
    ++tail;
  if (head == n && head == m) return;
  const std::vector<std::size_t> oldLines(f.rows.begin() + static_cast<std::ptrdiff_t>(head),
                                          f.rows.end() - static_cast<std::ptrdiff_t>(tail));
  LineList newRows;
  for (std::size_t j = head; j < m - tail; ++j) newRows.push_back(rows[j]);
  MatchRows(doc, oldLines, newRows, e);
}

void MatchRows(const TfsDocument& doc, const std::vector<std::size_t>& oldLines,
               const LineList& rows, TfsEdits& e) {
  std::vector<std::string> old;
  old.reserve(oldLines.size());
  for (std::size_t line : oldLines) old.push_back(RowOf(doc, line));
  // Identical lines first, each old line used once.
  std::unordered_map<std::string_view, std::vector<std::size_t>> byText;
  for (std::size_t k = old.size(); k-- > 0;) byText[old[k]].push_back(k);
  std::vector<bool> oldUsed(old.size(), false), newUsed(rows.size(), false);
  for (std::size_t j = 0; j < rows.size(); ++j) {
    auto it = byText.find(rows[j]);
    if (it == byText.end() || it->second.empty()) continue;
    oldUsed[it->second.back()] = newUsed[j] = true;
    it->second.pop_back();
  }
  // Then the same key: an edited entry keeps its place.
  std::unordered_map<std::string, std::vector<std::size_t>> byKey;
  for (std::size_t k = old.size(); k-- > 0;) {
    if (!oldUsed[k]) byKey[doc.key(oldLines[k]).bytes].push_back(k);
  }
  for (std::size_t j = 0; j < rows.size(); ++j) {
    if (newUsed[j]) continue;
    const std::optional<std::string> key = RowKey(rows[j]);
    auto it = key ? byKey.find(*key) : byKey.end();
    if (it != byKey.end() && !it->second.empty()) {
      const std::size_t k = it->second.back();
      it->second.pop_back();
      oldUsed[k] = newUsed[j] = true;
      const std::string_view row = rows[j];
      e.rewrites.push_back(
          {oldLines[k], WithText(doc, oldLines[k], row.substr(row.find('=') + 1))});
    }
  }
  // What is left on both sides is an entry whose key changed, or one that
  // went and another that came: each new one takes the place of an old one,
  // in order, so that an entry given another key is not moved to the end
  // of the table. The line keeps what stands before its key.
  std::size_t k = 0;
  for (std::size_t j = 0; j < rows.size(); ++j) {
    if (newUsed[j]) continue;
    while (k < old.size() && oldUsed[k]) ++k;
    if (k == old.size()) {
      e.appends.emplace_back(rows[j]);
      continue;
    }
    const std::string_view line = doc.line(oldLines[k]);
    const std::string_view key = doc.keySpelling(oldLines[k]);
    std::string bytes(line.substr(0, static_cast<std::size_t>(key.data() - line.data())));
    bytes.append(rows[j]);
    e.rewrites.push_back({oldLines[k], std::move(bytes)});
    oldUsed[k] = true;
  }
  for (k = 0; k < old.size(); ++k) {
    if (!oldUsed[k]) e.removals.push_back(oldLines[k]);
  }
}

}  // namespace

int OneByteKey(const TfsDocument& doc, std::size_t line) {
  if (doc.keyWidth(line) != 1) return -1;
  const std::string_view spelling = doc.keySpelling(line);
  int value = 0;
  if (spelling[0] == '%') {
    for (char c : spelling.substr(1)) value = value << 1 | (c == '1');
  } else {
    for (char c : spelling) value = value << 4 | HexValue(c);
  }
  return value;
}

std::string RowOf(const TfsDocument& doc, std::size_t line) {
  std::string row = KeyAsHex(doc, line);
  row.push_back('=');
  row.append(doc.text(line));
  return row;
}

std::string BreakValueOf(const TfsDocument& doc, std::size_t line) {
  return KeyAsHex(doc, line) + "h";
}

TfsFieldLines FieldLinesOf(const TfsDocument& doc, std::size_t logicalTable) {
  TfsFieldLines f;
  f.firstEntry.fill(kNoTfsLine);
  const TfsTable& table = doc.tables()[logicalTable];
  f.rows.reserve(table.end - table.first);
  for (std::size_t i = table.first; i < table.end; ++i) {
    const TfsLineKind kind = doc.kind(i);
    if (kind == TfsLineKind::Normal) {
      const std::size_t width = doc.keyWidth(i);
      if (width == 1) {
        const int key = OneByteKey(doc, i);
        auto& first = f.firstEntry[static_cast<std::size_t>(key)];
        if (first == kNoTfsLine) first = i;
        f.entries.push_back(i);
      } else if (width >= 2 && width <= kLongestRowKey) {
        f.rows.push_back(i);
      }
    } else if ((kind == TfsLineKind::EndToken || kind == TfsLineKind::Newline) &&
               OneByteKey(doc, i) >= 0) {
      auto& list = kind == TfsLineKind::EndToken ? f.endTokens : f.newlines;
      if (list.size() < 2) list.push_back(i);
    }
  }
  return f;
}

void ShowLogicalTable(FontTable& table, std::size_t index) {
  if (!table.Tfs || index >= table.Tfs->tables().size()) return;
  LoadFields(table, index);
}

void ReadTfsTable(std::string bytes, FontTable& table) {
  table.Tfs = std::make_shared<const TfsDocument>(std::move(bytes));
  LoadFields(table, 0);
}

void SwitchLogicalTable(FontTable& table, std::size_t index) {
  if (!table.Tfs || index >= table.Tfs->tables().size()) return;
  const TfsEdits edits = FieldEdits(*table.Tfs, table.CurrentLogicalTable, table);
  if (!edits.empty()) {
    const std::size_t before = table.Tfs->tables().size();
    auto doc = std::make_shared<TfsDocument>(*table.Tfs);
    doc->Apply(edits);
    // Emptying the entries before the first "@" line ends the unnamed table
    // they formed; the named ones move up.
    const std::size_t after = doc->tables().size();
    if (after < before && index > 0) index -= before - after;
    table.Tfs = std::move(doc);
  }
  // Showing another part of the same file changes nothing in it.
  const bool changed = table.TableChanged;
  LoadFields(table, index);
  table.TableChanged = changed;
}

TfsEdits FieldEdits(const TfsDocument& doc, std::size_t logicalTable, const FontTable& t) {
  TfsEdits e;
  e.table = logicalTable;
  const TfsFieldLines f = FieldLinesOf(doc, logicalTable);
  const std::string* lineBreaks[] = {&t.LineBreakValue1, &t.LineBreakValue2};
  const std::string* stringBreaks[] = {&t.StringBreakValue1, &t.StringBreakValue2};
  SyncBreaks(doc, f.newlines, lineBreaks, "*", e);
  SyncBreaks(doc, f.endTokens, stringBreaks, "/", e);
  SyncEntries(doc, f, t, e);
  SyncRows(doc, f, t.SixteenBitEntries, e);
  return e;
}

void WriteNewTfsTable(const FontTable& t, ByteSink& out) {
  const auto line = [&](std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) out.Write(piece);
    out.Write("\n");
  };
  for (const std::string* value : {&t.LineBreakValue1, &t.LineBreakValue2})
    if (!value->empty()) line({"*", PadHex(*value, 2)});
  for (const std::string* value : {&t.StringBreakValue1, &t.StringBreakValue2})
    if (!value->empty()) line({"/", PadHex(*value, 2)});
  for (int i = 0; i < kEntryCount; ++i)
    if (!t.EntryText[i].empty()) line({HexByte(i), "=", t.EntryText[i]});
  for (std::string_view row : t.SixteenBitEntries) line({row});
  for (const auto* kept : {&t.DollarLines, &t.BookmarkLines, &t.ScriptDumpLines}) {
    if (!HasKeptLines(*kept)) continue;
    for (const std::string& l : *kept) line({l});
  }
}

TfsDocument SavedTfsDocument(const FontTable& table) {
  if (table.Tfs) {
    TfsDocument doc = *table.Tfs;
    doc.Apply(FieldEdits(doc, table.CurrentLogicalTable, table));
    return doc;
  }
  std::string bytes;
  StringSink sink(bytes);
  WriteNewTfsTable(table, sink);
  return TfsDocument(std::move(bytes));
}

std::optional<std::size_t> SavedShownTable(const FontTable& table, const TfsDocument& saved) {
  if (!table.Tfs) return 0;
  // Only the shown table changes, and only an unnamed one can end.
  if (saved.tables().size() < table.Tfs->tables().size()) return std::nullopt;
  return table.CurrentLogicalTable;
}

std::string WriteTfsTable(const FontTable& table) {
  if (!table.Tfs) {
    std::string bytes;
    StringSink sink(bytes);
    WriteNewTfsTable(table, sink);
    return bytes;
  }
  const TfsEdits e = FieldEdits(*table.Tfs, table.CurrentLogicalTable, table);
  if (e.empty()) return table.Tfs->Serialize();
  TfsDocument doc = *table.Tfs;
  doc.Apply(e);
  return doc.Serialize();
}

}  // namespace mojihyo
