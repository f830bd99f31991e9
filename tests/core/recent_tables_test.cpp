#include "core/recent_tables.h"

#include <gtest/gtest.h>

namespace mojihyo {
namespace {

TEST(RecentTables, NewestFirstOnceEachAndAtMostEight) {
  std::vector<RecentTable> list;
  for (int i = 1; i <= 10; ++i) RememberTable(list, {"/t/" + std::to_string(i), TableFormat::Thingy});
  ASSERT_EQ(list.size(), 8u);
  EXPECT_EQ(list.front().path, "/t/10");
  EXPECT_EQ(list.back().path, "/t/3");
  // The same file again moves to the top, in the format it was used in last.
  RememberTable(list, {"/t/5", TableFormat::MoJiHyo});
  EXPECT_EQ(list.size(), 8u);
  EXPECT_EQ(list.front(), (RecentTable{"/t/5", TableFormat::MoJiHyo}));
  EXPECT_EQ(std::count_if(list.begin(), list.end(), [](auto& t) { return t.path == "/t/5"; }), 1);
  ForgetTable(list, "/t/10");
  EXPECT_EQ(list.size(), 7u);
  EXPECT_EQ(list[1].path, "/t/9");
}

}  // namespace
}  // namespace mojihyo
