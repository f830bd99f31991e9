#include "core/lines.h"

#include <gtest/gtest.h>

#include <random>
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

// Random bytes heavy in line ends, some long enough for several batches.
std::string RandomFile(std::mt19937& rng) {
  const char pieces[] = {'a', '\r', '\n', '\xEF', '\xBB', '\xBF', '\0'};
  std::string bytes(rng() % 3 == 0 ? 30000 : rng() % 40, ' ');
  for (char& c : bytes) c = pieces[rng() % sizeof pieces];
  if (rng() % 4 == 0) bytes.insert(0, kUtf8Bom);
  return bytes;
}

TEST(ForEachLineBatch, GivesTheLinesSplitLinesGivesInBatches) {
  std::mt19937 rng(5);
  for (int round = 0; round < 100; ++round) {
    const std::string bytes = RandomFile(rng);
    std::vector<std::string_view> batched;
    int batches = 0;
    ForEachLineBatch(bytes, [&](std::span<const std::string_view> lines) {
      EXPECT_FALSE(lines.empty());
      batched.insert(batched.end(), lines.begin(), lines.end());
      ++batches;
    });
    const auto whole = SplitLines(bytes);
    EXPECT_EQ(batched, whole) << "round " << round;
    EXPECT_EQ(batches, static_cast<int>((whole.size() + 4095) / 4096));
  }
}

TEST(LineSink, WritesTheBytesJoinLinesMakes) {
  const LineList lines{"a", "", std::string_view("\0\xFF", 2), "0400=Cecil"};
  std::string bytes;
  StringSink sink(bytes);
  LineSink out(sink);
  out.reserve(3, 12);
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) out.push_back(lines[i]);
  out.push_back_joined({"04", "00", "=", "Cecil"});
  out.append(LineList{"x", "y"});
  EXPECT_EQ(bytes, JoinLines(lines) + JoinLines({"x", "y"}));
}

}  // namespace
}  // namespace mojihyo
