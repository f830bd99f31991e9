// Decoding through a table: the longest key, raw bytes, breaks, control
// codes and table switches; and the same text from every way of running a
// decode, checked against a plain longest-match loop on random tables.

#include "tools/decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "core/font_table.h"
#include "formats/table_format.h"
#include "tfs/tfs_document.h"
#include "tfs/tfs_table.h"

namespace mojihyo {
namespace {

using namespace std::string_view_literals;

std::string DecodeTfs(std::string table, std::string_view bytes, std::size_t logical = 0) {
  return Decoder::FromTfs(TfsDocument(std::move(table)), logical).Decode(bytes);
}

// The decode written as plainly as it can be: the longest key that is in
// the map wins, else the byte is raw.
std::string ReferenceDecode(const std::map<std::string, std::string>& entries, std::string_view bytes) {
  std::size_t longest = 0;
  for (const auto& [key, text] : entries) longest = std::max(longest, key.size());
  std::string out;
  for (std::size_t p = 0; p < bytes.size();) {
    std::size_t n = std::min(longest, bytes.size() - p);
    for (; n > 0; --n) {
      auto it = entries.find(std::string(bytes.substr(p, n)));
      if (it != entries.end()) {
        out += it->second;
        break;
      }
    }
    if (n == 0) {
      char raw[6];
      std::snprintf(raw, sizeof raw, "[$%02X]", static_cast<unsigned char>(bytes[p]));
      out += raw;
      n = 1;
    }
    p += n;
  }
  return out;
}

std::string Hex(std::string_view key) {
  std::string s;
  for (unsigned char c : key) {
    char b[3];
    std::snprintf(b, sizeof b, "%02X", c);
    s += b;
  }
  return s;
}

struct RandomCase {
  std::string file;                            // a TFS table
  std::map<std::string, std::string> entries;  // what it means, first key first
  std::string bytes;                           // input over the keys' bytes
};

// Keys of one to four bytes over few byte values, so that keys are often
// prefixes of one another; texts of any length, some empty; end tokens and
// newlines among the entries; duplicate keys now and then.
RandomCase MakeCase(std::mt19937& rng, int entries) {
  RandomCase c;
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const int values = 2 + pick(10);
  auto byte = [&] { return static_cast<char>(0x30 + pick(values) * 7); };
  for (int i = 0; i < entries; ++i) {
    std::string key;
    for (int n = 1 + pick(4); n > 0; --n) key.push_back(byte());
    std::string text;
    for (int n = pick(6); n > 0; --n) text.push_back(static_cast<char>('a' + pick(26)));
    const int kind = pick(10);
    std::string line, meaning;
    if (kind == 0) {
      line = "/" + Hex(key) + (text.empty() ? "" : "=" + text);
      meaning = text + "\n";
    } else if (kind == 1) {
      line = "*" + Hex(key) + (text.empty() ? "" : "=" + text + "\\n\\n");
      meaning = text + (text.empty() ? "\n" : "\n\n");
    } else {
      line = Hex(key) + "=" + text;
      meaning = text;
    }
    c.file += line + "\n";
    c.entries.emplace(key, meaning);  // the first line of a key counts
  }
  for (int n = pick(400); n > 0; --n) c.bytes.push_back(pick(20) == 0 ? static_cast<char>(rng()) : byte());
  return c;
}

TEST(Decoder, MatchesAPlainLongestMatchLoopOnRandomTables) {
  std::mt19937 rng(20240519);
  for (int round = 0; round < 300; ++round) {
    const RandomCase c = MakeCase(rng, 1 + round % 60);
    const Decoder d = Decoder::FromTfs(TfsDocument(c.file));
    ASSERT_EQ(d.Decode(c.bytes), ReferenceDecode(c.entries, c.bytes)) << "round " << round << "\n" << c.file;
  }
}

TEST(Decoder, EveryWayOfRunningADecodeWritesTheSameText) {
  std::mt19937 rng(7);
  for (int round = 0; round < 100; ++round) {
    const RandomCase c = MakeCase(rng, 40);
    const Decoder d = Decoder::FromTfs(TfsDocument(c.file));
    const std::string whole = d.Decode(c.bytes);

    std::string streamed;
    EXPECT_TRUE(d.Stream(c.bytes, [&](std::string_view s) {
      streamed += s;
      return true;
    }));
    EXPECT_EQ(streamed, whole);

    // In steps of a few bytes, the cursor carrying on; pieces tile the
    // bytes and the text.
    std::string stepped;
    std::vector<DecodedPiece> pieces;
    Decoder::Cursor cursor = d.Start(0);
    while (cursor.at < c.bytes.size()) d.Decode(c.bytes, cursor, cursor.at + 1 + rng() % 9, stepped, &pieces);
    EXPECT_EQ(stepped, whole);
    std::uint64_t at = 0, textAt = 0;
    for (const DecodedPiece& p : pieces) {
      ASSERT_EQ(p.at, at);
      ASSERT_EQ(p.textAt, textAt);
      at += p.length;
      textAt += p.textLength;
    }
    EXPECT_EQ(at, c.bytes.size());
    EXPECT_EQ(textAt, whole.size());
  }
}

TEST(Decoder, StreamingStopsAtTheFirstFailedWrite) {
  const Decoder d = Decoder::FromEntries({{"A", "a"}});
  const std::string bytes(4 << 20, 'A');
  int writes = 0;
  EXPECT_FALSE(d.Stream(bytes, [&](std::string_view) { return ++writes < 2; }));
  EXPECT_EQ(writes, 2);
}

TEST(Decoder, LongestKeyWinsAndUnknownBytesAreRaw) {
  const std::string table = "00=Five\n01=Six\n0001=Seven\n7F=x\n7F60=ga\n";
  struct Case {
    std::string bytes, text;
  } cases[] = {
      {{'\x00', '\x01'}, "Seven"},
      {{'\x01', '\x00'}, "SixFive"},
      {{'\x00', '\x00', '\x01'}, "FiveSeven"},
      {"\x7F\x60\x7F", "gax"},
      {"\x7F\x61", "x[$61]"},
      {"\xFF\x0a", "[$FF][$0A]"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeTfs(table, c.bytes), c.text) << Hex(c.bytes);
}

TEST(Decoder, TextIsWrittenAsItsBytesAndAnEmptyTextMatchesAsNothing) {
  EXPECT_EQ(DecodeTfs("41= that \n42=\n43=\xE3\x81\x82\n44=a\\nb\n", "ABCD"),
            " that \xE3\x81\x82"
            "a\\nb");
}

TEST(Decoder, BreaksWriteTheirLabelAndLineEnds) {
  const std::string table = "/FF=[END]\\n\\n\n/FE\n*FD=<LINE>\n*FC\n/FB=[E]\\n\n41=A\n";
  EXPECT_EQ(DecodeTfs(table, "A\xFF" "A\xFE" "A\xFD" "A\xFC" "A\xFB"),
            "A[END]\n\nA\nA<LINE>\nA\nA[E]\n");
}

TEST(Decoder, ControlCodesFormatTheirParameters) {
  const std::string table =
      "21=a\nA0=A\n$E0=[Color],palette=%X,index=%D\n$E1=[keypress]\\n\n$E2=[Bits],v=%B,100%%\n"
      "$E3=<Wait>,2\n$E4=[Pause],1\n$E5=[Odd],frames\n";
  struct Case {
    std::string bytes, text;
  } cases[] = {
      {"\xA0\xE0\xA4\x34\x21", "A[Color palette=$A4 index=52]a"},
      {"\x21\x21\xE1\x21", "aa[keypress]\na"},
      {"\xE2\x05\x09", "[Bits v=%00000101 100%$09]"},
      {"\xE3\x01\xFF\x21", "<Wait><$01><$FF>a"},
      {"\xE4\x7F", "[Pause][$7F]"},
      {"\xE5\x10", "[Odd frames$10]"},
      // Parameters past the end: the code does not match.
      {"\x21\xE0\xA4", "a[$E0][$A4]"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeTfs(table, c.bytes), c.text) << Hex(c.bytes);
}

TEST(Decoder, TheFirstLineOfAKeyCountsWhateverItsKind) {
  EXPECT_EQ(DecodeTfs("/41=[END]\n41=A\n42=B\n42=C\n", "AB"), "[END]\nB");
}

TEST(Decoder, TableSwitchesFollowTheirCounts) {
  const std::string table =
      "@HIRA\n00=\xE3\x81\x82\n01=\xE3\x81\x84\n03=[PlayerName]\n!F8=[KATA],0\n!F9=[KANJI],0\n"
      "@KATA\n00=\xE3\x82\xA2\n01=\xE3\x82\xA4\n02=\xE3\x82\xA6\n!F8=[HIRA],0\n!F9=[KANJI],0\n"
      "@KANJI\n00=\xE4\xBA\x9C\n01=\xE6\x84\x8F\n"
      "@NORMAL\n60=ka\n!7F=[Dakuten],-1\n!30=[KANJI],2\n!32=[Dict],1\n"
      "@Dakuten\n60=ga\n"
      "@Dict\n60=x\n!31=[KANJI],0\n";
  struct Case {
    std::string bytes, text;
    std::size_t start;
  } cases[] = {
      // 0: until nothing matches, falling back one table at a time.
      {{'\xF8', '\x00', '\x01', '\x02', '\xF9', '\x01', '\x03'},
       "\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xA6\xE6\x84\x8F[PlayerName]", 0},
      // -1: until the switch's own key comes again.
      {"\x60\x7F\x60\x60\x7F\x60", "kagagaka", 3},
      // N: that many matches.
      {{'\x30', '\x00', '\x01', '\x00', '\x60'}, "\xE4\xBA\x9C\xE6\x84\x8F[$00]ka", 3},
      // A switch is the one match of @Dict: once @KANJI falls back, so
      // does @Dict, and the byte is tried in @NORMAL.
      {{'\x32', '\x31', '\x00', '\x60'}, "\xE4\xBA\x9Cka", 3},
      // A raw byte leaves every switched table.
      {"\x7F\x60\x61\x60", "ga[$61]ka", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeTfs(table, c.bytes, c.start), c.text) << Hex(c.bytes);
}

TEST(Decoder, SwitchesThatNeverFallBackDoNotPileUp) {
  const std::string table = "@A\n41=a\n!01=[B],-1\n@B\n42=b\n!02=[A],-1\n";
  std::string bytes;
  for (int i = 0; i < 100000; ++i) bytes += "\x01\x02";
  bytes += "AB";
  EXPECT_EQ(DecodeTfs(table, bytes), "a[$42]");
}

TEST(Decoder, ASwitchToATableTheFileDoesNotHoldMatchesNothing) {
  EXPECT_EQ(DecodeTfs("@A\n41=a\n!42=[Nowhere],0\n42=b\n", "AB"), "a[$42]");
}

TEST(Decoder, OlderFormatsUseEntriesSixteenBitEntriesAndBreakValues) {
  FontTable t;
  LoadTableBytes(TableFormat::Thingy, "41=A\n42=B\n0D=cell\n*0D\n/00\n4142=AB!\n42zz=bad\n4243=first\n4243=second\n", t);
  EXPECT_EQ(Decoder::FromFontTable(t).Decode("AABBC\rB\x00\x01"sv), "AAB!first\nB\n[$01]");
}

TEST(Decoder, ATfsTableDecodesThroughItsDocumentAsTheFieldsLeaveIt) {
  FontTable t;
  LoadTableBytes(TableFormat::Tfs, "@one\n41=A\n$E0=[C],%D\n@two\n41=X\n", t);
  SetEntryText(t, 0x42, "B");
  EXPECT_EQ(Decoder::FromFontTable(t).Decode("AB\xE0\x07"), "AB[C 7]");
  LoadTableBytes(TableFormat::Tfs, "@one\n41=A\n@two\n41=X\n", t);
  SwitchLogicalTable(t, 1);
  EXPECT_EQ(Decoder::FromFontTable(t).Decode("A"), "X");
}

TEST(Decoder, WithoutEntriesEveryByteIsRaw) {
  EXPECT_EQ(Decoder().Decode("\x00\xAB"sv), "[$00][$AB]");
  EXPECT_EQ(Decoder::FromEntries({{"", "x"}, {"A", "1"}, {"A", "2"}}).Decode("AB"), "1[$42]");
}

// Tables of many two-byte keys, as games lay them out, are answered from
// the slots of the first two bytes; texts too long to copy from a slot, raw
// bytes, empty texts and longer keys stand among them anywhere.
TEST(Decoder, TablesOfManyTwoByteKeysDecodeLikeTheReference) {
  std::mt19937 rng(64);
  for (int round = 0; round < 40; ++round) {
    std::map<std::string, std::string> entries;
    auto text = [&](int longest) {
      std::string t(rng() % static_cast<unsigned>(longest + 1), '\0');
      for (char& c : t) c = static_cast<char>('a' + rng() % 26);
      return t;
    };
    const int rare = 2 + round % 20;  // one in `rare` entries is out of the ordinary
    for (int b = 0; b < 256; ++b) {
      if (rng() % static_cast<unsigned>(rare) == 0) continue;  // raw
      entries[std::string(1, static_cast<char>(b))] = text(rng() % static_cast<unsigned>(rare) == 0 ? 12 : 3);
    }
    for (int lead = 0x80; lead < 0x80 + 16 + round % 40; ++lead) {
      for (int trail = 0; trail < 256; ++trail) {
        if (rng() % 8 == 0) continue;
        std::string key{static_cast<char>(lead), static_cast<char>(trail)};
        entries[key] = text(rng() % static_cast<unsigned>(rare) == 0 ? 10 : 3);
        if (rng() % static_cast<unsigned>(rare * 8) == 0) entries[key + static_cast<char>(rng())] = "<" + text(4) + ">";
      }
    }
    std::vector<std::pair<std::string, std::string>> list(entries.begin(), entries.end());
    std::shuffle(list.begin(), list.end(), rng);
    const Decoder d = Decoder::FromEntries(list);
    std::string bytes(5000 + rng() % 3000, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    const std::string expected = ReferenceDecode(entries, bytes);
    ASSERT_EQ(d.Decode(bytes), expected) << "round " << round;
    std::string streamed;
    d.Stream(bytes, [&](std::string_view t) {
      streamed += t;
      return true;
    });
    ASSERT_EQ(streamed, expected) << "round " << round;
  }
}

// Every byte value leads two-byte keys, more first bytes than the direct
// slots are kept for: the last ones are walked to.
TEST(Decoder, TwoByteKeysAfterEveryByteDecodeLikeTheReference) {
  std::mt19937 rng(256);
  std::map<std::string, std::string> entries;
  for (int b = 0; b < 256; ++b) {
    entries[std::string(1, static_cast<char>(b))] = std::string(1, static_cast<char>('a' + b % 26));
    for (int k = 0; k < 8; ++k)
      entries[std::string{static_cast<char>(b), static_cast<char>(rng())}] = "<" + std::to_string(b) + ">";
  }
  const Decoder d = Decoder::FromEntries({entries.begin(), entries.end()});
  std::string bytes(20000, '\0');
  for (int i = 0; i < 20000; ++i) bytes[i] = static_cast<char>(i % 7 == 0 ? 0xFF - i % 3 : rng());
  // The last first bytes most of all.
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 50) {
    bytes[i] = '\xFF';
    bytes[i + 1] = entries.upper_bound("\xFF")->first.size() > 1 ? entries.upper_bound("\xFF")->first[1] : '\0';
  }
  EXPECT_EQ(d.Decode(bytes), ReferenceDecode(entries, bytes));
}

TEST(Decoder, ManyLongKeysDecodeLikeTheReference) {
  // Enough children under one byte for the nodes that keep a slot per value.
  std::mt19937 rng(99);
  std::map<std::string, std::string> entries;
  std::vector<std::pair<std::string, std::string>> list;
  for (int i = 0; i < 20000; ++i) {
    std::string key;
    for (int n = 1 + static_cast<int>(rng() % 3); n > 0; --n) key.push_back(static_cast<char>(rng() % 64));
    std::string text = "<" + std::to_string(i) + ">";
    if (entries.emplace(key, text).second) list.emplace_back(key, text);
  }
  const Decoder d = Decoder::FromEntries(list);
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes.push_back(static_cast<char>(rng() % 80));
  EXPECT_EQ(d.Decode(bytes), ReferenceDecode(entries, bytes));
}

}  // namespace
}  // namespace mojihyo
