#include "core/text_form.h"

#include <gtest/gtest.h>

#include "realworld.h"

#include "iconv_reference.h"

#include <filesystem>
#include <iconv.h>
#include <random>
#include <string>

#include "core/lines.h"

namespace mojihyo {
namespace {

namespace fs = std::filesystem;

// UTF-16 bytes of a text of code units, in either byte order.
std::string Units(std::u16string_view units, bool bigEndian = false) {
  std::string bytes;
  for (char16_t u : units) {
    const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(TextForm, DetectsUtf16ByItsMarkOrItsZeroBytes) {
  const struct {
    std::string bytes;
    TextForm form;
  } cases[] = {
      {"\xFF\xFE" + Units(u"41=A\r\n"), TextForm::Utf16LeBom},
      {"\xFE\xFF" + Units(u"41=A\r\n", true), TextForm::Utf16BeBom},
      {"\xFF\xFE", TextForm::Utf16LeBom},
      {Units(u"41=A\r\n42=B\r\n"), TextForm::Utf16Le},
      {Units(u"41=A\r\n42=B\r\n", true), TextForm::Utf16Be},
      // Kana and kanji have no zero byte, but the hex digits around them do.
      {Units(u"8140=\u3000\r\n8141=\u3001\r\n8142=\u4E9C\r\n"), TextForm::Utf16Le},
      {Units(u"8140=\u3000\r\n8141=\u3001\r\n8142=\u4E9C\r\n", true), TextForm::Utf16Be},
      {"41=A\r\n42=B\r\n", TextForm::Bytes},
      {"\xEF\xBB\xBF" "41=A\r\n", TextForm::Bytes},
      {"", TextForm::Bytes},
      {"A", TextForm::Bytes},
      {std::string("A\0", 2), TextForm::Bytes},  // too short to tell
      // A table whose values hold a few zero bytes is still bytes.
      {std::string("00=\0\r\n01=\x01\r\n0A=\0\r\n", 18), TextForm::Bytes},
      {std::string(64, '\0'), TextForm::Bytes},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectTextForm(c.bytes), c.form) << ::testing::PrintToString(c.bytes);
}

TEST(TextForm, RealTablesAreUtf16ExactlyWhenTheirNameSaysSo) {
  MOJIHYO_SKIP_WITHOUT_REALWORLD();
  int utf16 = 0;
  for (const auto& file : fs::directory_iterator(MOJIHYO_REALWORLD)) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(file.path().string(), bytes).ok());
    const bool named = file.path().filename().string().find(".utf16le.") != std::string::npos;
    EXPECT_EQ(DetectTextForm(bytes), named ? TextForm::Utf16LeBom : TextForm::Bytes) << file.path();
    // Without their mark they are still seen for what they are.
    if (named) {
      EXPECT_EQ(DetectTextForm(std::string_view(bytes).substr(2)), TextForm::Utf16Le);
    }
    utf16 += named;
  }
  EXPECT_EQ(utf16, 4);
}

TEST(TextForm, DecodesUtf16ToUtf8) {
  const struct {
    std::string bytes;
    TextForm form;
    std::string utf8;
  } cases[] = {
      {"\xFF\xFE" + Units(u"41=A"), TextForm::Utf16LeBom, "41=A"},
      {"\xFE\xFF" + Units(u"41=A", true), TextForm::Utf16BeBom, "41=A"},
      {Units(u"\u00E9\u3042\uFFFD"), TextForm::Utf16Le, "\xC3\xA9\xE3\x81\x82\xEF\xBF\xBD"},
      {Units(u"\U0001F600x", true), TextForm::Utf16Be, "\xF0\x9F\x98\x80x"},
      {Units(std::u16string(1, u'\0') + u"\uFEFF"), TextForm::Utf16Le,
       std::string("\0\xEF\xBB\xBF", 4)},
      {"\xFF\xFE", TextForm::Utf16LeBom, ""},
  };
  for (const auto& c : cases) {
    std::string utf8 = "old";
    const FileResult r = DecodeUtf16(c.bytes, c.form, utf8);
    EXPECT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(utf8, c.utf8);
    EXPECT_EQ(utf8.capacity(), std::max(utf8.size(), std::string().capacity()))
        << "built in a buffer of its exact size";
  }
}

TEST(TextForm, SaysWhereUtf16IsBroken) {
  const std::u16string kHigh(1, char16_t{0xD800}), kLow(1, char16_t{0xDC00});
  const struct {
    std::string bytes;
    TextForm form;
    std::string error;
  } cases[] = {
      {"\xFF\xFE" + Units(u"4") + "1", TextForm::Utf16LeBom,
       "not valid UTF-16: an odd number of bytes"},
      {"\xFF\xFE" + Units(u"41=" + kHigh), TextForm::Utf16LeBom,
       "not valid UTF-16: a surrogate without its other half at byte 8"},
      {Units(u"4" + kLow + u"1"), TextForm::Utf16Le,
       "not valid UTF-16: a surrogate without its other half at byte 2"},
      {Units(kHigh + u"A", true), TextForm::Utf16Be,
       "not valid UTF-16: a surrogate without its other half at byte 0"},
      {Units(u"A" + kLow + kHigh), TextForm::Utf16Le,
       "not valid UTF-16: a surrogate without its other half at byte 2"},
  };
  for (const auto& c : cases) {
    std::string utf8;
    EXPECT_EQ(DecodeUtf16(c.bytes, c.form, utf8).error, c.error);
  }
}

// Random text of every length of character, as UTF-8.
std::string RandomUtf8(std::mt19937& random, int characters) {
  std::string utf32;
  for (int i = 0; i < characters; ++i) {
    const char32_t bounds[] = {0, 0x80, 0x800, 0x10000, 0x110000};
    const auto kind = random() % 4;
    char32_t c = bounds[kind] + random() % (bounds[kind + 1] - bounds[kind]);
    if (c >= 0xD800 && c <= 0xDFFF) c = 'x';
    for (int b = 0; b < 4; ++b) utf32.push_back(static_cast<char>(c >> (8 * b)));
  }
  return Iconv("UTF-32LE", "UTF-8", utf32);
}

TEST(TextForm, EncodesAndDecodesAsTheCLibraryDoesInPiecesOfAnySize) {
  std::mt19937 random(21);
  const struct {
    TextForm form;
    const char* name;
    std::string mark;
  } forms[] = {{TextForm::Utf16Le, "UTF-16LE", ""},
               {TextForm::Utf16LeBom, "UTF-16LE", "\xFF\xFE"},
               {TextForm::Utf16Be, "UTF-16BE", ""},
               {TextForm::Utf16BeBom, "UTF-16BE", "\xFE\xFF"}};
  for (int round = 0; round < 200; ++round) {
    const std::string text = RandomUtf8(random, static_cast<int>(random() % 40));
    for (const auto& f : forms) {
      std::string bytes;
      StringSink sink(bytes);
      Utf16Encoder encoder(sink, f.form);
      for (std::size_t at = 0; at < text.size();) {
        const std::size_t piece = random() % 6;
        encoder.Write(std::string_view(text).substr(at, piece));
        at += piece;
      }
      ASSERT_TRUE(encoder.Finish().ok());
      EXPECT_EQ(bytes, f.mark + Iconv("UTF-8", f.name, text)) << "round " << round;
      std::string back;
      ASSERT_TRUE(DecodeUtf16(bytes, f.form, back).ok());
      EXPECT_EQ(back, text) << "round " << round;
    }
  }
}

TEST(TextForm, RefusesToEncodeWhatIsNotUtf8AndSaysOnWhichLine) {
  const struct {
    std::string utf8;
    std::string error;
  } cases[] = {
      {"41=A\r\n42=\xA4\xA2\r\n", "line 2"},             // EUC-JP
      {"41=\xC0\xAF\r\n", "line 1"},                     // overlong "/"
      {"\r\n\r\n41=\xED\xA0\x80\r\n", "line 3"},         // an encoded surrogate
      {"41=\xF4\x90\x80\x80\r\n", "line 1"},             // beyond U+10FFFF
      {"41=A\r\n42=\xE3\x81", "line 2"},                 // cut short at the end
      {"41=\xE3\x81" "A\r\n", "line 1"},                 // cut short inside
  };
  for (const auto& c : cases) {
    std::string bytes;
    StringSink sink(bytes);
    Utf16Encoder encoder(sink, TextForm::Utf16Le);
    encoder.Write(c.utf8);
    EXPECT_EQ(encoder.Finish().error,
              c.error + " holds bytes that are not UTF-8 text, which a UTF-16 file cannot hold");
  }
}

}  // namespace
}  // namespace mojihyo
