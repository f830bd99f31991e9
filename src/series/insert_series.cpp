#include "series/insert_series.h"

#include "core/hex_notation.h"

#include <algorithm>
#include <string>

namespace mojihyo {

namespace {
std::string UpperCased(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}
}  // namespace

void InsertSeries(FontTable& table, int start, const SeriesTable& series, bool upperCase) {
  for (std::size_t k = 0; k < series.size(); ++k) {
    const int i = start + static_cast<int>(k);
    if (i > kEntryCount - 1) return;
    if (i < 0 || table.EntryLocked[i]) continue;
    SetEntryText(table, i, upperCase ? UpperCased(series[k]) : series[k]);
  }
}

int ParseRepetitions(std::string_view text) {
  constexpr std::uint64_t kLargest = 32767;
  const ReadNumber n = ReadValueNumber(text);
  if (n.tooLarge || n.value > kLargest) return static_cast<int>(kLargest);
  return static_cast<int>(n.value);
}

void InsertRepeated(FontTable& table, int start, int count, std::string_view value) {
  if (count <= 0) return;
  const long long last = static_cast<long long>(start) + count - 1;
  for (int i = std::max(start, 0); i <= last && i < kEntryCount; ++i) SetEntryText(table, i, value);
}

}  // namespace mojihyo
