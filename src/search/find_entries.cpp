#include "search/find_entries.h"

#include "entries16/entry_line.h"
#include "tfs/tfs_codes.h"

#include <algorithm>
#include <memory>

namespace mojihyo {

namespace {

// How many bytes the character starting with byte `lead` takes.
std::size_t CharacterLength(unsigned char lead, CharacterBounds bounds) {
  switch (bounds) {
    case CharacterBounds::EucJp:
      if (lead == 0x8F) return 3;  // a JIS X 0212 character
      if (lead == 0x8E || (lead >= 0xA1 && lead <= 0xFE)) return 2;
      return 1;
    case CharacterBounds::ShiftJis:
      return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    case CharacterBounds::EveryByte:
    case CharacterBounds::Utf8:
      return 1;
  }
  return 1;
}

bool IsUtf8Continuation(unsigned char c) { return c >= 0x80 && c <= 0xBF; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void SearchScope::Add(EntryKind kind, std::size_t count, TextAt textAt) {
  lists_.push_back({kind, total_, count, std::move(textAt)});
  total_ += count;
}

std::size_t SearchScope::PositionOf(EntryPlace place) const {
  for (const List& list : lists_)
    if (list.kind == place.kind) return list.first + std::min(place.index, list.count);
  return 0;
}

EntryPlace SearchScope::PlaceAt(std::size_t position) const {
  for (const List& list : lists_)
    if (position < list.first + list.count) return {list.kind, position - list.first};
  if (lists_.empty()) return {};
  return {lists_.back().kind, lists_.back().count};
}

SearchScope TableSearchScope(const FontTable& table) {
  SearchScope scope;
  scope.Add(EntryKind::OneByte, kEntryCount,
            [&table](std::size_t i) -> std::string_view { return table.EntryText[static_cast<int>(i)]; });
  scope.Add(EntryKind::SixteenBit, table.SixteenBitEntries.size(),
            [&table](std::size_t i) { return EntryLineValue(table.SixteenBitEntries[i]); });
  if (table.Tfs) {
    auto codes = std::make_shared<const std::vector<std::string>>(TableCodes(table));
    scope.Add(EntryKind::Code, codes->size(),
              [codes](std::size_t i) -> std::string_view { return (*codes)[i]; });
  }
  return scope;
}

bool EntryMatches(std::string_view text, const FindQuery& query) {
  const std::string_view needle = query.bytes;
  if (query.wholeEntry) return text == needle;
  if (query.bounds == CharacterBounds::EveryByte) return text.find(needle) != std::string_view::npos;
  // Characters are walked from the start only as far as a candidate needs:
  // most entries hold no candidate at all.
  std::size_t boundary = 0;
  for (std::size_t at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) {
    if (query.bounds == CharacterBounds::Utf8) {
      if (at == text.size() || !IsUtf8Continuation(static_cast<unsigned char>(text[at]))) return true;
      continue;
    }
    while (boundary < at) boundary += CharacterLength(static_cast<unsigned char>(text[boundary]), query.bounds);
    if (boundary == at) return true;
  }
  return false;
}

std::size_t CountMatches(const SearchScope& scope, const FindQuery& query) {
  std::size_t count = 0;
  scope.ForEach([&](std::size_t, std::string_view text) { count += EntryMatches(text, query) ? 1 : 0; });
  return count;
}

std::optional<FindHit> FindEntry(const SearchScope& scope, const FindQuery& query, EntryPlace from,
                                 FindDirection direction, bool skipFrom) {
  const std::size_t start = scope.PositionOf(from);
  const bool forward = direction == FindDirection::Forward;
  struct Match {
    std::size_t position, number;
  };
  std::optional<Match> first, last, chosen;
  std::size_t count = 0;
  // One pass over everything: the match's number needs every match before
  // it counted, and the total every match.
  scope.ForEach([&](std::size_t position, std::string_view text) {
    if (!EntryMatches(text, query)) return;
    const Match m{position, ++count};
    if (!first) first = m;
    last = m;
    if (forward) {
      if (!chosen && (position > start || (position == start && !skipFrom))) chosen = m;
    } else if (position < start || (position == start && !skipFrom)) {
      chosen = m;
    }
  });
  if (count == 0) return std::nullopt;
  // Nothing on the way to the end (the start): wrap around.
  if (!chosen) chosen = forward ? first : last;
  return FindHit{scope.PlaceAt(chosen->position), chosen->number, count};
}

FindStart StartOfNextFind(const std::optional<LastFind>& last, int currentCell) {
  if (last && last->currentCell == currentCell) return {last->found, true};
  return {{EntryKind::OneByte, static_cast<std::size_t>(currentCell)}, false};
}

std::optional<std::string> ParseHexBytes(std::string_view typed) {
  std::string bytes;
  for (std::size_t i = 0; i < typed.size();) {
    if (typed[i] == ' ' || typed[i] == '\t') {
      ++i;
      continue;
    }
    const int high = HexDigitValue(typed[i]);
    const int low = i + 1 < typed.size() ? HexDigitValue(typed[i + 1]) : -1;
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high << 4 | low));
    i += 2;
  }
  return bytes;
}

}  // namespace mojihyo
