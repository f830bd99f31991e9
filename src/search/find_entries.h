#pragma once

// Finding entries by their bytes. The one-byte entries and then the values
// of the 16-bit entries make one list, searched forward or backward from a
// place and wrapping around at its ends.

#include "core/font_table.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// The kinds of entries a search goes through, in the order it goes: the
// codes are a TFS table's end tokens, newlines, control codes and switches.
enum class EntryKind { OneByte, SixteenBit, Code };

// One entry: its kind and its index among the entries of that kind (the
// entry number of a one-byte entry, the row of a 16-bit one).
struct EntryPlace {
  EntryKind kind = EntryKind::OneByte;
  std::size_t index = 0;
  bool operator==(const EntryPlace&) const = default;
};

// The texts a search goes through, one list of entries after another. A
// new kind of entry takes part in every search by adding its list here.
class SearchScope {
public:
  using TextAt = std::function<std::string_view(std::size_t)>;

  void Add(EntryKind kind, std::size_t count, TextAt textAt);

  // How many entries all lists hold together.
  std::size_t size() const { return total_; }

  // An entry's position in the whole order, and back. A place past the end
  // of its list stands where the next list starts; a kind the scope does
  // not hold stands at the start.
  std::size_t PositionOf(EntryPlace place) const;
  EntryPlace PlaceAt(std::size_t position) const;

  // Calls `visit(position, text)` for every entry, in order.
  template <typename Visit>
  void ForEach(Visit&& visit) const {
    std::size_t position = 0;
    for (const List& list : lists_)
      for (std::size_t i = 0; i < list.count; ++i) visit(position++, list.text(i));
  }

private:
  struct List {
    EntryKind kind;
    std::size_t first, count;
    TextAt text;
  };
  std::vector<List> lists_;
  std::size_t total_ = 0;
};

// The texts of the 256 one-byte entries, then the values of the 16-bit
// entries in list order (a TFS table's longer keys among them), then a TFS
// table's code lines. It holds the list sizes of the moment: a search makes
// its scope afresh.
SearchScope TableSearchScope(const FontTable& table);

// How the bytes of a text split into characters. A part match counts only
// where a character starts: "A" (41) is not found inside the Shift-JIS
// "ア" (83 41), nor the EUC-JP symbol A2 A4 inside "あい" (A4 A2 A4 A4).
enum class CharacterBounds { EveryByte, Utf8, EucJp, ShiftJis };

struct FindQuery {
  std::string bytes;
  bool wholeEntry = false;  // the entry holds exactly these bytes, nothing else
  CharacterBounds bounds = CharacterBounds::EveryByte;
};

// Whether an entry's text matches.
bool EntryMatches(std::string_view text, const FindQuery& query);

// How many entries of the scope match.
std::size_t CountMatches(const SearchScope& scope, const FindQuery& query);

enum class FindDirection { Forward, Backward };

// A match, its number among all matches in search order (from 1), and how
// many there are.
struct FindHit {
  EntryPlace place;
  std::size_t number = 0;
  std::size_t count = 0;
  bool operator==(const FindHit&) const = default;
};

// The first match at `from` or after it (going backward: at or before it),
// wrapping around at the end (the start). `skipFrom` passes over `from`
// itself, so that a search goes on from the match it found last. Nothing
// when no entry matches.
std::optional<FindHit> FindEntry(const SearchScope& scope, const FindQuery& query, EntryPlace from,
                                 FindDirection direction, bool skipFrom);

// What the last search found, and the current cell once it had found it.
struct LastFind {
  EntryPlace found;
  int currentCell = 0;
};

struct FindStart {
  EntryPlace from;
  bool skipFrom = false;
};

// Where Find Next and Find Previous start. While the current cell is the one
// the last search left, they go on past its match (which may be a 16-bit
// entry, whose list has since closed); once the user has moved to another
// cell, they start at that cell, and it may be the match.
FindStart StartOfNextFind(const std::optional<LastFind>& last, int currentCell);

// Bytes typed as hex: pairs of hex digits of either case, with blanks
// allowed between bytes ("A4 A2", "a4a2"). Nothing when anything else is
// typed or a byte lacks its second digit.
std::optional<std::string> ParseHexBytes(std::string_view typed);

}  // namespace mojihyo
