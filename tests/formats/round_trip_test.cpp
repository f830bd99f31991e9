// Randomised round trips with a fixed seed: a table written and read back is
// the same table, and written again gives the same bytes.

#include <gtest/gtest.h>

#include <random>

#include "core/hex_notation.h"
#include "table_test_util.h"

namespace mojihyo {
namespace {

class TableGenerator {
public:
  explicit TableGenerator(unsigned seed) : rng_(seed) {}

  // Text of any bytes but the line ends.
  std::string Text(std::size_t maxLength) {
    std::string s(Below(maxLength + 1), '\0');
    for (char& c : s) {
      do c = static_cast<char>(Below(256));
      while (c == '\r' || c == '\n');
    }
    return s;
  }
  // A value as a written file gives it back: two upper-case hex digits and
  // "h" (the writers upper-case the digits, the readers keep the file's case).
  std::string ReadValue() {
    if (Below(3) == 0) return {};
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[Below(16)], kDigits[Below(16)], 'h'};
  }
  // A kept line that no earlier test of the readers claims.
  std::string KeptLine(char first, char mustContain) {
    std::string s = std::string(1, first) + Text(12) + mustContain + Text(6);
    for (std::size_t i : {2u, 4u})
      if (s.size() > i && s[i] == '=') s[i] = '-';
    return s;
  }
  std::vector<std::string> KeptLines(char first, char mustContain) {
    std::vector<std::string> lines{""};
    for (std::size_t n = Below(4); n > 0; --n) AppendKeptLine(lines, KeptLine(first, mustContain));
    return lines;
  }
  std::string SixteenBitLine() {
    static constexpr char kDigits[] = "0123456789ABCDEFabcdef";
    std::string s;
    for (int i = 0; i < 4; ++i) s.push_back(kDigits[Below(22)]);
    return s + "=" + Text(20);
  }

  FontTable Table(bool withEverything) {
    FontTable t;
    for (int i = 0; i < kEntryCount; ++i) {
      if (Below(3) == 0) SetEntryText(t, i, Text(8));
      if (withEverything && Below(8) == 0) SetEntryLocked(t, i, true);
    }
    t.LineBreakValue1 = ReadValue();
    t.StringBreakValue1 = ReadValue();
    if (!t.LineBreakValue1.empty()) t.LineBreakValue2 = ReadValue();
    if (!t.StringBreakValue1.empty()) t.StringBreakValue2 = ReadValue();
    t.DakutenValue = ReadValue();
    t.HandakutenValue = ReadValue();
    t.ReverseOrder = Below(2);
    t.OmitSymbols = Below(2);
    for (std::size_t n = Below(30); n > 0; --n) t.SixteenBitEntries.push_back(SixteenBitLine());
    t.BookmarkLines = KeptLines('(', ')');
    t.ScriptDumpLines = KeptLines('[', ']');
    t.DollarLines = KeptLines('$', 'x');
    if (withEverything) t.SectionBreakValue = ReadValue();
    t.TableChanged = false;
    return t;
  }

private:
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }
  std::mt19937 rng_;
};

void ExpectRoundTrip(TableFormat format, const FontTable& original) {
  const std::string bytes = testing::Write(format, original);
  FontTable back = testing::Read(format, bytes);
  back.TableChanged = false;
  ASSERT_EQ(back, original) << "file:\n" << bytes;
  ASSERT_EQ(testing::Write(format, back), bytes);
}

TEST(RoundTrip, MoJiHyoKeepsEveryRandomTable) {
  TableGenerator gen(20261207);
  for (int i = 0; i < 400; ++i) ExpectRoundTrip(TableFormat::MoJiHyo, gen.Table(true));
}

TEST(RoundTrip, ThingyKeepsEveryRandomTableWithoutLocksOrSectionBreak) {
  TableGenerator gen(42);
  for (int i = 0; i < 400; ++i) ExpectRoundTrip(TableFormat::Thingy, gen.Table(false));
}

TEST(RoundTrip, HexposureKeepsEntriesAndFirstBreakValues) {
  TableGenerator gen(7);
  for (int i = 0; i < 400; ++i) {
    FontTable full = gen.Table(true);
    FontTable t;
    for (int e = 0; e < kEntryCount; ++e) SetEntryText(t, e, full.EntryText[e]);
    t.LineBreakValue1 = full.LineBreakValue1;
    t.StringBreakValue1 = full.StringBreakValue1;
    t.SectionBreakValue = full.SectionBreakValue;
    t.TableChanged = false;
    ExpectRoundTrip(TableFormat::Hexposure, t);
  }
}

// Writing normalises break values, so a table read back from its own file
// writes the same file again even when the values were typed loosely.
TEST(RoundTrip, TypedValuesSettleAfterOneSave) {
  for (TableFormat format : kAllTableFormats) {
    FontTable t;
    t.LineBreakValue1 = "13";
    t.StringBreakValue1 = "1ffh";
    t.SectionBreakValue = "7FH";
    t.DakutenValue = "xyz";
    const std::string once = testing::Write(format, t);
    EXPECT_EQ(testing::Write(format, testing::Read(format, once)), once) << FormatName(format);
  }
}

}  // namespace
}  // namespace mojihyo
