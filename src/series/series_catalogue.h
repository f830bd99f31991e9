#pragma once

// The character series of the Insert menu: twelve packed series, each held
// as one text with its element count, the tables built from them at
// start-up, and which series each of the twenty series commands writes.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// A list of cell texts, written one per cell.
using SeriesTable = std::vector<std::string>;

enum class SeriesId {
  BasicRomaji,
  UglyBasicRomaji,
  BasicHiragana,
  BasicKatakana,
  ModifiedRomaji,
  UglyModifiedRomaji,
  ModifiedHiragana,
  ModifiedKatakana,
  ChisaiRomaji,
  ChisaiHiragana,
  ChisaiKatakana,
  CompleteModifiedKana,
};
inline constexpr std::size_t kSeriesCount = 12;

// N cells of W characters laid end to end; a cell shorter than W is padded
// with blanks, and the text may stop short of the last cell.
struct PackedSeries {
  std::string_view text;
  int width;
  int count;
  bool trimmed;  // romaji cells lose their padding blanks; kana cells are raw bytes
};

const PackedSeries& PackedSeriesOf(SeriesId id);

// Splits a packed series into its cells: cell k is the `width` characters
// from position k * width (fewer, or none, where the text ends), trimmed of
// blanks when the series says so.
SeriesTable UnpackSeries(const PackedSeries& packed);

using SeriesTables = std::array<SeriesTable, kSeriesCount>;

// All twelve tables, built once when the main window loads.
SeriesTables BuildSeriesTables();

// The series one Insert command writes.
struct SeriesCommand {
  std::string_view name;  // the menu item, e.g. "InsertBasicRomajiCaps"
  std::optional<SeriesId> table;  // none for the computed series
  bool upperCase = false;
};

// The twenty series commands, in menu order.
const std::vector<SeriesCommand>& SeriesCommands();

// The cells a command writes: its table, or the computed digits and letters.
SeriesTable SeriesFor(const SeriesCommand& command, const SeriesTables& tables);

}  // namespace mojihyo
