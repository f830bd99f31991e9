#include "entries16/import_values.h"

#include "core/lines.h"
#include "entries16/entry_line.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace mojihyo {

namespace {

bool ContainsEndMarker(std::string_view line) {
  constexpr std::string_view kMarker = "<end>";
  if (line.size() < kMarker.size()) return false;
  return std::search(line.begin(), line.end(), kMarker.begin(), kMarker.end(),
                     [](char a, char b) {
                       return std::tolower(static_cast<unsigned char>(a)) == b;
                     }) != line.end();
}

// The number four upper-case hex digits name; nothing for any other text.
std::optional<std::uint32_t> UpperHexNumber(std::string_view digits) {
  if (digits.size() != 4) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (d < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(d);
  }
  return value;
}

}  // namespace

std::vector<std::string> ReadScriptDumpValues(std::span<const std::string_view> lines) {
  std::vector<std::string> values;
  for (std::string_view line : lines) {
    if (ContainsEndMarker(line)) {
      line = line.substr(0, line.find_last_not_of(' ') + 1);
      line.remove_suffix(std::min<std::size_t>(5, line.size()));
    }
    if (!line.empty()) values.emplace_back(line);
  }
  return values;
}

std::vector<std::string> ReadThingyTableValues(std::span<const std::string_view> lines) {
  std::vector<std::string> values;
  for (std::string_view line : lines)
    if (line.size() >= 5 && line[4] == '=') values.emplace_back(line.substr(5));
  return values;
}

std::vector<std::string> ReadPlainTextValues(std::span<const std::string_view> lines) {
  std::vector<std::string> values;
  for (std::string_view line : lines)
    if (!line.empty()) values.emplace_back(line);
  return values;
}

std::vector<std::string> ReadImportValues(ImportSource source, std::string_view bytes) {
  const auto lines = SplitLines(bytes);
  switch (source) {
    case ImportSource::ScriptDump: return ReadScriptDumpValues(lines);
    case ImportSource::ThingyTable: return ReadThingyTableValues(lines);
    case ImportSource::PlainText: return ReadPlainTextValues(lines);
  }
  return {};
}

bool PlaceImportedValues(LineList& lines, const std::vector<ImportItem>& items,
                         std::uint32_t start, CollisionPolicy policy,
                         const std::function<void(std::size_t)>& progress) {
  // Only lines there before the import can hold a number, and only a line
  // whose number is four upper-case hex digits can equal one the import
  // makes. Index those once, by number: a chain of rows per number.
  const std::size_t before = lines.size();
  constexpr std::int32_t kNone = -1;
  std::vector<std::int32_t> firstRow, nextRow;
  if (policy != CollisionPolicy::KeepBoth) {
    firstRow.assign(0x10000, kNone);
    nextRow.assign(before, kNone);
    for (std::size_t row = before; row-- > 0;) {
      if (auto key = UpperHexNumber(EntryLineNumber(lines[row]))) {
        nextRow[row] = firstRow[*key];
        firstRow[*key] = static_cast<std::int32_t>(row);
      }
    }
  }
  std::vector<bool> removed(before, false);
  bool anyRemoved = false;
  LineList added;
  std::uint32_t n = start;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (progress) progress(i);
    if (!items[i].selected) continue;
    const std::uint32_t key = std::min<std::uint32_t>(n, 0xFFFF);
    ++n;
    if (policy != CollisionPolicy::KeepBoth && firstRow[key] != kNone) {
      if (policy == CollisionPolicy::Skip) continue;  // dropped; its number is used up
      for (std::int32_t row = firstRow[key]; row != kNone; row = nextRow[static_cast<std::size_t>(row)])
        removed[static_cast<std::size_t>(row)] = true;
      firstRow[key] = kNone;
      anyRemoved = true;
    }
    added.push_back_joined({EntryNumberText(key), "=", items[i].value});
  }
  if (anyRemoved) {
    LineList kept;
    kept.reserve(before + added.size(), lines.text_bytes() + added.text_bytes());
    for (std::size_t row = 0; row < before; ++row)
      if (!removed[row]) kept.push_back(lines[row]);
    lines = std::move(kept);
  }
  lines.append(added);
  return anyRemoved;
}

}  // namespace mojihyo
