#include "search/go_to_entry.h"

#include "core/hex_notation.h"
#include "entries16/entry_line.h"

namespace mojihyo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether the value boxes' reading finds a number in `text` rather than
// taking it as 0 for want of one: a hex digit before a closing "h", or a
// decimal digit, on its own or after a full stop.
bool HoldsNumber(std::string_view text) {
  if (text.back() == 'h') return text.size() > 1 && IsHexDigit(text.front());
  if (text.front() == '.') text.remove_prefix(1);
  return !text.empty() && IsDigit(text.front());
}

// The number of a 16-bit entry line, read from its four hex digits.
std::optional<std::uint64_t> LineNumber(std::string_view line) {
  const std::string_view digits = EntryLineNumber(line);
  if (digits.size() != 4) return std::nullopt;
  for (char c : digits)
    if (!IsHexDigit(c)) return std::nullopt;
  return ReadHexNumber(digits).value;
}

}  // namespace

GoToResult GoToEntry(const FontTable& table, std::string_view typed) {
  const std::string_view text = Trimmed(typed);
  GoToResult result;
  if (text.empty()) {
    result.problem = GoToProblem::NothingTyped;
    return result;
  }
  if (!HoldsNumber(text)) {
    result.problem = GoToProblem::NotANumber;
    return result;
  }
  const ReadNumber read = ReadValueNumber(text);
  result.number = read.value;
  result.tooLarge = read.tooLarge;
  if (!read.tooLarge && read.value < kEntryCount) {
    result.place = EntryPlace{EntryKind::OneByte, static_cast<std::size_t>(read.value)};
    return result;
  }
  const LineList& lines = table.SixteenBitEntries;
  for (std::size_t row = 0; !read.tooLarge && row < lines.size(); ++row) {
    if (LineNumber(lines[row]) == read.value) {
      result.place = EntryPlace{EntryKind::SixteenBit, row};
      return result;
    }
  }
  result.problem = GoToProblem::NotPresent;
  return result;
}

}  // namespace mojihyo
