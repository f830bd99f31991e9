#include "ui/byte_text.h"

#include <gtest/gtest.h>

namespace mojihyo::ui {
namespace {

TEST(ByteText, EveryByteSurvivesTheTripToTheScreenAndBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const QString shown = ToDisplay(all);
  ASSERT_EQ(shown.size(), 256);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(shown[b].unicode(), b);
  EXPECT_EQ(FromDisplay(shown), all);
}

TEST(ByteText, CharactersBeyondOneByteAreKeptAsUtf8) {
  EXPECT_EQ(FromDisplay(QString::fromUtf8("a\xE3\x81\x82" "b")), "a\xE3\x81\x82" "b");
  EXPECT_EQ(FromDisplay(QString::fromUtf8("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
  EXPECT_EQ(FromDisplay(QString()), "");
}

}  // namespace
}  // namespace mojihyo::ui
