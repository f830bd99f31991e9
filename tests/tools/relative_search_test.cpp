// Relative search: which words it takes, every match a plain scan finds at
// both widths and byte orders, the text a match implies, and filling the
// table from a match.

#include "tools/relative_search.h"

#include <gtest/gtest.h>

#include <random>

#include "core/font_table.h"

namespace mojihyo {
namespace {

// "ゆうしゃ", "ゆうしや" and "カタナ" in UTF-8 and EUC-JP.
constexpr char kYuushaUtf8[] = "\xE3\x82\x86\xE3\x81\x86\xE3\x81\x97\xE3\x82\x83";
constexpr char kYuushiyaUtf8[] = "\xE3\x82\x86\xE3\x81\x86\xE3\x81\x97\xE3\x82\x84";
constexpr char kYuushiyaEuc[] = "\xA4\xE6\xA4\xA6\xA4\xB7\xA4\xE4";
constexpr char kKatanaUtf8[] = "\xE3\x82\xAB\xE3\x82\xBF\xE3\x83\x8A";

TEST(ReadRelativeWord, TakesOneAlphabetAtATimeInTheInsertMenusOrder) {
  struct Case {
    std::string typed;
    Alphabet alphabet;
    std::vector<int> indexes;
  } cases[] = {
      {"princess", Alphabet::Lowercase, {15, 17, 8, 13, 2, 4, 18, 18}},
      {"HERO", Alphabet::Capital, {7, 4, 17, 14}},
      {"1989", Alphabet::Digits, {1, 9, 8, 9}},
      // Basic kana run a i u e o ka ... so yu is 36, u 2, shi 11, ya 35.
      {kYuushiyaUtf8, Alphabet::Hiragana, {36, 2, 11, 35}},
      {kYuushiyaEuc, Alphabet::Hiragana, {36, 2, 11, 35}},
      {kKatanaUtf8, Alphabet::Katakana, {5, 15, 20}},
  };
  for (const Case& c : cases) {
    const WordReading r = ReadRelativeWord(c.typed);
    ASSERT_TRUE(r.word) << c.typed << ": " << r.error;
    EXPECT_EQ(r.word->alphabet, c.alphabet) << c.typed;
    EXPECT_EQ(r.word->indexes, c.indexes) << c.typed;
  }
}

TEST(ReadRelativeWord, SaysWhatIsWrongWithAWord) {
  struct Case {
    std::string typed, error;
  } cases[] = {
      {"", "the word is empty"},
      {"aa", "the word needs at least two different characters"},
      {"Hero", "'H' and 'e' are not in the same alphabet"},
      {"a-b", "'-' is in none of the alphabets a-z, A-Z, 0-9, basic hiragana and basic katakana"},
      // A small ya is not in the basic series.
      {kYuushaUtf8, "'\xE3\x82\x83' is in none of the alphabets a-z, A-Z, 0-9, basic hiragana and "
                    "basic katakana"},
      {std::string("\xE3\x81\x82") + "\xE3\x82\xA2", "'\xE3\x81\x82' and '\xE3\x82\xA2' are not in the same alphabet"},
  };
  for (const Case& c : cases) {
    const WordReading r = ReadRelativeWord(c.typed);
    EXPECT_FALSE(r.word) << c.typed;
    EXPECT_EQ(r.error, c.error);
  }
}

TEST(AlphabetSeries, IsTheInsertMenusSeries) {
  EXPECT_EQ(AlphabetCommand(Alphabet::Hiragana).name, "InsertBasicHiraganaEUC");
  EXPECT_EQ(AlphabetSeries(Alphabet::Hiragana).size(), 46u);
  EXPECT_EQ(AlphabetSeries(Alphabet::Katakana).back(), "\xA5\xF3");
  EXPECT_EQ(AlphabetSeries(Alphabet::Capital).front(), "A");
  EXPECT_EQ(AlphabetSeries(Alphabet::Digits).size(), 10u);
}

std::uint32_t ValueAt(std::string_view d, std::size_t p, int width, ByteOrder order) {
  const auto b0 = static_cast<unsigned char>(d[p]);
  if (width == 1) return b0;
  const auto b1 = static_cast<unsigned char>(d[p + 1]);
  return order == ByteOrder::BigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
}

// The search as it is defined, offset by offset.
std::vector<RelativeMatch> PlainScan(std::string_view d, const RelativeWord& w, int width, ByteOrder order) {
  std::vector<RelativeMatch> out;
  const std::size_t span = w.indexes.size() * static_cast<std::size_t>(width);
  for (std::size_t p = 0; p + span <= d.size(); ++p) {
    const long long b = static_cast<long long>(ValueAt(d, p, width, order)) - w.indexes[0];
    bool all = b >= 0;
    for (std::size_t i = 1; all && i < w.indexes.size(); ++i)
      all = static_cast<long long>(ValueAt(d, p + i * width, width, order)) - w.indexes[i] == b;
    if (all) out.push_back({p, static_cast<std::uint32_t>(b)});
  }
  return out;
}

void Plant(std::string& d, std::size_t at, const RelativeWord& w, std::uint32_t base, int width, ByteOrder order) {
  for (std::size_t i = 0; i < w.indexes.size(); ++i) {
    const std::uint32_t v = base + static_cast<std::uint32_t>(w.indexes[i]);
    const std::size_t p = at + i * static_cast<std::size_t>(width);
    if (width == 1) {
      d[p] = static_cast<char>(v);
    } else if (order == ByteOrder::BigEndian) {
      d[p] = static_cast<char>(v >> 8);
      d[p + 1] = static_cast<char>(v);
    } else {
      d[p] = static_cast<char>(v);
      d[p + 1] = static_cast<char>(v >> 8);
    }
  }
}

TEST(RelativeSearch, FindsExactlyWhatAPlainScanFindsAtBothWidthsAndOrders) {
  std::mt19937 rng(31337);
  const char* words[] = {"princess", "ab", "ba", "HERO", "1989", kYuushiyaUtf8, kKatanaUtf8};
  for (int round = 0; round < 60; ++round) {
    const RelativeWord w = *ReadRelativeWord(words[round % std::size(words)]).word;
    const int width = 1 + round % 2;
    const ByteOrder order = round % 4 < 2 ? ByteOrder::BigEndian : ByteOrder::LittleEndian;
    // Few byte values, so that chance matches happen too.
    std::string d(20000 + rng() % 100, '\0');
    for (char& c : d) c = static_cast<char>(rng() % 6);
    for (int k = 0; k < 20; ++k) {
      const std::uint32_t base = width == 1 ? rng() % 200 : rng() % 65000;
      Plant(d, rng() % (d.size() - 40), w, base, width, order);
    }
    Plant(d, d.size() - w.indexes.size() * width, w, 7, width, order);  // right at the end
    Plant(d, 1, w, 0, width, order);                                    // an odd offset, base 0
    const std::vector<RelativeMatch> found = RelativeSearch(d, w, width, order);
    EXPECT_EQ(found, PlainScan(d, w, width, order)) << "round " << round;
    EXPECT_GE(found.size(), 2u);
  }
}

TEST(RelativeSearch, ABaseBelowZeroIsNoMatch) {
  const RelativeWord w = *ReadRelativeWord("ba").word;  // b is 1, a is 0
  EXPECT_EQ(RelativeSearch(std::string{'\x01', '\x00'}, w, 1), (std::vector<RelativeMatch>{{0, 0}}));
  EXPECT_TRUE(RelativeSearch(std::string{'\x00', '\xFF'}, w, 1).empty());
  EXPECT_TRUE(RelativeSearch("b", w, 1).empty());
}

TEST(ImpliedText, ReadsEachValueAsTheMatchImplies) {
  const std::string d = {'\x00', '\x10', '\x00', '\x12', '\x00', '\x0F', '\x00', '\x29', '\x00', '\x2A'};
  EXPECT_EQ(ImpliedText(d, 0, d.size(), Alphabet::Lowercase, 2, ByteOrder::BigEndian, 0x10), "ac.z.");
  EXPECT_EQ(ImpliedText(d, 1, 6, Alphabet::Lowercase, 1, ByteOrder::BigEndian, 0x10), "a.c..");
  EXPECT_EQ(ImpliedText(d, 0, 4, Alphabet::Hiragana, 2, ByteOrder::BigEndian, 0x10), "\xA4\xA2\xA4\xA6");
  EXPECT_EQ(ImpliedText(d, 1, 5, Alphabet::Lowercase, 2, ByteOrder::LittleEndian, 0x10), "ac");
}

TEST(FillTableFromMatch, WritesCellsThroughTheSeriesInsertionSkippingLockedOnes) {
  FontTable t;
  SetEntryLocked(t, 0x83, true);
  SetEntryText(t, 0x83, "kept");
  FillTableFromMatch(t, Alphabet::Hiragana, 1, ByteOrder::BigEndian, 0x80);
  EXPECT_EQ(t.EntryText[0x80], "\xA4\xA2");
  EXPECT_EQ(t.EntryText[0x83], "kept");
  EXPECT_EQ(t.EntryText[0x84], "\xA4\xAA");
  EXPECT_EQ(t.EntryText[0xAD], "\xA4\xF3");
  EXPECT_TRUE(t.TableChanged);

  FontTable near;
  FillTableFromMatch(near, Alphabet::Capital, 1, ByteOrder::BigEndian, 0xF0);
  EXPECT_EQ(near.EntryText[0xF0], "A");
  EXPECT_EQ(near.EntryText[0xFF], "P");
}

TEST(FillTableFromMatch, TwoByteValuesGoToSixteenBitEntriesKeyedAsTheFileHoldsThem) {
  FontTable t;
  t.SixteenBitEntries = LineList({"0400=old", "2001=was a", "2001=second", "x=y"});
  FillTableFromMatch(t, Alphabet::Lowercase, 2, ByteOrder::LittleEndian, 0x0120);
  ASSERT_EQ(t.SixteenBitEntries.size(), 4u + 25u);
  EXPECT_EQ(t.SixteenBitEntries[1], "2001=a");
  EXPECT_EQ(t.SixteenBitEntries[2], "2001=second");
  EXPECT_EQ(t.SixteenBitEntries[4], "2101=b");
  EXPECT_EQ(t.SixteenBitEntries[28], "3901=z");
  EXPECT_TRUE(t.TableChanged);

  FontTable big;
  FillTableFromMatch(big, Alphabet::Digits, 2, ByteOrder::BigEndian, 0xFFFD);
  EXPECT_EQ(big.SixteenBitEntries, LineList({"FFFD=0", "FFFE=1", "FFFF=2"}));

  FontTable same;
  same.SixteenBitEntries = LineList({"0041=0", "0042=1"});
  FillTableFromMatch(same, Alphabet::Digits, 2, ByteOrder::BigEndian, 0x41);
  same.TableChanged = false;
  FillTableFromMatch(same, Alphabet::Digits, 2, ByteOrder::BigEndian, 0x41);
  EXPECT_FALSE(same.TableChanged) << "writing what is there already changes nothing";
}

}  // namespace
}  // namespace mojihyo
