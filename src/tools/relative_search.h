#pragma once

// Relative search: finding where a game keeps its alphabet from a word the
// game shows. Games store letters in alphabet order more often than not,
// so the differences between the letters of "princess" are the differences
// between their codes, wherever the alphabet starts. A match is an offset
// where every letter's value, less its place in the alphabet, gives the
// same number: the code of the alphabet's first letter.

#include "series/series_catalogue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

struct FontTable;

// The alphabets a word may be written in, each in the order of its Insert
// menu series: a-z, A-Z, 0-9, and the basic hiragana and katakana
// (a i u e o ... wo n).
enum class Alphabet { Lowercase, Capital, Digits, Hiragana, Katakana };
inline constexpr Alphabet kAlphabets[] = {Alphabet::Lowercase, Alphabet::Capital, Alphabet::Digits,
                                          Alphabet::Hiragana, Alphabet::Katakana};

// The Insert menu command that writes the alphabet, and its cells in order
// (kana as EUC-JP pairs).
const SeriesCommand& AlphabetCommand(Alphabet alphabet);
const SeriesTable& AlphabetSeries(Alphabet alphabet);

// "a-z", "A-Z", "0-9", "hiragana", "katakana".
std::string_view AlphabetName(Alphabet alphabet);

struct RelativeWord {
  Alphabet alphabet = Alphabet::Lowercase;
  std::vector<int> indexes;  // each character's place in its alphabet
  bool operator==(const RelativeWord&) const = default;
};

// A word as it was typed: UTF-8 (a command line), or EUC-JP (what the
// editor's boxes give for kana); the two cannot be mistaken for each other
// where kana are concerned. Without a word, `error` says why, quoting the
// character at fault as it was given.
// What follows a quoted character that belongs to no alphabet.
inline constexpr std::string_view kInNoAlphabet =
    " is in none of the alphabets a-z, A-Z, 0-9, basic hiragana and basic katakana";

struct WordReading {
  std::optional<RelativeWord> word;
  std::string error;
};
WordReading ReadRelativeWord(std::string_view typed);

enum class ByteOrder { BigEndian, LittleEndian };

struct RelativeMatch {
  std::uint64_t offset = 0;
  std::uint32_t base = 0;  // the value of the alphabet's first character
  bool operator==(const RelativeMatch&) const = default;
};

// Every offset of `data`, in ascending order, where the word's characters
// stand `width` bytes apart (1 or 2; two-byte values in `order`) with
// values that, less each character's place in the alphabet, all give the
// same number of 0 or more. Every byte offset is tried, odd ones too.
std::vector<RelativeMatch> RelativeSearch(std::string_view data, const RelativeWord& word, int width,
                                          ByteOrder order = ByteOrder::BigEndian);

// The values of `data` from `from` up to `to`, `width` bytes each, read as
// a match at `base` implies: a value base + k is character k of the
// alphabet, anything else ".".
std::string ImpliedText(std::string_view data, std::uint64_t from, std::uint64_t to,
                        Alphabet alphabet, int width, ByteOrder order, std::uint32_t base);

// The alphabet written into the table from value `base`: one-byte values
// into the cells through the Insert menu's series insertion (locked cells
// keep their text); two-byte values into 16-bit entries, keyed by the bytes
// as the file holds them (a line of the same number gets the new text, a
// missing one is added), up to FFFFh.
void FillTableFromMatch(FontTable& table, Alphabet alphabet, int width, ByteOrder order,
                        std::uint32_t base);

}  // namespace mojihyo
