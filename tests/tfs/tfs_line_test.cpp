#include "tfs/tfs_line.h"

#include <gtest/gtest.h>

namespace mojihyo {
namespace {

struct LineCase {
  std::string_view line;
  TfsLineKind kind;
  std::string_view key;   // spelling
  std::string_view text;  // text, label or id
  bool hasText;
};

std::string_view KeyOf(std::string_view line, const TfsLineParse& p) {
  return line.substr(p.keyAt, p.keyLength);
}

TEST(ParseTfsLine, ReadsEachKindLiberally) {
  using K = TfsLineKind;
  const LineCase cases[] = {
      {"", K::Blank, "", "", false},
      {" \t\xEF\xBB\xBF ", K::Blank, "", "", false},
      {"# comment", K::Comment, "", "", false},
      {"; comment", K::Comment, "", "", false},
      {"// comment", K::Comment, "", "", false},
      {"41=A", K::Normal, "41", "A", true},
      {"  0a= spaced ", K::Normal, "0a", " spaced ", true},
      {"F1F500=<Cecil>", K::Normal, "F1F500", "<Cecil>", true},
      {"123=odd", K::Normal, "123", "odd", true},
      {"%01000001=A", K::Normal, "%01000001", "A", true},
      {"6D==", K::Normal, "6D", "=", true},
      {"C1FA=", K::Normal, "C1FA", "", true},
      {"/00=[END]", K::EndToken, "00", "[END]", true},
      {"/00ff", K::EndToken, "00ff", "", false},
      {"/<END>", K::EndToken, "", "<END>", true},
      {"/%111001=[end]\\n", K::EndToken, "%111001", "[end]\\n", true},
      {"*7E=<nl>", K::Newline, "7E", "<nl>", true},
      {"*FE", K::Newline, "FE", "", false},
      {"$f6=[person]\\n,id", K::ControlCode, "f6", "[person]\\n,id", true},
      {"!10=<[10 JMP]>,1", K::TableSwitch, "10", "<[10 JMP]>,1", true},
      {"!%1111=,<@dictionary>:1", K::TableSwitch, "%1111", ",<@dictionary>:1", true},
      {"@hiragana", K::TableId, "", "hiragana", true},
      // Lines no tool of the family reads stay unparsed.
      {"=x", K::Unparsed, "", "", false},
      {"41 A", K::Unparsed, "", "", false},
      {"G1=x", K::Unparsed, "", "", false},
      {"*", K::Unparsed, "", "", false},
      {"*7E junk", K::Unparsed, "", "", false},
      {"$80", K::Unparsed, "", "", false},
      {"!DE", K::Unparsed, "", "", false},
      {"%=x", K::Unparsed, "", "", false},
      {"/", K::Unparsed, "", "", false},
      {"(1000-1FFF) Menu", K::Unparsed, "", "", false},
      {"あ 00", K::Unparsed, "", "", false},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(std::string(c.line));
    const TfsLineParse p = ParseTfsLine(c.line);
    EXPECT_EQ(p.kind, c.kind);
    EXPECT_EQ(KeyOf(c.line, p), c.key);
    EXPECT_EQ(p.textAt != kNoText, c.hasText);
    if (p.textAt != kNoText) {
      EXPECT_EQ(c.line.substr(p.textAt), c.text);
    }
  }
}

TEST(DecodeTfsKey, GivesBytesAndWidth) {
  EXPECT_EQ(DecodeTfsKey("41"), (TfsKey{"\x41", 8}));
  EXPECT_EQ(DecodeTfsKey("0a"), DecodeTfsKey("0A"));
  EXPECT_EQ(DecodeTfsKey("123"), (TfsKey{std::string("\x01\x23", 2), 16}));
  EXPECT_EQ(DecodeTfsKey("F1F500"), (TfsKey{std::string("\xF1\xF5\x00", 3), 24}));
  EXPECT_EQ(DecodeTfsKey("%01000001"), DecodeTfsKey("41"));
  EXPECT_EQ(DecodeTfsKey("%111001"), (TfsKey{"\x39", 6}));
  EXPECT_EQ(DecodeTfsKey("%110101001010"), (TfsKey{"\x0D\x4A", 12}));
  EXPECT_NE(DecodeTfsKey("%1111"), DecodeTfsKey("0F"));
  EXPECT_EQ(HexSpelling(std::string("\x0a\xff", 2)), "0AFF");
}

TEST(ParseControlCode, ReadsTheTfsAndTheLinkedForm) {
  TfsControlCode c = ParseControlCode("[Color],palette=%X,index=%D,%%B,raw");
  EXPECT_EQ(c.label, "[Color]");
  ASSERT_EQ(c.parameters.size(), 4u);
  EXPECT_EQ(c.parameters[0].format, 'X');
  EXPECT_EQ(c.parameters[1].format, 'D');
  EXPECT_EQ(c.parameters[2].format, 0);  // "%%" is a literal percent
  EXPECT_EQ(c.parameters[3].text, "raw");
  EXPECT_EQ(c.linkedBytes, -1);

  c = ParseControlCode("<Color>,1");
  EXPECT_EQ(c.label, "<Color>");
  EXPECT_EQ(c.linkedBytes, 1);
  EXPECT_TRUE(c.parameters.empty());

  c = ParseControlCode("[person]\\n,id");
  EXPECT_EQ(c.label, "[person]");
  EXPECT_TRUE(c.labelNewline);
  ASSERT_EQ(c.parameters.size(), 1u);

  c = ParseControlCode("[a,b]");  // a comma inside the label's brackets
  EXPECT_EQ(c.label, "[a,b]");
  EXPECT_TRUE(c.parameters.empty());
}

TEST(ParseTableSwitch, ReadsTheTfsAndTheAbcdeForm) {
  TfsTableSwitch s = ParseTableSwitch("[Kanji],-1");
  EXPECT_TRUE(s.understood);
  EXPECT_EQ(s.target, "Kanji");
  EXPECT_EQ(s.count, -1);

  s = ParseTableSwitch(",<@dictionary>:1");
  EXPECT_TRUE(s.understood);
  EXPECT_EQ(s.target, "dictionary");
  EXPECT_EQ(s.count, 1);
  EXPECT_EQ(s.label, "");

  s = ParseTableSwitch("<kata>,<@katakana>:0");
  EXPECT_EQ(s.label, "<kata>");
  EXPECT_EQ(s.target, "katakana");
  EXPECT_EQ(s.count, 0);

  s = ParseTableSwitch("<[10 JMP]>,1");
  EXPECT_FALSE(s.understood);
  EXPECT_EQ(s.label, "<[10 JMP]>");
  EXPECT_EQ(s.count, 1);
}

}  // namespace
}  // namespace mojihyo
