#include "core/recent_tables.h"

#include <algorithm>

namespace mojihyo {

void RememberTable(std::vector<RecentTable>& list, const RecentTable& table, std::size_t kept) {
  ForgetTable(list, table.path);
  list.insert(list.begin(), table);
  if (list.size() > kept) list.resize(kept);
}

void ForgetTable(std::vector<RecentTable>& list, const std::string& path) {
  std::erase_if(list, [&](const RecentTable& t) { return t.path == path; });
}

}  // namespace mojihyo
