#include "session.h"

#include <ldap.h>
#include <sasl/sasl.h>

#include <cstdio>
#include <cstring>

#include "directory/net_account_ops.h"

namespace {

constexpr int LDAP_PORT_NUMBER = 389;
constexpr time_t CONNECT_TIMEOUT_SECONDS = 10;
constexpr time_t OPERATION_TIMEOUT_SECONDS = 120;
constexpr char DEFAULT_SASL_MECHANISM[] = "GSSAPI";
constexpr char NAMING_CONTEXT_ATTRIBUTE[] = "defaultNamingContext";

// Answers every SASL prompt with the default the library offers, else with an
// empty text: the bind never asks anyone anything.
int AnswerSaslPrompts(LDAP*, unsigned, void*, void* prompts) {
  for (auto* prompt = static_cast<sasl_interact_t*>(prompts); prompt->id != SASL_CB_LIST_END; ++prompt) {
    const char* answer = prompt->defresult != nullptr ? prompt->defresult : "";
    prompt->result = answer;
    prompt->len = static_cast<unsigned>(std::strlen(answer));
  }
  return LDAP_SUCCESS;
}

// The client configuration's value of a time-out wins; where it sets none the
// handle gets ours.
void ApplyTimeout(LDAP* connection, int option, time_t seconds, timeval* effective) {
  timeval* configured = nullptr;
  if (ldap_get_option(connection, option, &configured) == LDAP_OPT_SUCCESS && configured != nullptr) {
    *effective = *configured;
    ldap_memfree(configured);
    return;
  }
  timeval ours{seconds, 0};
  ldap_set_option(connection, option, &ours);
  *effective = ours;
}

uint32_t ReadNamingContext(LdapSession* session) {
  char attribute[sizeof NAMING_CONTEXT_ATTRIBUTE];
  std::memcpy(attribute, NAMING_CONTEXT_ATTRIBUTE, sizeof attribute);
  char* attributes[] = {attribute, nullptr};
  LDAPMessage* result = nullptr;
  const int searched =
      ldap_search_ext_s(session->connection, "", LDAP_SCOPE_BASE, "(objectClass=*)", attributes, 0, nullptr,
                        nullptr, &session->operationTimeout, 0, &result);
  uint32_t status = FinishOperation(session, searched);
  if (status == NERR_Success) {
    status = ERROR_INVALID_DATA;
    LDAPMessage* entry = ldap_first_entry(session->connection, result);
    berval** values = entry != nullptr ? ldap_get_values_len(session->connection, entry, attribute) : nullptr;
    if (values != nullptr && values[0] != nullptr && values[0]->bv_len > 0 &&
        std::memchr(values[0]->bv_val, 0, values[0]->bv_len) == nullptr) {
      session->namingContext = static_cast<char*>(ber_memalloc(values[0]->bv_len + 1));
      if (session->namingContext == nullptr) {
        status = ERROR_NOT_ENOUGH_MEMORY;
      } else {
        std::memcpy(session->namingContext, values[0]->bv_val, values[0]->bv_len);
        session->namingContext[values[0]->bv_len] = 0;
        status = NERR_Success;
      }
    }
    ldap_value_free_len(values);
  }
  ldap_msgfree(result);
  return status;
}

}  // namespace

LdapSession::~LdapSession() { CloseSession(this); }

bool IsUsableHostName(const char* host) {
  if (*host == 0) {
    return false;
  }
  for (const char* c = host; *c != 0; ++c) {
    const bool usable = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') ||
                        *c == '-' || *c == '.' || *c == '_';
    if (!usable) {
      return false;
    }
  }
  return true;
}

uint32_t BindFailureStatus(int ldapResult) {
  switch (ldapResult) {
    case LDAP_SERVER_DOWN:
    case LDAP_CONNECT_ERROR:
      return ERROR_BAD_NETPATH;
    case LDAP_TIMEOUT:
      return ERROR_SEM_TIMEOUT;
    case LDAP_NO_MEMORY:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_LOGON_FAILURE;
  }
}

uint32_t OperationStatus(int ldapResult) {
  switch (ldapResult) {
    case LDAP_SUCCESS:
      return NERR_Success;
    case LDAP_INSUFFICIENT_ACCESS:
      return ERROR_ACCESS_DENIED;
    case LDAP_NO_MEMORY:
      return ERROR_NOT_ENOUGH_MEMORY;
    case LDAP_DECODING_ERROR:
      return ERROR_INVALID_DATA;
    case LDAP_TIMEOUT:
    case LDAP_TIMELIMIT_EXCEEDED:
      return ERROR_SEM_TIMEOUT;
    default:
      return ERROR_UNEXP_NET_ERR;
  }
}

uint32_t FinishOperation(LdapSession* session, int ldapResult) {
  // libldap would quietly open a fresh, unauthenticated connection for the
  // next request on a lost one; closing the handle prevents that. A request
  // that timed out may still be answered later, so that connection goes too.
  if (ldapResult == LDAP_SERVER_DOWN || ldapResult == LDAP_CONNECT_ERROR || ldapResult == LDAP_TIMEOUT) {
    CloseSession(session);
  }
  return OperationStatus(ldapResult);
}

uint32_t ConnectSession(LdapSession* session) {
  if (session->connection != nullptr) {
    return NERR_Success;
  }
  if (!IsUsableHostName(session->host)) {
    return ERROR_BAD_NETPATH;
  }
  char url[sizeof "ldap://:65535" + HOST_NAME_CAPACITY];
  std::snprintf(url, sizeof url, "ldap://%s:%d", session->host, LDAP_PORT_NUMBER);
  LDAP* connection = nullptr;
  const int initialized = ldap_initialize(&connection, url);
  if (initialized != LDAP_SUCCESS || connection == nullptr) {
    return initialized == LDAP_NO_MEMORY ? ERROR_NOT_ENOUGH_MEMORY : ERROR_BAD_NETPATH;
  }
  session->connection = connection;

  const int version = LDAP_VERSION3;
  ldap_set_option(connection, LDAP_OPT_PROTOCOL_VERSION, &version);
  ldap_set_option(connection, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
  // Kerberos asks for the server by the name we were given; canonicalising it
  // through reverse DNS fails wherever the address has no matching entry.
  ldap_set_option(connection, LDAP_OPT_X_SASL_NOCANON, LDAP_OPT_ON);
  timeval connectTimeout{};
  ApplyTimeout(connection, LDAP_OPT_NETWORK_TIMEOUT, CONNECT_TIMEOUT_SECONDS, &connectTimeout);
  ApplyTimeout(connection, LDAP_OPT_TIMEOUT, OPERATION_TIMEOUT_SECONDS, &session->operationTimeout);

  char* mechanism = nullptr;
  ldap_get_option(connection, LDAP_OPT_X_SASL_MECH, &mechanism);
  const int bound = ldap_sasl_interactive_bind_s(
      connection, nullptr, mechanism != nullptr ? mechanism : DEFAULT_SASL_MECHANISM, nullptr, nullptr,
      LDAP_SASL_QUIET, AnswerSaslPrompts, nullptr);
  ldap_memfree(mechanism);
  if (bound != LDAP_SUCCESS) {
    CloseSession(session);
    return BindFailureStatus(bound);
  }
  const uint32_t status = ReadNamingContext(session);
  if (status != NERR_Success) {
    CloseSession(session);
  }
  return status;
}

void CloseSession(LdapSession* session) {
  if (session->connection != nullptr) {
    ldap_unbind_ext(session->connection, nullptr, nullptr);
    session->connection = nullptr;
  }
  ber_memfree(session->namingContext);
  session->namingContext = nullptr;
}
