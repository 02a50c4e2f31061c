#include "text_mapping.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextMapping, Utf8BytesBecomeOneCharacterEachAndComeBackUnchanged) {
  const std::string utf8 = "J\xC3\xBCrgen\xE2\x82\xAC%";
  std::u16string wide(utf8.size() + 1, u'x');
  WidenBytes(utf8.data(), utf8.size(), wide.data());
  EXPECT_EQ(wide[1], u'\xC3');
  EXPECT_EQ(wide[2], u'\xBC');
  EXPECT_EQ(wide[utf8.size()], 0);

  char bytes[32];
  std::size_t length = 0;
  ASSERT_TRUE(NarrowText(wide.c_str(), bytes, sizeof bytes, &length));
  EXPECT_EQ(std::string(bytes, length), utf8);
}

TEST(TextMapping, NarrowingRefusesWideCharactersAndOverlongTexts) {
  char bytes[4];
  std::size_t length = 0;
  EXPECT_FALSE(NarrowText(u"a\u0100", bytes, sizeof bytes, &length));
  EXPECT_FALSE(NarrowText(u"abcd", bytes, sizeof bytes, &length));
  ASSERT_TRUE(NarrowText(u"abc", bytes, sizeof bytes, &length));
  EXPECT_EQ(length, 3u);
  ASSERT_TRUE(NarrowText(u"", bytes, 1, &length));
  EXPECT_EQ(length, 0u);
  EXPECT_FALSE(NarrowText(u"", bytes, 0, &length));
}
