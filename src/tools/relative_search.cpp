#include "tools/relative_search.h"

#include "core/font_table.h"
#include "core/hex_notation.h"
#include "entries16/entry_line.h"
#include "series/insert_series.h"

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace mojihyo {

namespace {

const SeriesCommand& CommandNamed(std::string_view name) {
  const std::vector<SeriesCommand>& commands = SeriesCommands();
  return *std::find_if(commands.begin(), commands.end(),
                       [&](const SeriesCommand& c) { return c.name == name; });
}

// Each character of every alphabet, as the series write it, to its
// alphabet and place.
const std::map<std::string, std::pair<Alphabet, int>, std::less<>>& CharacterPlaces() {
  static const auto places = [] {
    std::map<std::string, std::pair<Alphabet, int>, std::less<>> m;
    for (Alphabet a : kAlphabets) {
      const SeriesTable& series = AlphabetSeries(a);
      for (std::size_t k = 0; k < series.size(); ++k) m.emplace(series[k], std::pair{a, static_cast<int>(k)});
    }
    return m;
  }();
  return places;
}

// A character of a typed word: its bytes as the series write them, and as
// it was typed.
struct Character {
  std::string bytes;
  std::string_view typed;
};

// The characters of a word given in UTF-8: ASCII as it is, kana as their
// EUC-JP pair (the kana rows of JIS X 0208 follow Unicode's order code for
// code), anything else as typed. Nothing when the bytes are not UTF-8.
std::optional<std::vector<Character>> Utf8Characters(std::string_view s) {
  std::vector<Character> out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || i + n > s.size()) return std::nullopt;
    std::uint32_t cp = n == 1 ? b : b & (0x7Fu >> n);
    for (std::size_t k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      cp = cp << 6 | (c & 0x3F);
    }
    const std::string_view typed = s.substr(i, n);
    if (cp >= 0x3041 && cp <= 0x3093) {
      out.push_back({{'\xA4', static_cast<char>(0xA1 + (cp - 0x3041))}, typed});
    } else if (cp >= 0x30A1 && cp <= 0x30F6) {
      out.push_back({{'\xA5', static_cast<char>(0xA1 + (cp - 0x30A1))}, typed});
    } else {
      out.push_back({std::string(typed), typed});
    }
    i += n;
  }
  return out;
}

// The characters of a word given in EUC-JP: single bytes below 80h, pairs
// from there.
std::vector<Character> EucCharacters(std::string_view s) {
  std::vector<Character> out;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = static_cast<unsigned char>(s[i]) < 0x80 || i + 1 == s.size() ? 1 : 2;
    out.push_back({std::string(s.substr(i, n)), s.substr(i, n)});
    i += n;
  }
  return out;
}

template <int Width, bool Big>
std::uint32_t ValueAt(const unsigned char* d) {
  if constexpr (Width == 1) {
    return d[0];
  } else if constexpr (Big) {
    return static_cast<std::uint32_t>(d[0] << 8 | d[1]);
  } else {
    return static_cast<std::uint32_t>(d[1] << 8 | d[0]);
  }
}

std::uint32_t ValueAt(const unsigned char* d, int width, ByteOrder order) {
  if (width == 1) return d[0];
  return order == ByteOrder::BigEndian ? ValueAt<2, true>(d) : ValueAt<2, false>(d);
}

// Compares the differences from the first character only: a value that is
// not the first one's plus the right step ends the try, which for almost
// every offset happens at the second character.
template <int Width, bool Big>
void Scan(std::string_view data, const RelativeWord& word, std::vector<RelativeMatch>& out) {
  const std::size_t n = word.indexes.size();
  const std::size_t span = n * Width;
  if (data.size() < span) return;
  const auto* d = reinterpret_cast<const unsigned char*>(data.data());
  const std::uint32_t first = static_cast<std::uint32_t>(word.indexes[0]);
  std::vector<std::uint32_t> step(n);
  for (std::size_t k = 0; k < n; ++k)
    step[k] = static_cast<std::uint32_t>(word.indexes[k] - word.indexes[0]);  // wraps when negative
  const std::size_t last = data.size() - span;
  for (std::size_t p = 0; p <= last; ++p) {
    const std::uint32_t v0 = ValueAt<Width, Big>(d + p);
    if (ValueAt<Width, Big>(d + p + Width) - v0 != step[1]) continue;
    std::size_t k = 2;
    while (k < n && ValueAt<Width, Big>(d + p + k * Width) - v0 == step[k]) ++k;
    if (k == n && v0 >= first) out.push_back({p, v0 - first});
  }
}

}  // namespace

const SeriesCommand& AlphabetCommand(Alphabet alphabet) {
  switch (alphabet) {
    case Alphabet::Lowercase: return CommandNamed("InsertLowercase");
    case Alphabet::Capital: return CommandNamed("InsertCapital");
    case Alphabet::Digits: return CommandNamed("InsertNumbers");
    case Alphabet::Hiragana: return CommandNamed("InsertBasicHiraganaEUC");
    case Alphabet::Katakana: return CommandNamed("InsertBasicKatakanaEUC");
  }
  return CommandNamed("InsertLowercase");
}

