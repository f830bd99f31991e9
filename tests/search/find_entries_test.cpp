#include "search/find_entries.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace mojihyo {

void PrintTo(const EntryPlace& p, std::ostream* os) {
  *os << (p.kind == EntryKind::OneByte ? "cell " : "row ") << p.index;
}
void PrintTo(const FindHit& h, std::ostream* os) {
  PrintTo(h.place, os);
  *os << " (" << h.number << " of " << h.count << ")";
}

namespace {

constexpr auto kEvery = CharacterBounds::EveryByte;
constexpr auto kUtf8 = CharacterBounds::Utf8;
constexpr auto kEuc = CharacterBounds::EucJp;
constexpr auto kSjis = CharacterBounds::ShiftJis;

struct MatchCase {
  CharacterBounds bounds;
  const char* text;
  const char* needle;
  bool whole;
  bool matches;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
  *os << "bounds " << static_cast<int>(c.bounds) << (c.whole ? " whole" : " part") << " needle";
  for (unsigned char b : std::string(c.needle)) *os << ' ' << std::hex << int(b);
  *os << " in";
  for (unsigned char b : std::string(c.text)) *os << ' ' << std::hex << int(b);
}

class EntryMatchExamples : public ::testing::TestWithParam<MatchCase> {};

TEST_P(EntryMatchExamples, CompareBytesFromACharacterStart) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(EntryMatches(c.text, {c.needle, c.whole, c.bounds}), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    OneBytePerCharacter, EntryMatchExamples,
    ::testing::Values(MatchCase{kEvery, "abc", "b", false, true}, MatchCase{kEvery, "abc", "B", false, false},
                      MatchCase{kEvery, "abc", "abc", true, true}, MatchCase{kEvery, "abc", "ab", true, false},
                      MatchCase{kEvery, "", "a", false, false},
                      // Every byte starts a character, so a byte pair is found anywhere.
                      MatchCase{kEvery, "\x83\x41", "A", false, true}));

INSTANTIATE_TEST_SUITE_P(
    EucJp, EntryMatchExamples,
    ::testing::Values(
        // あ is A4 A2 in EUC-JP and E3 81 82 in UTF-8.
        MatchCase{kEuc, "\xA4\xA2", "\xA4\xA2", false, true},
        MatchCase{kEuc, "\xE3\x81\x82", "\xA4\xA2", false, false},
        MatchCase{kEuc, "x\xA4\xA2", "\xA4\xA2", false, true},
        MatchCase{kEuc, "\xA4\xAB\xA4\xA2", "\xA4\xA2", false, true},
        // The EUC-JP symbol A2 A4 is not inside あい (A4 A2 A4 A4).
        MatchCase{kEuc, "\xA4\xA2\xA4\xA4", "\xA2\xA4", false, false},
        // Three bytes from 8F, two from 8E: the walk keeps counting right.
        MatchCase{kEuc, "\x8F\xA4\xA2", "\xA4\xA2", false, false},
        MatchCase{kEuc, "\x8F\xB0\xA1\xA4\xA2", "\xA4\xA2", false, true},
        MatchCase{kEuc, "\x8E\xB1" "A", "A", false, true},
        MatchCase{kEuc, "\x8E\x41", "A", false, false},
        MatchCase{kEuc, "\xA4\xA2", "\xA4\xA2", true, true}));

INSTANTIATE_TEST_SUITE_P(
    ShiftJis, EntryMatchExamples,
    ::testing::Values(
        // ア is 83 41 and ソ is 83 5C: their second bytes are "A" and "\".
        MatchCase{kSjis, "\x83\x41", "A", false, false}, MatchCase{kSjis, "\x83\x5C", "\\", false, false},
        MatchCase{kSjis, "\x83\x41" "A", "A", false, true}, MatchCase{kSjis, "\x83\x41", "\x83\x41", false, true},
        MatchCase{kSjis, "\xE0\x41\x83\x41", "\x83\x41", false, true},
        MatchCase{kSjis, "\x82\xA0", "\x82\xA0", true, true}, MatchCase{kSjis, "\x82\xA0", "\xA0", false, false},
        // Half-width katakana (A1-DF) are one byte each.
        MatchCase{kSjis, "\xB1\xB2", "\xB2", false, true}));

INSTANTIATE_TEST_SUITE_P(
    Utf8, EntryMatchExamples,
    ::testing::Values(MatchCase{kUtf8, "\xE3\x81\x82", "\xE3\x81\x82", false, true},
                      MatchCase{kUtf8, "\xA4\xA2", "\xE3\x81\x82", false, false},
                      MatchCase{kUtf8, "\xE3\x81\x82", "\x81\x82", false, false},
                      MatchCase{kUtf8, "a\xE3\x81\x82", "\xE3\x81\x82", false, true}));

// 10h "a", 80h "a", F0h "xa"; rows "0400=a", "0401=b", "0402=ba".
FontTable Sample() {
  FontTable t;
  SetEntryText(t, 0x10, "a");
  SetEntryText(t, 0x80, "a");
  SetEntryText(t, 0xF0, "xa");
  t.SixteenBitEntries = LineList{"0400=a", "0401=b", "0402=ba"};
  return t;
}

constexpr EntryPlace Cell(std::size_t i) { return {EntryKind::OneByte, i}; }
constexpr EntryPlace Row(std::size_t i) { return {EntryKind::SixteenBit, i}; }

struct FindCase {
  EntryPlace from;
  FindDirection direction;
  bool skipFrom;
  bool whole;
  FindHit expected;
};

void PrintTo(const FindCase& c, std::ostream* os) {
  *os << (c.direction == FindDirection::Forward ? "forward" : "backward") << (c.skipFrom ? " past " : " from ");
  PrintTo(c.from, os);
  *os << (c.whole ? " whole" : " part");
}

class FindExamples : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindExamples, GoThroughCellsThenRowsAndWrap) {
  const FindCase& c = GetParam();
  const FontTable table = Sample();
  const auto hit = FindEntry(TableSearchScope(table), {"a", c.whole, kEvery}, c.from, c.direction, c.skipFrom);
  ASSERT_TRUE(hit.has_value());
  EXPECT_EQ(*hit, c.expected);
}

