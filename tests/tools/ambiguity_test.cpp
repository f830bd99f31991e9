// The two ambiguity searches: small tables worked by hand, and seeded random
// tables against a search through every byte sequence up to a length.

#include "tools/ambiguity.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace mojihyo {
namespace {

using Entries = std::vector<CodeEntry>;

CodeEntry E(std::string key, std::string text, std::size_t line, bool token = true) {
  return {std::move(key), std::move(text), line, token};
}

std::string Keys(const Code& code, const std::vector<std::uint32_t>& run) {
  std::string out;
  for (std::uint32_t e : run) out += code.entries()[e].key;
  return out;
}
std::string Texts(const Code& code, const std::vector<std::uint32_t>& run) {
  std::string out;
  for (std::uint32_t e : run) out += code.entries()[e].text;
  return out;
}
// The bytes an insertion should give back for a dumped run.
std::string Chosen(const Code& code, const std::vector<std::uint32_t>& run) {
  std::string out;
  for (std::uint32_t e : run) out += code.entries()[code.Chosen(e)].key;
  return out;
}

TEST(RoundTrip, FindsTheShortestBytesThatComeBackOtherwise) {
  struct Case {
    Entries entries;
    std::string bytes, inserted;  // empty bytes: none
    bool stuck;
  };
  const Case cases[] = {
      {{E("A", "a", 1), E("B", "b", 2), E("\x80", "ab", 3)}, "AB", "\x80", false},
      // A prefix-free set of texts comes back whole.
      {{E("A", "a", 1), E("B", "b", 2), E("\x80", "c", 3)}, "", "", false},
      // The same text twice is not a failure here: the insertion's choice
      // counts as the bytes it came from.
      {{E("A", "a", 1), E("\x80", "a", 2)}, "", "", false},
      // "a" and "bc" dump as "abc", which the insertion takes as "ab", "c".
      {{E("A", "a", 1), E("B", "bc", 2), E("C", "ab", 3), E("D", "c", 4)}, "AB", "CD", false},
      // After "ab" nothing matches "x": the insertion is stuck.
      {{E("A", "a", 1), E("B", "bx", 2), E("C", "ab", 3)}, "AB", "C", true},
      // The dumper reads AB as the longer key, so A then B never happens.
      {{E("A", "a", 1), E("B", "b", 2), E("AB", "ab", 3)}, "", "", false},
      // Only A then B would spell "ab" in two entries, and the dumper reads
      // those bytes as the end token's longer key.
      {{E("A", "a", 1), E("B", "b", 2), E("\x80", "ab", 3), E("AB", "[end]", 4, false)}, "", "", false},
  };
  for (const Case& c : cases) {
    const Code code(c.entries);
    const RoundTripResult r = FindRoundTripFailure(code, {});
    SCOPED_TRACE(c.bytes);
    EXPECT_TRUE(r.complete);
    if (c.bytes.empty()) {
      EXPECT_FALSE(r.failure);
      continue;
    }
    ASSERT_TRUE(r.failure);
    EXPECT_EQ(Keys(code, r.failure->dumped), c.bytes);
    EXPECT_EQ(Keys(code, r.failure->inserted), c.inserted);
    EXPECT_EQ(r.failure->stuck, c.stuck);
  }
}

TEST(SameText, FindsTwoRunsWithOneText) {
  const Code ambiguous({E("A", "a", 1), E("B", "ba", 2), E("C", "ab", 3)});
  // "a"+"ba" = "ab"+"a".
  const SameTextResult r = FindSameTextRuns(ambiguous, {});
  ASSERT_TRUE(r.runs);
  EXPECT_NE(r.runs->first, r.runs->second);
  EXPECT_EQ(Texts(ambiguous, r.runs->first), Texts(ambiguous, r.runs->second));
  EXPECT_EQ(Texts(ambiguous, r.runs->first), "aba");

  // A suffix code: every text read from its end is unique.
  const Code unique({E("A", "a", 1), E("B", "ab", 2), E("C", "bb", 3)});
  const SameTextResult u = FindSameTextRuns(unique, {});
  EXPECT_TRUE(u.complete);
  EXPECT_FALSE(u.runs);
  // The same text under two keys is reported elsewhere.
  EXPECT_FALSE(FindSameTextRuns(Code({E("A", "a", 1), E("B", "a", 2)}), {}).runs);
  // Runs with the same bytes are no ambiguity: A then B is the key AB.
  EXPECT_FALSE(FindSameTextRuns(Code({E("A", "a", 1), E("B", "b", 2), E("AB", "ab", 3)}), {}).runs);
  const Code split({E("A", "a", 1), E("B", "b", 2), E("C", "ab", 3)});
  ASSERT_TRUE(FindSameTextRuns(split, {}).runs);
  EXPECT_EQ(Keys(split, FindSameTextRuns(split, {}).runs->first), "C");
  EXPECT_EQ(Keys(split, FindSameTextRuns(split, {}).runs->second), "AB");
}

TEST(Limits, AReachedBoundIsSaid) {
  Entries entries;
  // "x", "xx", ... "xxxxxxxxxxxx": "x" then "x" comes back as "xx", two
  // bytes out, but every state before keeps the insertion waiting, and so
  // does every dangling suffix.
  for (int n = 1; n <= 12; ++n) entries.push_back(E(std::string(1, static_cast<char>('A' + n)), std::string(n, 'x'), n));
  AmbiguityLimits tight;
  tight.states = 3;
  tight.suffixes = 2;
  const Code code(entries);
  const RoundTripResult r = FindRoundTripFailure(code, tight);
  EXPECT_FALSE(r.failure);
  EXPECT_FALSE(r.complete);
  const SameTextResult s = FindSameTextRuns(code, tight);
  EXPECT_FALSE(s.runs);
  EXPECT_FALSE(s.complete);
}

// Every byte string made of keys up to `maxBytes`, shortest first.
std::vector<std::string> KeyStrings(const Code& code, std::size_t maxBytes) {
  std::set<std::string> all{""};
  std::vector<std::string> frontier{""};
  while (!frontier.empty()) {
    std::vector<std::string> next;
    for (const std::string& s : frontier) {
      for (std::uint32_t e : code.tokens()) {
        std::string t = s + code.entries()[e].key;
        if (t.size() <= maxBytes && all.insert(t).second) next.push_back(t);
      }
    }
    frontier = std::move(next);
  }
  std::vector<std::string> out(all.begin(), all.end());
  std::stable_sort(out.begin(), out.end(),
                   [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
  return out;
}

std::size_t ShortestFailure(const Code& code, std::size_t maxBytes) {
  for (const std::string& bytes : KeyStrings(code, maxBytes)) {
    const auto dumped = code.Dump(bytes);
    if (!dumped) continue;
    bool complete = true;
    const auto inserted = code.Insert(Texts(code, *dumped), &complete);
    if (!complete || Keys(code, inserted) != Chosen(code, *dumped)) return bytes.size();
  }
  return 0;
}

// Whether two runs of distinct texts with different bytes spell one text
// of up to `maxText` bytes.
bool AnySameText(const Code& code, std::size_t maxText) {
  std::map<std::string, std::string> bytesOf{{"", ""}};
  std::vector<std::pair<std::string, std::string>> frontier{{"", ""}};
  std::set<std::string> texts;
  std::vector<std::uint32_t> words;
  for (std::uint32_t e : code.tokens())
    if (texts.insert(code.entries()[e].text).second) words.push_back(code.Chosen(e));
  std::set<std::pair<std::string, std::string>> all{{"", ""}};
  while (!frontier.empty()) {
    decltype(frontier) next;
    for (const auto& [text, bytes] : frontier) {
      for (std::uint32_t w : words) {
        std::string t = text + code.entries()[w].text;
        if (t.size() > maxText) continue;
        std::string b = bytes + code.entries()[w].key;
        auto [it, added] = bytesOf.try_emplace(t, b);
        if (!added && it->second != b) return true;
        if (all.insert({t, b}).second) next.emplace_back(t, b);
      }
    }
    frontier = std::move(next);
  }
  return false;
}

TEST(Ambiguity, AgreesWithEveryShortByteSequenceOnRandomTables) {
  std::mt19937 rng(20261207);
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  int failures = 0, sameTexts = 0;
  for (int round = 0; round < 400; ++round) {
    Entries entries;
    std::set<std::string> keys;
    const int count = 2 + pick(5);
    for (int i = 0; i < count; ++i) {
      std::string key, text;
      for (int k = 1 + pick(2); k > 0; --k) key.push_back(static_cast<char>('A' + pick(3)));
      for (int k = pick(6) == 0 ? 0 : 1 + pick(3); k > 0; --k) text.push_back(static_cast<char>('a' + pick(3)));
      if (!keys.insert(key).second) continue;
      entries.push_back(E(key, text, static_cast<std::size_t>(i + 1), pick(8) != 0));
    }
    const Code code(entries);
    SCOPED_TRACE(round);
    const RoundTripResult r = FindRoundTripFailure(code, {});
    ASSERT_TRUE(r.complete);
    const std::size_t brute = ShortestFailure(code, 6);
    if (r.failure) {
      ++failures;
      const std::string bytes = Keys(code, r.failure->dumped);
      ASSERT_EQ(code.Dump(bytes), r.failure->dumped);
      const std::string inserted = Keys(code, r.failure->inserted);
      EXPECT_TRUE(r.failure->stuck || inserted != Chosen(code, r.failure->dumped));
      if (bytes.size() <= 6) {
        EXPECT_EQ(bytes.size(), brute);
      }
    } else {
      EXPECT_EQ(brute, 0u);
    }
    const SameTextResult s = FindSameTextRuns(code, {});
    ASSERT_TRUE(s.complete);
    if (s.runs) {
      ++sameTexts;
      EXPECT_NE(Keys(code, s.runs->first), Keys(code, s.runs->second));
      EXPECT_EQ(Texts(code, s.runs->first), Texts(code, s.runs->second));
    } else {
      EXPECT_FALSE(AnySameText(code, 8));
    }
  }
  // Both outcomes occur often enough for the comparison to mean something.
  EXPECT_GT(failures, 50);
  EXPECT_LT(failures, 350);
  EXPECT_GT(sameTexts, 50);
  EXPECT_LT(sameTexts, 350);
}

}  // namespace
}  // namespace mojihyo
