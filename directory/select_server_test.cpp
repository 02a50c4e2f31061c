#include "directory/select_server.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

std::u16string WithBackslashes(const std::u16string& given) {
  std::array<char16_t, COMPUTER_NAME_CAPACITY> name{};
  given.copy(name.data(), given.size());
  AddLeadingBackslashes(name.data());
  return name.data();
}

TEST(SelectServer, AddsBackslashesUntilTheNameBeginsWithTwo) {
  EXPECT_EQ(WithBackslashes(u"SRV1"), u"\\\\SRV1");
  EXPECT_EQ(WithBackslashes(u"\\SRV1"), u"\\\\SRV1");
  EXPECT_EQ(WithBackslashes(u"\\\\SRV1"), u"\\\\SRV1");
  EXPECT_EQ(WithBackslashes(u"\\\\\\"), u"\\\\\\");
  EXPECT_EQ(WithBackslashes(u"\\"), u"\\\\");
  EXPECT_EQ(WithBackslashes(u"/X"), u"\\\\/X");
  // The longest value the parse keeps still fits with both backslashes.
  EXPECT_EQ(WithBackslashes(u"ABCDEFGHIJKLMNOPQRST"), u"\\\\ABCDEFGHIJKLMNOPQRST");
}

}  // namespace
