#pragma once

// 16-bit entries as lines of text: four hex digits, "=", the value
// ("0400=Cecil"), and the operations of the list that holds them.

#include "core/line_list.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mojihyo {

// number (four hex digits) + "=" + value.
std::string MakeEntryLine(std::string_view number, std::string_view value);

// Whether a line is a 16-bit entry as the older table formats hold it: its
// fifth character is "=".
bool IsSixteenBitRow(std::string_view line);

// The number of a line: its first four characters. A TFS table's list also
// holds longer keys ("123456=x"); for a line whose fifth character is not
// "=", everything before its first "=".
std::string_view EntryLineNumber(std::string_view line);

// Everything after the number and its "="; empty when there is none.
std::string_view EntryLineValue(std::string_view line);

// The four-digit form of a typed entry number ("400h" -> "0400").
std::string EntryNumberText(std::string_view typed);

// The number a typed entry number names, 0000h-FFFFh ("400h" -> 0x400).
std::uint32_t EntryNumberValue(std::string_view typed);

// The four-digit form of a number 0000h-FFFFh.
std::string EntryNumberText(std::uint32_t number);

// Whether a line of `lines` holds `number`, compared character for
// character: a file line 04a0=x does not hold 04A0.
bool NumberInUse(const LineList& lines, std::string_view number);

// Exchanges a line with its neighbour above (below); returns the row then
// selected, or nothing when the line cannot move (top or bottom row, or no
// row selected).
std::optional<std::size_t> MoveEntryUp(LineList& lines, std::optional<std::size_t> selected);
std::optional<std::size_t> MoveEntryDown(LineList& lines, std::optional<std::size_t> selected);

// A run of entry numbers for Add Series, put in order by the numbers the two
// texts name (so "FFh" through "100h" runs FFh, 100h).
struct EntryRange {
  std::uint32_t first;
  std::uint32_t last;
  std::uint32_t count() const { return last - first + 1; }
};
EntryRange EntryRangeOf(std::string_view startText, std::string_view endText);

}  // namespace mojihyo
