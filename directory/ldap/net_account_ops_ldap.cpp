// The four network account operations over LDAP. Every call blocks; the run
// has one thread. State kept between calls: one session and one listing
// cursor per server, and the time the run started.
#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "dc_locator.h"
#include "directory/net_account_ops.h"
#include "listing_cursor.h"
#include "result_blocks.h"
#include "session.h"
#include "text_mapping.h"

#define QUORVEL_EXPORT __attribute__((visibility("default")))

namespace {

// A run talks to one server, or two when a lookup is repeated elsewhere;
// beyond this the oldest session is closed to make room.
constexpr std::size_t SERVERS_MAX = 4;
// The longest account name a lookup takes, terminator included.
constexpr std::size_t ACCOUNT_NAME_CAPACITY = 4096;

struct ServerState {
  LdapSession session;
  ListingCursor cursor;
};

std::array<ServerState, SERVERS_MAX> servers;
std::size_t serversUsed = 0;

// Password ages are measured from one instant for the whole run, so that two
// accounts set at the same time always show the same age.
int64_t RunStartTime() {
  static const int64_t now = static_cast<int64_t>(std::time(nullptr));
  return now;
}

bool SameHost(const char* a, const char* b) {
  for (; *a != 0 && *b != 0; ++a, ++b) {
    const char lowerA = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a - 'A' + 'a') : *a;
    const char lowerB = (*b >= 'A' && *b <= 'Z') ? static_cast<char>(*b - 'A' + 'a') : *b;
    if (lowerA != lowerB) {
      return false;
    }
  }
  return *a == *b;
}

// The server's host name from "\\name" (the backslashes may be left out).
uint32_t ServerHost(const char16_t* server, char* host, std::size_t capacity) {
  if (server == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (server[0] == u'\\' && server[1] == u'\\') {
    server += 2;
  }
  std::size_t length = 0;
  if (!NarrowText(server, host, capacity, &length) || !IsUsableHostName(host)) {
    return ERROR_BAD_NETPATH;
  }
  return NERR_Success;
}

ServerState* StateFor(const char* host) {
  for (std::size_t i = 0; i < serversUsed && i < SERVERS_MAX; ++i) {
    if (SameHost(servers[i].session.host, host)) {
      return &servers[i];
    }
  }
  ServerState* state = &servers[serversUsed % SERVERS_MAX];
  ++serversUsed;
  DropListing(&state->cursor);
  CloseSession(&state->session);
  std::strncpy(state->session.host, host, sizeof state->session.host - 1);
  return state;
}

}  // namespace

extern "C" {

QUORVEL_EXPORT uint32_t NetGetDCName(const char16_t*, const char16_t* domain, uint8_t** buffer) {
  if (buffer == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  char domainName[HOST_NAME_CAPACITY];
  std::size_t length = 0;
  if (domain == nullptr || domain[0] == 0) {
    if (!FindCurrentDomain(domainName, sizeof domainName)) {
      return NERR_DCNotFound;
    }
  } else if (!NarrowText(domain, domainName, sizeof domainName, &length)) {
    return NERR_DCNotFound;
  }
  char host[HOST_NAME_CAPACITY];
  const uint32_t status = LocatePrimaryDomainController(domainName, host, sizeof host);
  if (status != NERR_Success) {
    return status;
  }
  return BuildServerNameBlock(host, buffer);
}

QUORVEL_EXPORT uint32_t NetQueryDisplayInformation(const char16_t* server, uint32_t level, uint32_t index,
                                                   uint32_t entriesRequested, uint32_t preferredMaximumLength,
                                                   uint32_t* returnedEntryCount, void** sortedBuffer) {
  if (returnedEntryCount == nullptr || sortedBuffer == nullptr || entriesRequested == 0) {
    return ERROR_INVALID_PARAMETER;
  }
  *returnedEntryCount = 0;
  *sortedBuffer = nullptr;
  if (level != 1 && level != 2) {
    return ERROR_INVALID_LEVEL;
  }
  char host[HOST_NAME_CAPACITY];
  const uint32_t hostStatus = ServerHost(server, host, sizeof host);
  if (hostStatus != NERR_Success) {
    return hostStatus;
  }
  ServerState* state = StateFor(host);
  const uint32_t positioned = PositionListing(&state->session, &state->cursor, level, index, RunStartTime());
  if (positioned != NERR_Success) {
    return positioned;
  }
  const ListingCursor& cursor = state->cursor;
  if (index - cursor.pageStart >= cursor.page.count) {
    return NERR_Success;
  }
  const std::size_t first = index - cursor.pageStart;
  uint32_t count = 0;
  const uint32_t built = BuildDisplayBlock(level, cursor.page, first, index, entriesRequested,
                                           preferredMaximumLength, sortedBuffer, &count);
  if (built != NERR_Success) {
    return built;
  }
  *returnedEntryCount = count;
  state->cursor.lookupHint = first;
  const bool more = first + count < cursor.page.count || MorePagesFollow(cursor);
  return more ? ERROR_MORE_DATA : NERR_Success;
}

QUORVEL_EXPORT uint32_t NetUserGetInfo(const char16_t* server, const char16_t* userName, uint32_t level,
                                       uint8_t** buffer) {
  if (userName == nullptr || buffer == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (level != 2) {
    return ERROR_INVALID_LEVEL;
  }
  char host[HOST_NAME_CAPACITY];
  const uint32_t hostStatus = ServerHost(server, host, sizeof host);
  if (hostStatus != NERR_Success) {
    return hostStatus;
  }
  char name[ACCOUNT_NAME_CAPACITY];
  std::size_t nameLength = 0;
  if (!NarrowText(userName, name, sizeof name, &nameLength)) {
    return NERR_UserNotFound;
  }
  ServerState* state = StateFor(host);

  // The report looks up every account of the page it was just given: those
  // are answered from the held page, without a round trip.
  ListingCursor& cursor = state->cursor;
  const std::size_t held = FindHeldEntry(cursor.page, name, nameLength, cursor.lookupHint);
  if (held < cursor.page.count) {
    cursor.lookupHint = held + 1;
    const HeldEntry& entry = cursor.page.entries[held];
    if (entry.lookupStatus != NERR_Success) {
      return entry.lookupStatus;
    }
    return BuildUserInfoBlock(name, nameLength, entry.flags, entry.passwordAge, buffer);
  }
  if (nameLength == 0) {
    return NERR_UserNotFound;
  }
  HeldPage found;
  const uint32_t status = LookupAccount(&state->session, name, nameLength, RunStartTime(), &found);
  if (status != NERR_Success) {
    return status;
  }
  const HeldEntry& entry = found.entries[0];
  if (entry.lookupStatus != NERR_Success) {
    return entry.lookupStatus;
  }
  return BuildUserInfoBlock(name, nameLength, entry.flags, entry.passwordAge, buffer);
}

QUORVEL_EXPORT uint32_t NetApiBufferFree(void* buffer) {
  std::free(buffer);
  return NERR_Success;
}

}  // extern "C"
