#pragma once

// Go to Entry: the entry a typed number names. The number is read as the
// value boxes read one: "41h" is hexadecimal, "65" decimal.

#include "core/font_table.h"
#include "search/find_entries.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace mojihyo {

enum class GoToProblem {
  NothingTyped,
  NotANumber,  // no digit where the number should start
  NotPresent,  // no entry has that number
};

struct GoToResult {
  std::optional<EntryPlace> place;
  std::optional<GoToProblem> problem;
  std::uint64_t number = 0;
  bool tooLarge = false;  // beyond 64 bits: `number` means nothing
};

// A number up to FFh names its one-byte entry; a larger one the first
// 16-bit entry of that number, in list order. Blanks around the text do
// not count.
GoToResult GoToEntry(const FontTable& table, std::string_view typed);

}  // namespace mojihyo
