#include "core/save_point.h"

#include <gtest/gtest.h>

#include <string>

namespace mojihyo {
namespace {

// A history written as one letter a step: C changes the content, L is a
// lock (a step that does not).
SavePoint::ChangesContent Steps(const std::string& history) {
  return [history](std::size_t step) { return history.at(step) == 'C'; };
}

TEST(SavePoint, ChangedWhenAContentStepLiesBetweenTheSaveAndNow) {
  const struct {
    const char* history;
    std::size_t saved, now;
    bool changed;
  } cases[] = {
      {"", 0, 0, false},         {"C", 0, 1, true},    {"C", 1, 1, false},
      {"C", 1, 0, true},         {"L", 0, 1, false},   {"LLL", 0, 3, false},
      {"LCL", 0, 1, false},      {"LCL", 0, 2, true},  {"LCL", 3, 2, false},
      {"LCL", 3, 1, true},       {"CCL", 2, 3, false}, {"CCL", 2, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.history) + " saved " + std::to_string(c.saved) + " now " +
                 std::to_string(c.now));
    SavePoint point;
    point.SavedAt(c.saved);
    EXPECT_EQ(point.Changed(c.now, Steps(c.history)), c.changed);
    EXPECT_EQ(point.IsAt(c.now), c.saved == c.now);
  }
}

TEST(SavePoint, ABranchMovesOrDropsASavedPointAmongTheDroppedSteps) {
  const struct {
    const char* history;
    std::size_t saved, branch;
    bool kept;
    std::size_t at;  // when kept
  } cases[] = {
      {"CC", 1, 1, true, 1},   // saved where the new step goes
      {"CC", 0, 1, true, 0},   // saved below: untouched
      {"CC", 2, 1, false, 0},  // a content step dropped on the way
      {"CLL", 3, 1, true, 1},  // only locks dropped: the content is the saved one
      {"LCL", 3, 0, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.history) + " saved " + std::to_string(c.saved) + " branch " +
                 std::to_string(c.branch));
    SavePoint point;
    point.SavedAt(c.saved);
    point.Branch(c.branch, Steps(c.history));
    // After the branch the history is cut at `branch` and one content step
    // is added on top.
    const std::string history = std::string(c.history).substr(0, c.branch) + "C";
    if (c.kept) {
      EXPECT_TRUE(point.IsAt(c.at));
      EXPECT_FALSE(point.Changed(c.at, Steps(history)));
    } else {
      // Gone: no position of the history holds the saved content.
      for (std::size_t now = 0; now <= history.size(); ++now)
        EXPECT_TRUE(point.Changed(now, Steps(history))) << now;
    }
    EXPECT_TRUE(point.Changed(c.branch + 1, Steps(history)));
  }
}

}  // namespace
}  // namespace mojihyo
