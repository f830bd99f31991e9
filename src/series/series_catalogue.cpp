#include "series/series_catalogue.h"

#include <algorithm>

namespace mojihyo {

namespace {

// Romaji: three characters a cell. The basic text ends with one extra blank
// after its last cell; the dakuten/handakuten text leaves its last cell
// unpadded.
constexpr std::string_view kBasicRomaji =
    "a  i  u  e  o  ka ki ku ke ko sa shisu se so ta chitsute to na ni nu ne no ha hi fu he ho "
    "ma mi mu me mo ya yu yo ra ri ru re ro wa wo n   ";
constexpr std::string_view kModifiedRomaji =
    "ga gi gu ge go za ji zu ze zo da djidu de do ba bi bu be bo pa pi pu pe po";
constexpr std::string_view kChisaiRomaji = "xa xi xu xe xo tt xyaxyuxyoxwaxkaxke";

// "Ugly" romaji: two characters a cell, a one-letter syllable with an
// apostrophe.
constexpr std::string_view kUglyBasicRomaji =
    "a'i'u'e'o'kakikukekosasisusesotatitutetonaninunenohahifuhehomamimumemoyayuyorarirurerowawon'";
constexpr std::string_view kUglyModifiedRomaji = "gagigugegozajizuzezodadjdudedobabibubebopapipupepo";

// Kana: the two bytes of each EUC-JP code, lead byte first (A4h hiragana,
// A5h katakana).
constexpr std::string_view kBasicHiragana =
    "\xA4\xA2\xA4\xA4\xA4\xA6\xA4\xA8\xA4\xAA\xA4\xAB\xA4\xAD\xA4\xAF\xA4\xB1\xA4\xB3\xA4\xB5\xA4\xB7"
    "\xA4\xB9\xA4\xBB\xA4\xBD\xA4\xBF\xA4\xC1\xA4\xC4\xA4\xC6\xA4\xC8\xA4\xCA\xA4\xCB\xA4\xCC\xA4\xCD"
    "\xA4\xCE\xA4\xCF\xA4\xD2\xA4\xD5\xA4\xD8\xA4\xDB\xA4\xDE\xA4\xDF\xA4\xE0\xA4\xE1\xA4\xE2\xA4\xE4"
    "\xA4\xE6\xA4\xE8\xA4\xE9\xA4\xEA\xA4\xEB\xA4\xEC\xA4\xED\xA4\xEF\xA4\xF2\xA4\xF3";
constexpr std::string_view kModifiedHiragana =
    "\xA4\xAC\xA4\xAE\xA4\xB0\xA4\xB2\xA4\xB4\xA4\xB6\xA4\xB8\xA4\xBA\xA4\xBC\xA4\xBE\xA4\xC0\xA4\xC2"
    "\xA4\xC5\xA4\xC7\xA4\xC9\xA4\xD0\xA4\xD3\xA4\xD6\xA4\xD9\xA4\xDC\xA4\xD1\xA4\xD4\xA4\xD7\xA4\xDA"
    "\xA4\xDD";
// The hiragana row has no small ka and ke: the katakana ones end it.
constexpr std::string_view kChisaiHiragana =
    "\xA4\xA1\xA4\xA3\xA4\xA5\xA4\xA7\xA4\xA9\xA4\xC3\xA4\xE3\xA4\xE5\xA4\xE7\xA4\xEE\xA5\xF5\xA5\xF6";
constexpr std::string_view kBasicKatakana =
    "\xA5\xA2\xA5\xA4\xA5\xA6\xA5\xA8\xA5\xAA\xA5\xAB\xA5\xAD\xA5\xAF\xA5\xB1\xA5\xB3\xA5\xB5\xA5\xB7"
    "\xA5\xB9\xA5\xBB\xA5\xBD\xA5\xBF\xA5\xC1\xA5\xC4\xA5\xC6\xA5\xC8\xA5\xCA\xA5\xCB\xA5\xCC\xA5\xCD"
    "\xA5\xCE\xA5\xCF\xA5\xD2\xA5\xD5\xA5\xD8\xA5\xDB\xA5\xDE\xA5\xDF\xA5\xE0\xA5\xE1\xA5\xE2\xA5\xE4"
    "\xA5\xE6\xA5\xE8\xA5\xE9\xA5\xEA\xA5\xEB\xA5\xEC\xA5\xED\xA5\xEF\xA5\xF2\xA5\xF3";
constexpr std::string_view kModifiedKatakana =
    "\xA5\xAC\xA5\xAE\xA5\xB0\xA5\xB2\xA5\xB4\xA5\xB6\xA5\xB8\xA5\xBA\xA5\xBC\xA5\xBE\xA5\xC0\xA5\xC2"
    "\xA5\xC5\xA5\xC7\xA5\xC9\xA5\xD0\xA5\xD3\xA5\xD6\xA5\xD9\xA5\xDC\xA5\xD1\xA5\xD4\xA5\xD7\xA5\xDA"
    "\xA5\xDD";
constexpr std::string_view kChisaiKatakana =
    "\xA5\xA1\xA5\xA3\xA5\xA5\xA5\xA7\xA5\xA9\xA5\xC3\xA5\xE3\xA5\xE5\xA5\xE7\xA5\xEE\xA5\xF5\xA5\xF6";
// Dakuten hiragana, dakuten katakana, handakuten hiragana, handakuten katakana.
constexpr std::string_view kCompleteModifiedKana =
    "\xA4\xAC\xA4\xAE\xA4\xB0\xA4\xB2\xA4\xB4\xA4\xB6\xA4\xB8\xA4\xBA\xA4\xBC\xA4\xBE\xA4\xC0\xA4\xC2"
    "\xA4\xC5\xA4\xC7\xA4\xC9\xA4\xD0\xA4\xD3\xA4\xD6\xA4\xD9\xA4\xDC\xA5\xAC\xA5\xAE\xA5\xB0\xA5\xB2"
    "\xA5\xB4\xA5\xB6\xA5\xB8\xA5\xBA\xA5\xBC\xA5\xBE\xA5\xC0\xA5\xC2\xA5\xC5\xA5\xC7\xA5\xC9\xA5\xD0"
    "\xA5\xD3\xA5\xD6\xA5\xD9\xA5\xDC\xA4\xD1\xA4\xD4\xA4\xD7\xA4\xDA\xA4\xDD\xA5\xD1\xA5\xD4\xA5\xD7"
    "\xA5\xDA\xA5\xDD";

// In SeriesId order.
const std::array<PackedSeries, kSeriesCount> kPacked = {{
    {kBasicRomaji, 3, 46, true},
    {kUglyBasicRomaji, 2, 46, true},
    {kBasicHiragana, 2, 46, false},
    {kBasicKatakana, 2, 46, false},
    {kModifiedRomaji, 3, 25, true},
    {kUglyModifiedRomaji, 2, 25, true},
    {kModifiedHiragana, 2, 25, false},
    {kModifiedKatakana, 2, 25, false},
    {kChisaiRomaji, 3, 12, true},
    {kChisaiHiragana, 2, 12, false},
    {kChisaiKatakana, 2, 12, false},
    {kCompleteModifiedKana, 2, 50, false},
}};

std::string_view TrimBlanks(std::string_view s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

SeriesTable Range(char first, char last) {
  SeriesTable cells;
  for (char c = first; c <= last; ++c) cells.emplace_back(1, c);
  return cells;
}

}  // namespace

const PackedSeries& PackedSeriesOf(SeriesId id) { return kPacked[static_cast<std::size_t>(id)]; }

SeriesTable UnpackSeries(const PackedSeries& packed) {
  SeriesTable cells;
  const auto width = static_cast<std::size_t>(packed.width);
  for (std::size_t k = 0; k < static_cast<std::size_t>(packed.count); ++k) {
    const std::size_t at = std::min(k * width, packed.text.size());
    std::string_view cell = packed.text.substr(at, width);
    cells.emplace_back(packed.trimmed ? TrimBlanks(cell) : cell);
  }
  return cells;
}

SeriesTables BuildSeriesTables() {
  SeriesTables tables;
  for (std::size_t i = 0; i < kSeriesCount; ++i) tables[i] = UnpackSeries(kPacked[i]);
  return tables;
}

const std::vector<SeriesCommand>& SeriesCommands() {
  using enum SeriesId;
  static const std::vector<SeriesCommand> commands = {
      {"InsertNumbers", std::nullopt},
      {"InsertCapital", std::nullopt},
      {"InsertLowercase", std::nullopt},
      {"InsertBasicRomajiCaps", BasicRomaji, true},
      {"InsertBasicRomaji", BasicRomaji},
      {"InsertModifiedRomajiCaps", ModifiedRomaji, true},
      {"InsertModifiedRomaji", ModifiedRomaji},
      {"InsertChisaiRomajiCaps", ChisaiRomaji, true},
      {"InsertChisaiRomaji", ChisaiRomaji},
      {"InsertUglyBasicRomajiCaps", UglyBasicRomaji, true},
      {"InsertUglyBasicRomaji", UglyBasicRomaji},
      {"InsertUglyModifiedRomajiCaps", UglyModifiedRomaji, true},
      {"InsertUglyModifiedRomaji", UglyModifiedRomaji},
      {"InsertBasicHiraganaEUC", BasicHiragana},
      {"InsertModifiedHiraganaEUC", ModifiedHiragana},
      {"InsertChisaiHiraganaEUC", ChisaiHiragana},
      {"InsertBasicKatakanaEUC", BasicKatakana},
      {"InsertModifiedKatakanaEUC", ModifiedKatakana},
      {"InsertChisaiKatakanaEUC", ChisaiKatakana},
      {"InsertCompleteModifiedKanaEUC", CompleteModifiedKana},
  };
  return commands;
}

SeriesTable SeriesFor(const SeriesCommand& command, const SeriesTables& tables) {
  if (command.table) return tables[static_cast<std::size_t>(*command.table)];
  if (command.name == "InsertNumbers") return Range('0', '9');
  if (command.name == "InsertCapital") return Range('A', 'Z');
  return Range('a', 'z');
}

}  // namespace mojihyo
