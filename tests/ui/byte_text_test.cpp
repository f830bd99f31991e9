#include "ui/byte_text.h"

#include <gtest/gtest.h>

#include "core/font_table.h"

namespace mojihyo::ui {
namespace {

class ByteTextTest : public ::testing::Test {
protected:
  ByteText text;  // the display encoding under test
};

const std::string kEucA = "\xA4\xA2";     // あ in EUC-JP
const std::string kSjisA = "\x82\xA0";    // あ in Shift-JIS
const std::string kUtf8A = "\xE3\x81\x82";  // あ in UTF-8

TEST_F(ByteTextTest, LatinOneShowsEveryByteAndTypesEveryByteBack) {
  text = ByteText(DisplayEncoding::Latin1);
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const QString shown = text.ToDisplay(all);
  ASSERT_EQ(shown.size(), 256);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(shown[b].unicode(), b);
  // Every byte but the two line ends, which no table line can hold.
  EXPECT_EQ(text.FromTyped(shown), std::nullopt);
  std::string oneLine = all;
  std::erase_if(oneLine, [](char c) { return c == '\r' || c == '\n'; });
  EXPECT_EQ(text.FromTyped(text.ToDisplay(oneLine)), oneLine);
}

TEST_F(ByteTextTest, EachEncodingShowsItsOwnKana) {
  const std::pair<DisplayEncoding, std::string> cases[] = {
      {DisplayEncoding::EucJp, kEucA}, {DisplayEncoding::ShiftJis, kSjisA},
      {DisplayEncoding::Utf8, kUtf8A}};
  for (const auto& [encoding, bytes] : cases) {
    text = ByteText(encoding);
    EXPECT_EQ(text.ToDisplay(bytes), QString::fromUtf8("\xE3\x81\x82")) << DisplayEncodingName(encoding).toStdString();
    EXPECT_EQ(text.FromTyped(QString::fromUtf8("x\xE3\x81\x82")), "x" + bytes);
  }
}

TEST_F(ByteTextTest, BytesThatDoNotDecodeCleanlyShowOneBytePerCharacter) {
  text = ByteText(DisplayEncoding::EucJp);
  EXPECT_EQ(text.ToDisplay(kSjisA), QString::fromLatin1(kSjisA.data(), 2));
  EXPECT_EQ(text.ToDisplay("\xA4"), QString(QChar(0xA4)));  // half a pair
  text = ByteText(DisplayEncoding::Utf8);
  EXPECT_EQ(text.ToDisplay("\xC0\x80"), QString::fromLatin1("\xC0\x80", 2));  // overlong NUL
  EXPECT_EQ(text.ToDisplay(std::string("a\0b", 3)), QString::fromLatin1("a\0b", 3));
  // A byte-order mark stays a character and comes back as the same bytes.
  EXPECT_EQ(text.FromTyped(text.ToDisplay("\xEF\xBB\xBFx")), "\xEF\xBB\xBFx");
}

TEST_F(ByteTextTest, TypingIntoABytePerCharacterTextKeepsBytes) {
  text = ByteText(DisplayEncoding::EucJp);
  // The cell showed Shift-JIS bytes one per character; adding an "x" keeps them.
  const QString shown = text.ToDisplay(kSjisA);
  EXPECT_EQ(text.FromTyped(shown + "x", kSjisA), kSjisA + "x");
}

TEST_F(ByteTextTest, CharactersTheEncodingCannotHoldFallBackToOneByteOrAreRefused) {
  text = ByteText(DisplayEncoding::ShiftJis);
  EXPECT_EQ(text.FromTyped(QString(QChar(0xE9))), "\xE9");  // no é in Shift-JIS: the byte
  EXPECT_EQ(text.FromTyped(QString::fromUtf8("\xF0\x9F\x98\x80")), std::nullopt);  // an emoji
  text = ByteText(DisplayEncoding::EucJp);
  EXPECT_EQ(text.FromTyped(QString::fromUtf8("a\xF0\x9F\x98\x80")), std::nullopt);
  text = ByteText(DisplayEncoding::Utf8);
  EXPECT_EQ(text.FromTyped(QString::fromUtf8("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
  text = ByteText(DisplayEncoding::Latin1);
  EXPECT_EQ(text.FromTyped(QString::fromUtf8("\xE3\x81\x82")), std::nullopt);
}

TEST_F(ByteTextTest, ABoxStillShowingItsBytesGivesThemBackUnchanged) {
  for (DisplayEncoding e : {DisplayEncoding::Utf8, DisplayEncoding::EucJp, DisplayEncoding::ShiftJis,
                            DisplayEncoding::Latin1}) {
    text = ByteText(e);
    for (const std::string& bytes : {kEucA, kSjisA, kUtf8A, std::string("\xA4\xC0\xE9\x8F")})
      EXPECT_EQ(text.BytesOfBox(text.ToDisplay(bytes), bytes), bytes);
  }
}

TEST_F(ByteTextTest, DetectionTakesTheFirstEncodingThatFitsEveryText) {
  FontTable t;
  EXPECT_EQ(DetectDisplayEncoding(t), DisplayEncoding::Utf8);
  SetEntryText(t, 1, kEucA);
  EXPECT_EQ(DetectDisplayEncoding(t), DisplayEncoding::EucJp);
  // UTF-8 bytes no Japanese byte encoding reads: nothing fits every text.
  t.SixteenBitEntries.push_back("0400=" + kUtf8A);
  EXPECT_EQ(DetectDisplayEncoding(t), DisplayEncoding::Latin1);
  t.SixteenBitEntries.clear();
  SetEntryText(t, 1, kSjisA);
  EXPECT_EQ(DetectDisplayEncoding(t), DisplayEncoding::ShiftJis);
  SetEntryText(t, 1, kUtf8A);
  EXPECT_EQ(DetectDisplayEncoding(t), DisplayEncoding::Utf8);
  // EUC-JP bytes read as Shift-JIS half-width kana too; EUC-JP comes first.
  SetEntryText(t, 1, kEucA);
  EXPECT_EQ(DetectDisplayEncoding(t), DisplayEncoding::EucJp);
}

}  // namespace
}  // namespace mojihyo::ui
