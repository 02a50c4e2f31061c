#include "held_page.h"

#include <gtest/gtest.h>

#include <string>

#include "account_values.h"

namespace {

constexpr int64_t NOW = 1700000000;

AttributeValue Value(const std::string& text) { return {text.data(), text.size()}; }

std::string Text(const HeldPage& page, TextRef text) {
  return std::string(HeldText(page, text), text.length);
}

const std::string kSid(
    "\x01\x05\x00\x00\x00\x00\x00\x05\x15\x00\x00\x00\x01\x00\x00\x00"
    "\x02\x00\x00\x00\x03\x00\x00\x00\xE9\x03\x00\x00",
    28);

}  // namespace

TEST(HeldPage, KeepsEveryFieldOfAWellFormedAccount) {
  const std::string name = "J\xC3\xBCrgen", description = "50% off", full = "J\xC3\xBCrgen M.",
                    control = "512";
  const std::string set = std::to_string((NOW - 86400 + 11644473600) * 10000000);
  HeldPage page;
  ASSERT_TRUE(AppendAccount(
      {Value(name), Value(description), Value(full), Value(control), Value(kSid), Value(set)}, NOW, &page));
  ASSERT_EQ(page.count, 1u);
  const HeldEntry& entry = page.entries[0];
  EXPECT_EQ(Text(page, entry.name), name);
  EXPECT_EQ(Text(page, entry.comment), description);
  EXPECT_EQ(Text(page, entry.fullName), full);
  EXPECT_EQ(entry.flags, 512u);
  EXPECT_EQ(entry.userId, 1001u);
  EXPECT_EQ(entry.passwordAge, 86400u);
  EXPECT_EQ(entry.lookupStatus, 0u);
}

TEST(HeldPage, MalformedValuesSpoilOnlyTheirOwnEntry) {
  const AttributeValue absent = {nullptr, 0};
  const std::string name = "alice", control = "512", set = "0", badNumber = "12x", nameWithZero("ali\0ce", 6),
                    empty;
  struct Case {
    const char* what;
    AccountAttributes attributes;
    std::string listedName;
    uint32_t flags;
    uint32_t userId;
    uint32_t passwordAge;
    uint32_t lookupStatus;
  };
  const Case cases[] = {
      {"all absent but the name",
       {Value(name), absent, absent, absent, absent, absent},
       "alice",
       0,
       0,
       PASSWORD_AGE_NEVER_SET,
       0},
      {"must change at next logon",
       {Value(name), absent, absent, Value(control), Value(kSid), Value(set)},
       "alice",
       512,
       1001,
       PASSWORD_AGE_NEVER_SET,
       0},
      {"no name",
       {absent, absent, absent, Value(control), Value(kSid), Value(set)},
       "",
       512,
       1001,
       PASSWORD_AGE_NEVER_SET,
       13},
      {"empty name",
       {Value(empty), absent, absent, Value(control), absent, absent},
       "",
       512,
       0,
       PASSWORD_AGE_NEVER_SET,
       13},
      {"zero byte in the name",
       {Value(nameWithZero), absent, absent, absent, absent, absent},
       "",
       0,
       0,
       PASSWORD_AGE_NEVER_SET,
       13},
      {"bad pwdLastSet",
       {Value(name), absent, absent, Value(control), Value(kSid), Value(badNumber)},
       "alice",
       512,
       1001,
       PASSWORD_AGE_NEVER_SET,
       13},
      {"bad flags",
       {Value(name), absent, absent, Value(badNumber), Value(kSid), Value(set)},
       "alice",
       0,
       1001,
       PASSWORD_AGE_NEVER_SET,
       13},
      {"bad sid",
       {Value(name), absent, absent, Value(control), Value(name), Value(set)},
       "alice",
       512,
       0,
       PASSWORD_AGE_NEVER_SET,
       0},
  };
  HeldPage page;
  for (const Case& c : cases) {
    ASSERT_TRUE(AppendAccount(c.attributes, NOW, &page)) << c.what;
    const HeldEntry& entry = page.entries[page.count - 1];
    EXPECT_EQ(Text(page, entry.name), c.listedName) << c.what;
    EXPECT_EQ(entry.flags, c.flags) << c.what;
    EXPECT_EQ(entry.userId, c.userId) << c.what;
    EXPECT_EQ(entry.passwordAge, c.passwordAge) << c.what;
    EXPECT_EQ(entry.lookupStatus, c.lookupStatus) << c.what;
  }
  EXPECT_EQ(page.count, std::size(cases));
}

TEST(HeldPage, FindsNamesExactlyWithOrWithoutTheHint) {
  HeldPage page;
  const AttributeValue absent = {nullptr, 0};
  for (const std::string name : {"a", "bob", "Bob", "carol$"}) {
    ASSERT_TRUE(AppendAccount({Value(name), absent, absent, absent, absent, absent}, NOW, &page));
  }
  EXPECT_EQ(FindHeldEntry(page, "Bob", 3, 2), 2u);
  EXPECT_EQ(FindHeldEntry(page, "Bob", 3, 0), 2u);
  EXPECT_EQ(FindHeldEntry(page, "bob", 3, 99), 1u);
  EXPECT_EQ(FindHeldEntry(page, "carol", 5, 3), page.count);
  EXPECT_EQ(FindHeldEntry(page, "", 0, 0), page.count);
  HeldPage empty;
  EXPECT_EQ(FindHeldEntry(empty, "a", 1, 0), 0u);
}

TEST(HeldPage, GrowsAcrossManyLargeTexts) {
  HeldPage page;
  const std::string description(5000, 'd');
  for (int i = 0; i < 100; ++i) {
    const std::string name = "user" + std::to_string(i);
    ASSERT_TRUE(AppendAccount(
        {Value(name), Value(description), {nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}}, NOW,
        &page));
  }
  EXPECT_EQ(Text(page, page.entries[99].name), "user99");
  EXPECT_EQ(Text(page, page.entries[99].comment), description);
  EXPECT_EQ(FindHeldEntry(page, "user42", 6, 0), 42u);
}
