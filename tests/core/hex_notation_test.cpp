#include "core/hex_notation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace mojihyo {
namespace {

struct PadHexCase {
  const char* text;
  int width;
  const char* expected;
};

void PrintTo(const PadHexCase& c, std::ostream* os) {
  *os << "PadHex(\"" << c.text << "\", " << c.width << ")";
}

class PadHexExamples : public ::testing::TestWithParam<PadHexCase> {};

TEST_P(PadHexExamples, GiveExactlyWidthUpperCaseDigits) {
  const auto& c = GetParam();
  EXPECT_EQ(PadHex(c.text, c.width), c.expected) << "value text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    HexAndDecimalTexts, PadHexExamples,
    ::testing::Values(PadHexCase{"1h", 2, "01"}, PadHexCase{"1Ah", 2, "1A"},
                      PadHexCase{"1ah", 2, "1A"}, PadHexCase{"10", 2, "0A"},
                      PadHexCase{"1A", 2, "01"}, PadHexCase{"1FH", 2, "01"},
                      PadHexCase{"", 2, "00"}, PadHexCase{"h", 2, "00"},
                      PadHexCase{"100h", 2, "FF"}, PadHexCase{"300", 2, "FF"},
                      PadHexCase{"1.5", 2, "02"}, PadHexCase{"2.5", 2, "02"},
                      PadHexCase{"1.5h", 2, "01"}, PadHexCase{"1E2", 2, "64"},
                      PadHexCase{"400h", 4, "0400"}, PadHexCase{"15B2h", 4, "15B2"},
                      PadHexCase{"1024", 4, "0400"}, PadHexCase{"12345h", 4, "FFFF"}));

INSTANTIATE_TEST_SUITE_P(
    Reading, PadHexExamples,
    ::testing::Values(
        // An upper-case H is not the marker.
        PadHexCase{"7FH", 2, "07"}, PadHexCase{"ffh", 2, "FF"}, PadHexCase{"0dh", 2, "0D"},
        // Decimal rounding goes half to even.
        PadHexCase{"3.5", 2, "04"}, PadHexCase{"0.5", 2, "00"}, PadHexCase{".5", 2, "00"},
        PadHexCase{"0.51", 2, "01"}, PadHexCase{"255.4", 2, "FF"}, PadHexCase{"255.5", 2, "FF"},
        // Rounding is judged on every digit, beyond what a double holds.
        PadHexCase{"2.50000000000000001", 2, "03"}, PadHexCase{"0.50000000000000001", 2, "01"},
        PadHexCase{"254.5000000000000001", 2, "FF"}, PadHexCase{"0.25e1", 2, "02"},
        PadHexCase{"0.35E1", 2, "04"}, PadHexCase{"0.0000000000000000000005e22", 2, "05"},
        PadHexCase{"18446744073709551615", 16, "FFFFFFFFFFFFFFFF"},
        PadHexCase{"18446744073709551614.5", 16, "FFFFFFFFFFFFFFFE"},
        // The exponent letter may be D, either case; without digits it ends the number.
        PadHexCase{"1d2", 2, "64"}, PadHexCase{"1e", 2, "01"}, PadHexCase{"2E1x", 2, "14"},
        PadHexCase{"1E-2", 2, "01"},
        // No sign is read: the text is unreadable and counts as 0.
        PadHexCase{"-5", 2, "00"}, PadHexCase{"x9", 2, "00"},
        // An "h" in the middle or a full stop ends the reading.
        PadHexCase{"1h2h", 2, "01"}, PadHexCase{"1.2.3", 2, "01"},
        // Blanks, tabs and line feeds inside a number are passed over.
        PadHexCase{" 1Ah", 2, "1A"}, PadHexCase{"1 Ah", 2, "1A"}, PadHexCase{"\t4\n0h", 4, "0040"},
        PadHexCase{" 1 0", 2, "0A"}, PadHexCase{"1 . 5", 2, "02"},
        // Leading zeros never count against the width.
        PadHexCase{"00000000000000000000001h", 2, "01"}, PadHexCase{"0000000255", 2, "FF"},
        PadHexCase{"0.0000000000000000000000000001", 2, "00"}, PadHexCase{"0h", 1, "0"},
        PadHexCase{"FFFFh", 4, "FFFF"}, PadHexCase{"10000h", 4, "FFFF"}));

// Numbers far beyond 32 or 64 bits still come out as all F at the width.
INSTANTIATE_TEST_SUITE_P(
    TooLarge, PadHexExamples,
    ::testing::Values(PadHexCase{"FFFFFFFFFh", 2, "FF"},
                      PadHexCase{"10000000000000000h", 4, "FFFF"},
                      PadHexCase{"123456789ABCDEF0123456789h", 8, "FFFFFFFF"},
                      PadHexCase{"2147483648", 2, "FF"}, PadHexCase{"99999999999999999999999", 4, "FFFF"},
                      PadHexCase{"1E400", 2, "FF"}, PadHexCase{"1D99999999999999999999", 4, "FFFF"},
                      PadHexCase{"18446744073709551616", 16, "FFFFFFFFFFFFFFFF"},
                      PadHexCase{"18446744073709551615h", 16, "FFFFFFFFFFFFFFFF"},
                      PadHexCase{"4294967296", 9, "100000000"}));

TEST(PadHex, AlwaysReturnsWidthUpperCaseDigitsWithoutH) {
  const std::string texts[] = {"",      "h",     "H",         "1",
                               "fh",    "zz",    "1.5E3",     "65535",
                               "FFFFFFFFFFFFFFFFFFFFh",       "\xff\x80h",
                               std::string(5000, '9'),        std::string("1\0" "2h", 4)};
  for (const std::string& text : texts) {
    for (int width : {1, 2, 4, 8}) {
      std::string result = PadHex(text, width);
      ASSERT_EQ(result.size(), static_cast<std::size_t>(width)) << text;
      EXPECT_EQ(result.find_first_not_of("0123456789ABCDEF"), std::string::npos) << text;
    }
  }
}

TEST(PadHex, HandlesHugeTextsWithoutOverflow) {
  EXPECT_EQ(PadHex(std::string(100000, 'f') + "h", 2), "FF");
  EXPECT_EQ(PadHex(std::string(100000, '0') + "7h", 2), "07");
  EXPECT_EQ(PadHex("0." + std::string(100000, '0') + "9", 2), "00");
  EXPECT_EQ(PadHex(std::string(400, '9'), 2), "FF");
}

TEST(PadHex, NonPositiveWidthGivesEmptyText) {
  EXPECT_EQ(PadHex("1h", 0), "");
  EXPECT_EQ(PadHex("1h", -3), "");
}

TEST(ReadHexNumber, StopsAtTheFirstNonHexCharacter) {
  EXPECT_EQ(ReadHexNumber("4a").value, 0x4Au);
  EXPECT_EQ(ReadHexNumber("ZZ").value, 0u);
  EXPECT_EQ(ReadHexNumber("(8").value, 0u);
  EXPECT_EQ(ReadHexNumber("8(").value, 8u);
  EXPECT_EQ(ReadHexNumber("").value, 0u);
  EXPECT_EQ(ReadHexNumber("\t4").value, 4u);
  EXPECT_EQ(ReadHexNumber("4 ").value, 4u);
  EXPECT_FALSE(ReadHexNumber("FFFFFFFFFFFFFFFF").tooLarge);
  EXPECT_TRUE(ReadHexNumber("1FFFFFFFFFFFFFFFF").tooLarge);
}

TEST(HexKeyFilter, LetsThroughTheAllowedSetBackspaceAndFullStop) {
  for (char c : kHexAllowedChars) EXPECT_TRUE(HexKeyFilter(kHexAllowedChars, c)) << c;
  EXPECT_TRUE(HexKeyFilter(kHexAllowedChars, 8));
  EXPECT_TRUE(HexKeyFilter(kHexAllowedChars, '.'));
  EXPECT_TRUE(HexKeyFilter("", 8));
  EXPECT_TRUE(HexKeyFilter("", '.'));
  EXPECT_TRUE(HexKeyFilter(kHexAllowedChars, 'H'));
}

TEST(HexKeyFilter, DiscardsEverythingElse) {
  for (std::uint32_t key : std::initializer_list<std::uint32_t>{'g', 'x', '-', ' ', 'G', 'z', '\t', '\r', 0u, 3u, 22u, 26u, 127u,
                            0xE9u, 0x3042u, 0x1F600u})
    EXPECT_FALSE(HexKeyFilter(kHexAllowedChars, key)) << key;
  // The search is case-sensitive.
  EXPECT_FALSE(HexKeyFilter("abc", 'A'));
  EXPECT_TRUE(HexKeyFilter("abc", 'a'));
}

TEST(HexByte, GivesTwoUpperCaseDigits) {
  EXPECT_EQ(HexByte(0), "00");
  EXPECT_EQ(HexByte(0x4A), "4A");
  EXPECT_EQ(HexByte(255), "FF");
}

}  // namespace
}  // namespace mojihyo