const SeriesTable& AlphabetSeries(Alphabet alphabet) {
  static const std::array<SeriesTable, std::size(kAlphabets)> series = [] {
    const SeriesTables tables = BuildSeriesTables();
    std::array<SeriesTable, std::size(kAlphabets)> s;
    for (Alphabet a : kAlphabets) s[static_cast<std::size_t>(a)] = SeriesFor(AlphabetCommand(a), tables);
    return s;
  }();
  return series[static_cast<std::size_t>(alphabet)];
}

std::string_view AlphabetName(Alphabet alphabet) {
  constexpr std::string_view kNames[] = {"a-z", "A-Z", "0-9", "hiragana", "katakana"};
  return kNames[static_cast<std::size_t>(alphabet)];
}

WordReading ReadRelativeWord(std::string_view typed) {
  if (typed.empty()) return {std::nullopt, "the word is empty"};
  const std::optional<std::vector<Character>> utf8 = Utf8Characters(typed);
  const std::vector<Character> characters = utf8 ? *utf8 : EucCharacters(typed);
  auto quoted = [&](std::size_t k) { return "'" + std::string(characters[k].typed) + "'"; };
  RelativeWord word;
  const auto& places = CharacterPlaces();
  for (std::size_t k = 0; k < characters.size(); ++k) {
    const auto it = places.find(characters[k].bytes);
    if (it == places.end())
      return {std::nullopt, quoted(k) + std::string(kInNoAlphabet)};
    if (k == 0) word.alphabet = it->second.first;
    if (it->second.first != word.alphabet)
      return {std::nullopt, quoted(0) + " and " + quoted(k) + " are not in the same alphabet"};
    word.indexes.push_back(it->second.second);
  }
  if (std::all_of(word.indexes.begin(), word.indexes.end(),
                  [&](int i) { return i == word.indexes[0]; }))
    return {std::nullopt, "the word needs at least two different characters"};
  return {word, {}};
}

std::vector<RelativeMatch> RelativeSearch(std::string_view data, const RelativeWord& word, int width,
                                          ByteOrder order) {
  std::vector<RelativeMatch> out;
  if (word.indexes.size() < 2) return out;
  if (width == 1) {
    Scan<1, true>(data, word, out);
  } else if (order == ByteOrder::BigEndian) {
    Scan<2, true>(data, word, out);
  } else {
    Scan<2, false>(data, word, out);
  }
  return out;
}

std::string ImpliedText(std::string_view data, std::uint64_t from, std::uint64_t to,
                        Alphabet alphabet, int width, ByteOrder order, std::uint32_t base) {
  const SeriesTable& series = AlphabetSeries(alphabet);
  const auto* d = reinterpret_cast<const unsigned char*>(data.data());
  to = std::min<std::uint64_t>(to, data.size());
  std::string text;
  for (std::uint64_t p = from; p + static_cast<std::uint64_t>(width) <= to; p += static_cast<std::uint64_t>(width)) {
    const std::uint32_t v = ValueAt(d + p, width, order);
    text += v >= base && v - base < series.size() ? series[v - base] : ".";
  }
  return text;
}

void FillTableFromMatch(FontTable& table, Alphabet alphabet, int width, ByteOrder order,
                        std::uint32_t base) {
  const SeriesTable& series = AlphabetSeries(alphabet);
  if (width == 1) {
    InsertSeries(table, static_cast<int>(base), series, AlphabetCommand(alphabet).upperCase);
    return;
  }
  LineList& lines = table.SixteenBitEntries;
  // The first line of each number, as the decoder reads the list.
  std::unordered_map<std::uint32_t, std::size_t> lineOf;
  for (std::size_t i = lines.size(); i-- > 0;) {
    const std::string_view line = lines[i];
    if (line.size() >= 5 && line[4] == '=' &&
        line.substr(0, 4).find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos)
      lineOf[static_cast<std::uint32_t>(ReadHexNumber(line.substr(0, 4)).value)] = i;
  }
  bool changed = false;
  for (std::size_t k = 0; k < series.size() && base + k <= 0xFFFF; ++k) {
    const auto value = static_cast<std::uint32_t>(base + k);
    // The key is the two bytes as they stand in the file.
    const std::uint32_t number =
        order == ByteOrder::BigEndian ? value : ((value & 0xFF) << 8 | value >> 8);
    if (auto it = lineOf.find(number); it != lineOf.end()) {
      const std::string_view line = lines[it->second];
      if (EntryLineValue(line) == series[k]) continue;
      lines.set(it->second, MakeEntryLine(line.substr(0, 4), series[k]));
    } else {
      lines.push_back(MakeEntryLine(EntryNumberText(number), series[k]));
    }
    changed = true;
  }
  if (changed) table.TableChanged = true;
}

}  // namespace mojihyo
