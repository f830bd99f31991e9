#pragma once

// The table check of the table an editor holds, and where each finding's
// entry is shown: a cell of the grid or a 16-bit entry.

#include "core/font_table.h"
#include "search/find_entries.h"
#include "tools/table_check.h"

#include <optional>
#include <vector>

namespace mojihyo {

struct FontTableCheck {
  std::vector<Finding> findings;
  // One for each finding: its entry's cell or 16-bit row, when it has one.
  std::vector<std::optional<EntryPlace>> places;
  // The format whose file the line numbers count in.
  TableFormat format = TableFormat::MoJiHyo;
};

// Checks `table` as a save would write it now: a table read from a TFS file
// as its document brought up to date with the fields, any other as the file
// of its save format (MoJiHyo until one was chosen). Line numbers are that
// file's. Only entries of the logical table the fields show have a place.
FontTableCheck CheckFontTable(const FontTable& table, const CheckOptions& options);

}  // namespace mojihyo
