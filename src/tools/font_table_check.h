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
  // One for each finding: its entry's cell, 16-bit row or code, when it has
  // one, and the logical table that holds it (for a TFS table).
  std::vector<std::optional<EntryPlace>> places;
  std::vector<std::size_t> tables;
  // The format whose file the line numbers count in.
  TableFormat format = TableFormat::MoJiHyo;
};

// Checks `table` as a save would write it now: a table read from a TFS file
// as its document brought up to date with the fields, any other as the file
// of its save format (MoJiHyo until one was chosen). Line numbers are that
// file's. The places of a TFS table's other logical tables are where the
// list shows them once that table is shown.
FontTableCheck CheckFontTable(const FontTable& table, const CheckOptions& options);

}  // namespace mojihyo
