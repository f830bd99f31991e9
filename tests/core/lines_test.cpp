#include "core/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mojihyo {
namespace {

std::vector<std::string> Split(std::string_view bytes) {
  std::vector<std::string> out;
  for (auto line : SplitLines(bytes)) out.emplace_back(line);
  return out;
}

using Lines = std::vector<std::string>;

TEST(SplitLines, EndsALineAtCrLfCrOrLf) {
  EXPECT_EQ(Split("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(Split("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(Split("a\n"), (Lines{"a"}));
  EXPECT_EQ(Split("a\r"), (Lines{"a"}));
  EXPECT_EQ(Split("41=A\n42=B\n"), (Lines{"41=A", "42=B"}));
}

TEST(SplitLines, KeepsEmptyLinesBetweenLineEnds) {
  EXPECT_EQ(Split("a\r\n\r\nb"), (Lines{"a", "", "b"}));
  // LF then CR is two line ends; CR then LF is one.
  EXPECT_EQ(Split("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(Split("\r\n"), (Lines{""}));
  EXPECT_EQ(Split("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(Split(""), Lines{});
}

TEST(SplitLines, SkipsAUtf8ByteOrderMarkAtTheStartOfTheFile) {
  EXPECT_EQ(Split("\xEF\xBB\xBF" "41=A\r\n"), (Lines{"41=A"}));
  EXPECT_EQ(Split("\xEF\xBB\xBF"), Lines{});
  // Only one mark, only the whole mark; marks inside are the readers' concern.
  EXPECT_EQ(Split("\xEF\xBB\xBF\xEF\xBB\xBF" "x"), (Lines{"\xEF\xBB\xBF" "x"}));
  EXPECT_EQ(Split("41=A\r\n\xEF\xBB\xBF" "42=B"), (Lines{"41=A", "\xEF\xBB\xBF" "42=B"}));
  EXPECT_EQ(Split("\xEF\xBB" "41"), (Lines{"\xEF\xBB" "41"}));
}

TEST(SplitLines, KeepsEveryOtherByte) {
  const std::string bytes("\x00=\x80\xFF\t\x1A", 6);
  EXPECT_EQ(Split(bytes), Lines{bytes});
}

TEST(JoinLines, EndsEveryLineWithCrLf) {
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(JoinLines({}), "");
  EXPECT_EQ(JoinLines({""}), "\r\n");
}

}  // namespace
}  // namespace mojihyo
