// One LDAP connection to one domain controller: connect, SASL bind with the
// user's Kerberos ticket (or the mechanism the LDAP client configuration
// names), and the domain's naming context from the root DSE. A run keeps one
// session per server and reuses it for every call.
#pragma once

#include <sys/time.h>

#include <cstddef>
#include <cstdint>

#include "dc_locator.h"

typedef struct ldap LDAP;

struct LdapSession {
  char host[HOST_NAME_CAPACITY] = {};
  LDAP* connection = nullptr;  // null until connected, and after a loss
  char* namingContext = nullptr;
  timeval operationTimeout = {};

  LdapSession() = default;
  ~LdapSession();
  LdapSession(const LdapSession&) = delete;
  LdapSession& operator=(const LdapSession&) = delete;
};

// Whether `host` can name an LDAP server in a URL: letters, digits, '-', '.'
// and '_' only.
bool IsUsableHostName(const char* host);

// Connects, binds and reads the naming context unless already connected.
// Returns 0 or the failure's status (53, 121, 1326, 5, 8, 13, 59).
uint32_t ConnectSession(LdapSession* session);

void CloseSession(LdapSession* session);

// The status of a failed bind (53, 121, 8, else 1326).
uint32_t BindFailureStatus(int ldapResult);

// The status of a finished operation other than the bind (0, 5, 8, 13, 121,
// else 59).
uint32_t OperationStatus(int ldapResult);

// The status of a finished operation; a connection found lost is closed, so
// that nothing more is sent over it.
uint32_t FinishOperation(LdapSession* session, int ldapResult);
