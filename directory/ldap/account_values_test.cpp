#include "account_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Decimal(const std::string& text, int64_t* number) {
  return ParseDecimal(text.data(), text.size(), number);
}

}  // namespace

TEST(AccountValues, DecimalsAcceptOnlyDigitsWithAnOptionalMinus) {
  struct Case {
    std::string text;
    bool valid;
    int64_t number;
  };
  const Case cases[] = {
      {"0", true, 0},
      {"512", true, 512},
      {"-1", true, -1},
      {"9223372036854775807", true, INT64_MAX},
      {"-9223372036854775808", true, INT64_MIN},
      {"9223372036854775808", false, 0},
      {"-9223372036854775809", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {" 1", false, 0},
      {"1 ", false, 0},
      {"+1", false, 0},
      {"12a", false, 0},
  };
  for (const Case& c : cases) {
    int64_t number = 42;
    EXPECT_EQ(Decimal(c.text, &number), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(number, c.number) << c.text;
    }
  }
}

TEST(AccountValues, FlagsTakeTheNegativeFormOfTheTopBit) {
  uint32_t flags = 0;
  ASSERT_TRUE(ParseAccountFlags("532480", 6, &flags));
  EXPECT_EQ(flags, 0x82000u);
  ASSERT_TRUE(ParseAccountFlags("-2147483136", 11, &flags));
  EXPECT_EQ(flags, 0x80000200u);
  EXPECT_FALSE(ParseAccountFlags("4294967296", 10, &flags));
  EXPECT_FALSE(ParseAccountFlags("-2147483649", 11, &flags));
}

TEST(AccountValues, RelativeIdIsTheLastSubAuthorityOfAWellFormedSid) {
  // S-1-5-21-1-2-3-1105
  const std::vector<unsigned char> domainUser = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0,    0,    1, 0,
                                                 0, 0, 2, 0, 0, 0, 3, 0, 0,  0, 0x51, 0x04, 0, 0};
  EXPECT_EQ(RelativeIdFromSid(domainUser.data(), domainUser.size()), 1105u);

  std::vector<unsigned char> wrongRevision = domainUser;
  wrongRevision[0] = 2;
  std::vector<unsigned char> countTooLarge = domainUser;
  countTooLarge[1] = 6;
  const std::vector<unsigned char> noSubAuthorities = {1, 0, 0, 0, 0, 0, 0, 5};
  const std::vector<unsigned char> truncated(domainUser.begin(), domainUser.end() - 1);
  const std::vector<unsigned char>* bads[] = {&wrongRevision, &countTooLarge, &noSubAuthorities, &truncated};
  for (const auto* bad : bads) {
    EXPECT_EQ(RelativeIdFromSid(bad->data(), bad->size()), 0u);
  }
  EXPECT_EQ(RelativeIdFromSid(domainUser.data(), 3), 0u);
}

TEST(AccountValues, PasswordAgeCountsFromNowAndClamps) {
  constexpr int64_t now = 1700000000;
  auto pwdLastSet = [](int64_t unixSeconds) {
    return std::to_string((unixSeconds + 11644473600) * 10000000);
  };
  struct Case {
    std::string value;
    bool valid;
    uint32_t age;
  };
  const Case cases[] = {
      {pwdLastSet(now), true, 0},
      {pwdLastSet(now - 30 * 86400), true, 30 * 86400},
      {pwdLastSet(now - 30 * 86400 + 3600), true, 30 * 86400 - 3600},
      {pwdLastSet(now + 86400), true, 0},
      {pwdLastSet(now - 4294967295LL), true, PASSWORD_AGE_NEVER_SET},
      {pwdLastSet(now - 5000000000LL), true, PASSWORD_AGE_NEVER_SET},
      {"1", true, PASSWORD_AGE_NEVER_SET},
      {"9223372036854775807", true, 0},
      {"0", true, PASSWORD_AGE_NEVER_SET},
      {"-1", false, 0},
      {"", false, 0},
      {"13e4", false, 0},
  };
  for (const Case& c : cases) {
    uint32_t age = 7;
    EXPECT_EQ(PasswordAgeFromPwdLastSet(c.value.data(), c.value.size(), now, &age), c.valid) << c.value;
    if (c.valid) {
      EXPECT_EQ(age, c.age) << c.value;
    }
  }
}
