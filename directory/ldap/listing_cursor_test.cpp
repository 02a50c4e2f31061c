#include "listing_cursor.h"

#include <gtest/gtest.h>

#include <string>

TEST(LookupFilter, NameIsEscapedInsideTheUserFilter) {
  char filter[256];
  const std::string name("a*b(c)\\d\0e", 10);
  ASSERT_TRUE(BuildLookupFilter(name.data(), name.size(), filter, sizeof filter));
  EXPECT_STREQ(filter, "(&(objectClass=user)(sAMAccountName=a\\2Ab\\28c\\29\\5Cd\\00e))");

  ASSERT_TRUE(BuildLookupFilter("J\xC3\xBCrgen", 7, filter, sizeof filter));
  // Bytes above 0x7F are escaped too, which the server reads as the same value.
  EXPECT_STREQ(filter, "(&(objectClass=user)(sAMAccountName=J\\C3\\BCrgen))");
}

TEST(LookupFilter, RefusesABufferTooSmall) {
  char filter[40];
  EXPECT_FALSE(BuildLookupFilter("administrator", 13, filter, sizeof filter));
}
