#include "search/go_to_entry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace mojihyo {
namespace {

struct GoToCase {
  const char* typed;
  std::optional<EntryPlace> place;
  std::optional<GoToProblem> problem;
};

void PrintTo(const GoToCase& c, std::ostream* os) { *os << "typed '" << c.typed << "'"; }

class GoToExamples : public ::testing::TestWithParam<GoToCase> {};

TEST_P(GoToExamples, NameACellOrTheFirstRowOfTheirNumber) {
  FontTable table;
  table.SixteenBitEntries = LineList{"0300=a", "0400=b", "0400=c", "04a0=d", "0041=e"};
  const GoToCase& c = GetParam();
  const GoToResult result = GoToEntry(table, c.typed);
  EXPECT_EQ(result.place, c.place);
  EXPECT_EQ(result.problem, c.problem);
}

constexpr EntryPlace Cell(std::size_t i) { return {EntryKind::OneByte, i}; }
constexpr EntryPlace Row(std::size_t i) { return {EntryKind::SixteenBit, i}; }
constexpr auto kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    OneByteNumbers, GoToExamples,
    ::testing::Values(GoToCase{"41h", Cell(0x41), kNone}, GoToCase{"65", Cell(0x41), kNone},
                      GoToCase{" 41h ", Cell(0x41), kNone}, GoToCase{"0", Cell(0), kNone},
                      GoToCase{"ffh", Cell(0xFF), kNone}, GoToCase{"255", Cell(0xFF), kNone},
                      // As in every value box: an upper-case H is no marker, so 41 is decimal.
                      GoToCase{"41H", Cell(0x29), kNone},
                      // A one-byte number is its cell, even where a 16-bit line has it too.
                      GoToCase{"0041h", Cell(0x41), kNone}));

INSTANTIATE_TEST_SUITE_P(
    SixteenBitNumbers, GoToExamples,
    ::testing::Values(GoToCase{"300h", Row(0), kNone}, GoToCase{"0400h", Row(1), kNone},
                      GoToCase{"1024", Row(1), kNone}, GoToCase{"4A0h", Row(3), kNone},
                      GoToCase{"256", kNone, GoToProblem::NotPresent},
                      GoToCase{"1234h", kNone, GoToProblem::NotPresent},
                      GoToCase{"12345h", kNone, GoToProblem::NotPresent},
                      GoToCase{"99999999999999999999h", kNone, GoToProblem::NotPresent}));

INSTANTIATE_TEST_SUITE_P(
    BadInput, GoToExamples,
    ::testing::Values(GoToCase{"", kNone, GoToProblem::NothingTyped},
                      GoToCase{"  ", kNone, GoToProblem::NothingTyped},
                      GoToCase{"h", kNone, GoToProblem::NotANumber},
                      GoToCase{"ab", kNone, GoToProblem::NotANumber},
                      GoToCase{".", kNone, GoToProblem::NotANumber},
                      GoToCase{".h", kNone, GoToProblem::NotANumber}));

TEST(GoToEntry, ReportsTheNumberItLookedFor) {
  const GoToResult missing = GoToEntry(FontTable(), "1234h");
  EXPECT_EQ(missing.number, 0x1234u);
  EXPECT_FALSE(missing.tooLarge);
  EXPECT_TRUE(GoToEntry(FontTable(), "99999999999999999999h").tooLarge);
}

}  // namespace
}  // namespace mojihyo
