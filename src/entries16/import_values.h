#pragma once

// Taking the values of 16-bit entries from other files, and numbering the
// chosen ones into an entry list.

#include "core/line_list.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mojihyo {

// A script dump line that holds "<END>" (any case) loses its trailing
// spaces and then its last five characters; every non-empty result is a
// value, other lines are taken whole.
std::vector<std::string> ReadScriptDumpValues(std::span<const std::string_view> lines);

// The text after the "=" of every line whose fifth character is "=", empty
// values included; other lines are passed over.
std::vector<std::string> ReadThingyTableValues(std::span<const std::string_view> lines);

// Every non-empty line, whole.
std::vector<std::string> ReadPlainTextValues(std::span<const std::string_view> lines);

enum class ImportSource { ScriptDump, ThingyTable, PlainText };

// The values of a whole file's bytes read as `source`.
std::vector<std::string> ReadImportValues(ImportSource source, std::string_view bytes);

struct ImportItem {
  std::string value;
  bool selected = true;
};

// What an import does with a number that a line already in the list holds.
enum class CollisionPolicy {
  Overwrite,  // the old lines with that number go; the new line is added
  Skip,       // the new value is dropped, and its number is used up
  KeepBoth,   // the new line is added beside the old
};

// Numbers the selected items from `start` (0000h-FFFFh; every number past
// FFFFh is FFFF) and appends them to `lines` as entry lines, after every
// line that was there. Only lines that were there before the import count
// as holding a number. `progress` hears each item's position as it goes.
// Returns whether lines that were there before were taken out (Overwrite):
// only then do the old lines move.
bool PlaceImportedValues(LineList& lines, const std::vector<ImportItem>& items,
                         std::uint32_t start, CollisionPolicy policy,
                         const std::function<void(std::size_t)>& progress = {});

}  // namespace mojihyo
