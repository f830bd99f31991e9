#pragma once

// Small rules the table readers and writers share.

#include "core/font_table.h"
#include "core/hex_notation.h"
#include "core/lines.h"

#include <string>
#include <string_view>
#include <vector>

namespace mojihyo::line_rules {

// Leading spaces are dropped before a line is classified (tabs are not), and
// so are UTF-8 byte order marks among them: files joined from several saved
// by text editors carry one at the start of each join. A stored line then
// never starts with either, so no written file can start with a mark that a
// later read would drop.
inline std::string_view StripLineStart(std::string_view line) {
  for (;;) {
    if (line.starts_with(' ')) {
      line.remove_prefix(1);
    } else if (line.starts_with(kUtf8Bom)) {
      line.remove_prefix(kUtf8Bom.size());
    } else {
      return line;
    }
  }
}

// Character `n` (1-based) of the line, or NUL when the line is shorter.
inline char CharAt(std::string_view line, std::size_t n) {
  return n <= line.size() ? line[n - 1] : '\0';
}

// A control value as the file holds it: the two characters from position
// `from` (1-based; fewer when the line is shorter) with "h" appended.
inline std::string MarkedValue(std::string_view line, std::size_t from) {
  std::string value(from <= line.size() ? line.substr(from - 1, 2) : std::string_view());
  value.push_back('h');
  return value;
}

// An entry number written as two characters from position `from`, read as
// hex; a pair without a leading hex digit is 00h.
inline int EntryNumber(std::string_view line, std::size_t from) {
  std::string_view pair = from <= line.size() ? line.substr(from - 1, 2) : std::string_view();
  return static_cast<int>(ReadHexNumber(pair).value);
}

// The writers put their lines into a LineList, or straight into a file
// through a LineSink; both take the same calls.

// Room for every line a writer may produce, so that a large table is
// written without the buffer growing under it.
template <typename Out>
void ReserveForWriting(const FontTable& t, Out& out) {
  std::size_t lines = t.SixteenBitEntries.size() + 2 * kEntryCount + 16;
  std::size_t bytes = t.SixteenBitEntries.text_bytes() + 6 * kEntryCount + 64;
  for (const std::string& text : t.EntryText) bytes += text.size();
  for (const auto* kept : {&t.BookmarkLines, &t.ScriptDumpLines, &t.DollarLines}) {
    lines += 2 * kept->size();
    for (const std::string& line : *kept) bytes += line.size();
  }
  out.reserve(lines, bytes);
}

// A control value line: the marker and the value as two hex digits; nothing
// when the value is empty.
template <typename Out>
void WriteMarkedValue(std::string_view marker, const std::string& value, Out& out) {
  if (!value.empty()) out.push_back_joined({marker, PadHex(value, 2)});
}

// One line for each entry that has a text, in ascending order.
template <typename Out>
void WriteEntryLines(const FontTable& t, Out& out) {
  for (int i = 0; i < kEntryCount; ++i) {
    if (!t.EntryText[i].empty()) out.push_back_joined({HexByte(i), "=", t.EntryText[i]});
  }
}

}  // namespace mojihyo::line_rules