constexpr auto kFwd = FindDirection::Forward;
constexpr auto kBack = FindDirection::Backward;

INSTANTIATE_TEST_SUITE_P(
    PartMatches, FindExamples,
    ::testing::Values(FindCase{Cell(0), kFwd, false, false, {Cell(0x10), 1, 5}},
                      FindCase{Cell(0x10), kFwd, false, false, {Cell(0x10), 1, 5}},
                      FindCase{Cell(0x10), kFwd, true, false, {Cell(0x80), 2, 5}},
                      FindCase{Cell(0xF0), kFwd, true, false, {Row(0), 4, 5}},
                      FindCase{Row(0), kFwd, true, false, {Row(2), 5, 5}},
                      FindCase{Row(2), kFwd, true, false, {Cell(0x10), 1, 5}},
                      FindCase{Row(99), kFwd, false, false, {Cell(0x10), 1, 5}},
                      FindCase{Cell(0x10), kBack, true, false, {Row(2), 5, 5}},
                      FindCase{Row(0), kBack, true, false, {Cell(0xF0), 3, 5}},
                      FindCase{Cell(0x80), kBack, false, false, {Cell(0x80), 2, 5}},
                      FindCase{Cell(0x7F), kBack, false, false, {Cell(0x10), 1, 5}},
                      FindCase{Cell(0), kBack, false, false, {Row(2), 5, 5}},
                      FindCase{Row(99), kBack, false, false, {Row(2), 5, 5}}));

INSTANTIATE_TEST_SUITE_P(
    WholeEntries, FindExamples,
    ::testing::Values(FindCase{Cell(0x80), kFwd, true, true, {Row(0), 3, 3}},
                      FindCase{Row(0), kFwd, true, true, {Cell(0x10), 1, 3}},
                      FindCase{Cell(0x10), kBack, true, true, {Row(0), 3, 3}}));

