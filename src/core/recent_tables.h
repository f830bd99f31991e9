#pragma once

// The list of tables last opened or saved, newest first, that the File menu
// offers again.

#include "core/font_table.h"

#include <cstddef>
#include <string>
#include <vector>

namespace mojihyo {

struct RecentTable {
  std::string path;
  TableFormat format;
  bool operator==(const RecentTable&) const = default;
};

inline constexpr std::size_t kRecentTablesKept = 8;

// Puts `table` first; an older entry for the same file goes, whatever its
// format, and the list keeps at most `kept` entries.
void RememberTable(std::vector<RecentTable>& list, const RecentTable& table,
                   std::size_t kept = kRecentTablesKept);

// Takes the entry for `path` out of the list.
void ForgetTable(std::vector<RecentTable>& list, const std::string& path);

}  // namespace mojihyo
