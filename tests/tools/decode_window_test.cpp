// What the Decode window shows: a decode of the bytes in view that agrees
// with a decode of the whole file, the coverage of those bytes, and the
// search for a decoded text.

#include "tools/decode_window.h"

#include <gtest/gtest.h>

#include <random>

namespace mojihyo {
namespace {

// One-byte entries for most values, two-byte ones after F0h-FFh, as many
// games and Shift-JIS lay them out: a decode from anywhere soon falls into
// step with one from the start.
Decoder TwoByteTable() {
  std::vector<std::pair<std::string, std::string>> entries;
  for (int b = 0x20; b < 0xF0; ++b) entries.emplace_back(std::string(1, static_cast<char>(b)), std::string(1, static_cast<char>(b)));
  for (int lead = 0xF0; lead <= 0xFF; ++lead) {
    for (int trail = 0x40; trail < 0xC0; ++trail)
      entries.emplace_back(std::string{static_cast<char>(lead), static_cast<char>(trail)}, "#");
  }
  return Decoder::FromEntries(entries);
}

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

std::vector<DecodedPiece> WholeDecode(const Decoder& d, std::string_view data, std::uint64_t from) {
  std::string text;
  std::vector<DecodedPiece> pieces;
  Decoder::Cursor c = d.Start(from);
  d.Decode(data, c, data.size(), text, &pieces);
  return pieces;
}

TEST(DecodeAround, AgreesWithADecodeFromTheAnchorWhereverTheViewIs) {
  const Decoder d = TwoByteTable();
  const std::string data = RandomBytes(200000, 1);
  const std::uint64_t anchor = 5;
  const std::vector<DecodedPiece> whole = WholeDecode(d, data, anchor);
  std::mt19937 rng(2);
  for (int round = 0; round < 200; ++round) {
    const std::uint64_t from = anchor + rng() % (data.size() - anchor - 1000);
    const std::uint64_t to = from + 1 + rng() % 1000;
    const DecodedSpan span = DecodeAround(d, data, anchor, from, to);
    ASSERT_FALSE(span.pieces.empty());
    EXPECT_LE(span.pieces.front().at, from);
    EXPECT_GT(span.pieces.front().end(), from);
    EXPECT_GE(span.pieces.back().end(), to);
    auto it = std::find_if(whole.begin(), whole.end(), [&](const DecodedPiece& p) { return p.at == span.pieces.front().at; });
    ASSERT_NE(it, whole.end()) << "round " << round;
    std::uint64_t textAt = 0;
    for (const DecodedPiece& p : span.pieces) {
      ASSERT_EQ(p.at, it->at);
      ASSERT_EQ(p.length, it->length);
      ASSERT_EQ(p.textAt, textAt);
      textAt += p.textLength;
      ++it;
    }
    EXPECT_EQ(textAt, span.text.size());
  }
}

TEST(DecodeAround, NeverDecodesAcrossTheAnchor) {
  // F0h at 99 would take the anchor's byte as its second.
  std::string data(300, 'a');
  data[99] = '\xF0';
  data[100] = '\x50';
  const Decoder d = TwoByteTable();
  const DecodedSpan before = DecodeAround(d, data, 100, 90, 110);
  for (const DecodedPiece& p : before.pieces) EXPECT_TRUE(p.end() <= 100 || p.at >= 100) << p.at;
  EXPECT_EQ(before.text, "aaaaaaaaa[$F0]Paaaaaaaaa");
  EXPECT_EQ(DecodeAround(d, data, 0, 90, 110).text, "aaaaaaaaa#aaaaaaaaa");
  EXPECT_EQ(DecodeAround(d, data, 100, 100, 100).pieces.size(), 0u);
  EXPECT_EQ(DecodeAround(d, data, 400, 290, 500).text, "aaaaaaaaaa");
}

TEST(Coverage, CountsDecodedBytesAndUndecodedValuesInTheRangeOnly) {
  const Decoder d = Decoder::FromEntries({{"A", "a"}, {"BC", "bc"}});
  const std::string data = "A\x01" "BC\x02\x01\x01" "A\x03";
  const std::vector<DecodedPiece> pieces = WholeDecode(d, data, 0);
  const Coverage c = CoverageOf(pieces, data, 3, 9);  // C, 02, 01, 01, A, 03
  EXPECT_EQ(c.bytes, 6u);
  EXPECT_EQ(c.decoded, 2u);
  EXPECT_EQ(c.undecoded[1], 2u);
  EXPECT_EQ(c.undecoded[2], 1u);
  EXPECT_EQ(c.undecoded[3], 1u);
  using Counts = std::vector<std::pair<int, std::uint64_t>>;
  EXPECT_EQ(UndecodedByFrequency(c), (Counts{{1, 2}, {2, 1}, {3, 1}}));
  EXPECT_EQ(CoverageOf(pieces, data, 8, 20).bytes, 1u);
}

TEST(FindDecodedText, FindsTheFirstTextFromTheStartWhereverItsStepsMeet) {
  const Decoder d = Decoder::FromEntries({{"\x01", "x"}, {"\x02", "yy"}, {std::string(1, '\0'), ""}, {"\x03\x04", "zz"}});
  std::string data(3 * kFindChunk, '\x01');
  // "yy" + "" + "zz" across the end of the first step.
  const std::size_t at = kFindChunk - 2;
  data[at] = '\x02';
  data[at + 1] = '\0';
  data[at + 2] = '\x03';
  data[at + 3] = '\x04';
  EXPECT_EQ(FindDecodedText(d, data, 0, "yzz"), (ByteRange{at, at + 4}));
  EXPECT_EQ(FindDecodedText(d, data, 0, "xyyz"), (ByteRange{at - 1, at + 4}));
  EXPECT_EQ(FindDecodedText(d, data, 0, "zzx"), (ByteRange{at + 2, at + 5}));
  EXPECT_EQ(FindDecodedText(d, data, at + 1, "yy"), std::nullopt);
  EXPECT_EQ(FindDecodedText(d, data, 5, "xx"), (ByteRange{5, 7}));
  EXPECT_EQ(FindDecodedText(d, data, 0, ""), std::nullopt);
  // Decoding from an odd place reads the pair differently.
  EXPECT_EQ(FindDecodedText(d, data, at + 3, "zz"), std::nullopt);
}

// The search as plainly as it can be written: the whole decode at once.
std::optional<ByteRange> PlainFind(const Decoder& d, std::string_view data, std::uint64_t from,
                                   const std::string& needle) {
  std::string text;
  std::vector<DecodedPiece> pieces;
  Decoder::Cursor c = d.Start(from);
  d.Decode(data, c, data.size(), text, &pieces);
  const std::size_t hit = text.find(needle);
  if (hit == std::string::npos) return std::nullopt;
  auto holding = [&](std::size_t at) {
    return *std::find_if(pieces.begin(), pieces.end(),
                         [&](const DecodedPiece& p) { return p.textAt + p.textLength > at; });
  };
  return ByteRange{holding(hit).at, holding(hit + needle.size() - 1).end()};
}

TEST(FindDecodedText, FindsWhatTheWholeDecodeHolds) {
  std::mt19937 rng(77);
  for (int round = 0; round < 40; ++round) {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 12; ++i) {
      std::string key(1 + rng() % 2, '\0');
      for (char& k : key) k = static_cast<char>(rng() % 8);
      std::string text(rng() % 3, '\0');
      for (char& t : text) t = static_cast<char>('a' + rng() % 3);
      entries.emplace_back(key, text);
    }
    const Decoder d = Decoder::FromEntries(entries);
    std::string data(2 * kFindChunk + rng() % 1000, '\0');
    for (char& b : data) b = static_cast<char>(rng() % 9);
    std::string needle(2 + rng() % 12, '\0');
    for (char& n : needle) n = static_cast<char>('a' + rng() % 3);
    const std::uint64_t from = rng() % 100;
    EXPECT_EQ(FindDecodedText(d, data, from, needle), PlainFind(d, data, from, needle))
        << "round " << round << " needle " << needle;
  }
}

}  // namespace
}  // namespace mojihyo
