#include "session.h"

#include <gtest/gtest.h>
#include <ldap.h>

TEST(Session, BindFailuresAreReachabilityTimeOutMemoryOrLogon) {
  struct Case {
    int ldapResult;
    uint32_t status;
  };
  const Case cases[] = {
      {LDAP_SERVER_DOWN, 53},        {LDAP_CONNECT_ERROR, 53},         {LDAP_TIMEOUT, 121},
      {LDAP_NO_MEMORY, 8},           {LDAP_LOCAL_ERROR, 1326},         {LDAP_AUTH_UNKNOWN, 1326},
      {LDAP_OPERATIONS_ERROR, 1326}, {LDAP_INVALID_CREDENTIALS, 1326}, {LDAP_STRONG_AUTH_REQUIRED, 1326},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BindFailureStatus(c.ldapResult), c.status) << c.ldapResult;
  }
}

TEST(Session, OperationResultsMapToStatuses) {
  struct Case {
    int ldapResult;
    uint32_t status;
  };
  const Case cases[] = {
      {LDAP_SUCCESS, 0},         {LDAP_INSUFFICIENT_ACCESS, 5}, {LDAP_NO_MEMORY, 8},
      {LDAP_DECODING_ERROR, 13}, {LDAP_TIMEOUT, 121},           {LDAP_TIMELIMIT_EXCEEDED, 121},
      {LDAP_SERVER_DOWN, 59},    {LDAP_NO_SUCH_OBJECT, 59},     {LDAP_UNWILLING_TO_PERFORM, 59},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OperationStatus(c.ldapResult), c.status) << c.ldapResult;
  }
}

TEST(Session, HostNamesMustBeSafeInAnLdapUrl) {
  for (const char* good : {"dc1", "dc1.lab.test", "DC-2.Lab_x.test", "127.0.0.11"}) {
    EXPECT_TRUE(IsUsableHostName(good)) << good;
  }
  for (const char* bad : {"", "dc1/x", "dc1:636", "dc1?base", "a b", "dc1%20", "[::1]", "\xC3\xA9"}) {
    EXPECT_FALSE(IsUsableHostName(bad)) << bad;
  }
}