TEST(FindEntry, NothingMatchingFindsNothing) {
  const FontTable table = Sample();
  const SearchScope scope = TableSearchScope(table);
  EXPECT_EQ(FindEntry(scope, {"q"}, Cell(0), kFwd, false), std::nullopt);
  EXPECT_EQ(FindEntry(scope, {"ax", true}, Cell(0), kBack, true), std::nullopt);
  EXPECT_EQ(CountMatches(scope, {"q"}), 0u);
  EXPECT_EQ(FindEntry(SearchScope(), {"a"}, Cell(0), kFwd, false), std::nullopt);
}

// Random tables over a small alphabet: going forward past each hit visits
// every matching entry once, in order, numbered 1..n, then wraps; going
// backward visits them in the reverse order.
TEST(FindEntry, SteppingVisitsEveryMatchInOrderAndWraps) {
  std::mt19937 random(22);
  for (int round = 0; round < 40; ++round) {
    FontTable table;
    auto text = [&] {
      std::string s(random() % 4, ' ');
      for (char& c : s) c = "ab\xA4\xA2"[random() % 4];
      return s;
    };
    for (int i = 0; i < kEntryCount; ++i) SetEntryText(table, i, text());
    for (int r = static_cast<int>(random() % 6); r > 0; --r) table.SixteenBitEntries.push_back("0400=" + text());
    const FindQuery query{random() % 2 ? "a" : "\xA4\xA2", random() % 3 == 0,
                          random() % 2 ? kEvery : kEuc};
    const SearchScope scope = TableSearchScope(table);

    std::vector<EntryPlace> expected;
    scope.ForEach([&](std::size_t position, std::string_view t) {
      if (EntryMatches(t, query)) expected.push_back(scope.PlaceAt(position));
    });
    ASSERT_EQ(CountMatches(scope, query), expected.size());
    if (expected.empty()) continue;

    auto hit = FindEntry(scope, query, Cell(0), kFwd, false);
    for (std::size_t k = 0; k <= expected.size(); ++k) {
      ASSERT_TRUE(hit);
      EXPECT_EQ(*hit, (FindHit{expected[k % expected.size()], k % expected.size() + 1, expected.size()}))
          << "round " << round << " step " << k;
      hit = FindEntry(scope, query, hit->place, kFwd, true);
    }
    hit = FindEntry(scope, query, Cell(0), kBack, true);
    for (std::size_t k = expected.size(); k-- > 0;) {
      ASSERT_TRUE(hit);
      EXPECT_EQ(hit->place, expected[k]) << "round " << round << " back to " << k;
      hit = FindEntry(scope, query, hit->place, kBack, true);
    }
  }
}

TEST(StartOfNextFind, GoesOnPastTheLastMatchUntilTheUserMoves) {
  EXPECT_EQ(StartOfNextFind(std::nullopt, 0x20).from, Cell(0x20));
  EXPECT_FALSE(StartOfNextFind(std::nullopt, 0x20).skipFrom);
  const LastFind inList{Row(3), 0x20};
  EXPECT_EQ(StartOfNextFind(inList, 0x20).from, Row(3));
  EXPECT_TRUE(StartOfNextFind(inList, 0x20).skipFrom);
  EXPECT_EQ(StartOfNextFind(inList, 0x21).from, Cell(0x21));
  EXPECT_FALSE(StartOfNextFind(inList, 0x21).skipFrom);
}

struct HexCase {
  const char* typed;
  std::optional<std::string> bytes;
};

class HexBytesExamples : public ::testing::TestWithParam<HexCase> {};

TEST_P(HexBytesExamples, ArePairsOfDigits) {
  EXPECT_EQ(ParseHexBytes(GetParam().typed), GetParam().bytes) << "typed '" << GetParam().typed << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Typed, HexBytesExamples,
    ::testing::Values(HexCase{"A4A2", "\xA4\xA2"}, HexCase{"a4 a2", "\xA4\xA2"}, HexCase{" 41\t42 ", "AB"},
                      HexCase{"00", std::string(1, '\0')}, HexCase{"", ""}, HexCase{"A", std::nullopt},
                      HexCase{"A4A", std::nullopt}, HexCase{"A 4", std::nullopt}, HexCase{"4G", std::nullopt},
                      HexCase{"41h", std::nullopt}, HexCase{"0x41", std::nullopt}));

}  // namespace
}  // namespace mojihyo
