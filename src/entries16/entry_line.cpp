#include "entries16/entry_line.h"

#include "core/hex_notation.h"

#include <utility>

namespace mojihyo {

std::string MakeEntryLine(std::string_view number, std::string_view value) {
  std::string line;
  line.reserve(number.size() + 1 + value.size());
  line.append(number).append("=").append(value);
  return line;
}

bool IsSixteenBitRow(std::string_view line) { return line.size() >= 5 && line[4] == '='; }

namespace {
// Where a line's value starts: after its fifth character, or after the
// first "=" of a longer key.
std::size_t ValueStart(std::string_view line) {
  if (line.size() < 5 || IsSixteenBitRow(line)) return 5;
  const std::size_t eq = line.find('=');
  return eq == std::string_view::npos ? 5 : eq + 1;
}
}  // namespace

std::string_view EntryLineNumber(std::string_view line) {
  return line.substr(0, ValueStart(line) - 1);
}

std::string_view EntryLineValue(std::string_view line) {
  const std::size_t at = ValueStart(line);
  return line.size() > at ? line.substr(at) : std::string_view();
}

std::string EntryNumberText(std::string_view typed) { return PadHex(typed, 4); }

std::uint32_t EntryNumberValue(std::string_view typed) {
  return static_cast<std::uint32_t>(ReadHexNumber(EntryNumberText(typed)).value);
}

std::string EntryNumberText(std::uint32_t number) {
  return HexByte(static_cast<int>(number >> 8 & 0xFF)) + HexByte(static_cast<int>(number & 0xFF));
}

bool NumberInUse(const LineList& lines, std::string_view number) {
  for (std::string_view line : lines)
    if (EntryLineNumber(line) == number) return true;
  return false;
}

std::optional<std::size_t> MoveEntryUp(LineList& lines, std::optional<std::size_t> selected) {
  if (!selected || *selected == 0 || *selected >= lines.size()) return std::nullopt;
  lines.swap_lines(*selected, *selected - 1);
  return *selected - 1;
}

std::optional<std::size_t> MoveEntryDown(LineList& lines, std::optional<std::size_t> selected) {
  if (!selected || *selected + 1 >= lines.size()) return std::nullopt;
  lines.swap_lines(*selected, *selected + 1);
  return *selected + 1;
}

EntryRange EntryRangeOf(std::string_view startText, std::string_view endText) {
  std::uint32_t first = EntryNumberValue(startText), last = EntryNumberValue(endText);
  if (first > last) std::swap(first, last);
  return {first, last};
}

}  // namespace mojihyo
