#include "diagnostics/status_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "diagnostics/net_failure.h"

namespace {

std::string TextOf(uint32_t status, std::size_t capacity = STATUS_TEXT_MAX) {
  std::array<char, 1024> text{};
  return std::string(text.data(), FetchStatusText(status, text.data(), capacity));
}

TEST(StatusText, KnownStatusesHaveOneAsciiLine) {
  for (uint32_t status : {5u, 8u, 13u, 53u, 59u, 87u, 121u, 124u, 127u, 1326u, 1355u, 2221u, 2351u, 2453u}) {
    const std::string text = TextOf(status);
    ASSERT_FALSE(text.empty()) << status;
    EXPECT_EQ(text.find('\n'), text.size() - 1) << status;
    for (char c : text) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << status;
  }
}

TEST(StatusText, UnknownStatusesAndTheCapacityAreRespected) {
  EXPECT_EQ(TextOf(3000), "");
  EXPECT_EQ(TextOf(2099), "");
  EXPECT_EQ(TextOf(0xFFFFFFFFu), "");
  EXPECT_EQ(TextOf(127, 4), TextOf(127).substr(0, 4));
}

}  // namespace
