#include "listing_cursor.h"

#include <ldap.h>

#include <sys/time.h>
#include <time.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "directory/net_account_ops.h"

namespace {

constexpr ber_int_t PAGE_SIZE = 1000;
constexpr char USER_ACCOUNTS_FILTER[] = "(sAMAccountType=805306368)";
constexpr char MACHINE_ACCOUNTS_FILTER[] = "(sAMAccountType=805306369)";
constexpr char LOOKUP_FILTER_FORMAT[] = "(&(objectClass=user)(sAMAccountName=%s))";
// A server that keeps sending empty pages with a cookie is not making
// progress; give up after this many in a row.
constexpr int EMPTY_PAGES_MAX = 100;

enum AttributeIndex {
  ATTR_ACCOUNT_NAME,
  ATTR_DESCRIPTION,
  ATTR_DISPLAY_NAME,
  ATTR_ACCOUNT_CONTROL,
  ATTR_OBJECT_SID,
  ATTR_PWD_LAST_SET,
  ATTR_COUNT
};

constexpr std::array<const char*, ATTR_COUNT> ATTRIBUTE_NAMES = {
    "sAMAccountName", "description", "displayName", "userAccountControl", "objectSid", "pwdLastSet"};

// libldap takes attribute lists as char**; it does not write to them.
struct AttributeList {
  std::array<char*, ATTR_COUNT + 1> names{};
  AttributeList() {
    for (std::size_t i = 0; i < ATTR_COUNT; ++i) {
      names[i] = const_cast<char*>(ATTRIBUTE_NAMES[i]);
    }
  }
};

struct MessageFree {
  void operator()(LDAPMessage* message) const { ldap_msgfree(message); }
};
using MessageHolder = std::unique_ptr<LDAPMessage, MessageFree>;

struct ControlFree {
  void operator()(LDAPControl* control) const { ldap_control_free(control); }
};
using ControlHolder = std::unique_ptr<LDAPControl, ControlFree>;

struct ControlsFree {
  void operator()(LDAPControl** controls) const { ldap_controls_free(controls); }
};
using ControlsHolder = std::unique_ptr<LDAPControl*, ControlsFree>;

struct ValuesFree {
  void operator()(berval** values) const { ldap_value_free_len(values); }
};
using ValuesHolder = std::unique_ptr<berval*, ValuesFree>;

void FreeCookie(berval* cookie) {
  ber_memfree(cookie->bv_val);
  cookie->bv_val = nullptr;
  cookie->bv_len = 0;
}

// Adds the account of one search entry to `page`.
bool AppendEntry(LDAP* connection, LDAPMessage* entry, int64_t now, HeldPage* page) {
  std::array<ValuesHolder, ATTR_COUNT> values;
  AttributeValue fields[ATTR_COUNT] = {};
  for (std::size_t i = 0; i < ATTR_COUNT; ++i) {
    values[i].reset(ldap_get_values_len(connection, entry, ATTRIBUTE_NAMES[i]));
    if (values[i] != nullptr && values[i].get()[0] != nullptr) {
      fields[i] = {values[i].get()[0]->bv_val, values[i].get()[0]->bv_len};
    }
  }
  const AccountAttributes attributes = {fields[ATTR_ACCOUNT_NAME], fields[ATTR_DESCRIPTION],
                                        fields[ATTR_DISPLAY_NAME], fields[ATTR_ACCOUNT_CONTROL],
                                        fields[ATTR_OBJECT_SID],   fields[ATTR_PWD_LAST_SET]};
  return AppendAccount(attributes, now, page);
}

timeval Monotonic() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return {now.tv_sec, static_cast<suseconds_t>(now.tv_nsec / 1000)};
}

// The cookie for the page after the one a search result ends; empty when
// the server sent none.
uint32_t ReadNextCookie(LDAP* connection, LDAPControl** controls, berval* cookie) {
  LDAPControl* pageControl = ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, controls, nullptr);
  if (pageControl == nullptr) {
    return NERR_Success;
  }
  ber_int_t estimate = 0;
  const int read = ldap_parse_pageresponse_control(connection, pageControl, &estimate, cookie);
  return read == LDAP_SUCCESS ? NERR_Success : ERROR_INVALID_DATA;
}

// Runs one subtree search of the domain and reads the accounts into `page`
// as they arrive, so that only one entry is buffered beside the page. The
// whole search gets the operation time-out. Search references are passed
// over. With `pageControl`, `nextCookie` receives the cookie of the page
// after this one.
uint32_t RunSearch(LdapSession* session, const char* filter, LDAPControl* pageControl, int64_t now,
                   HeldPage* page, berval* nextCookie) {
  LDAP* connection = session->connection;
  LDAPControl* serverControls[] = {pageControl, nullptr};
  AttributeList attributes;
  int messageId = 0;
  const int sent = ldap_search_ext(
      connection, session->namingContext, LDAP_SCOPE_SUBTREE, filter, attributes.names.data(), 0,
      pageControl != nullptr ? serverControls : nullptr, nullptr, &session->operationTimeout, 0, &messageId);
  if (sent != LDAP_SUCCESS) {
    return FinishOperation(session, sent);
  }
  timeval deadline = Monotonic();
  timeradd(&deadline, &session->operationTimeout, &deadline);
  for (;;) {
    const timeval current = Monotonic();
    timeval remaining{};
    if (!timercmp(&current, &deadline, <)) {
      ldap_abandon_ext(connection, messageId, nullptr, nullptr);
      return FinishOperation(session, LDAP_TIMEOUT);
    }
    timersub(&deadline, &current, &remaining);
    LDAPMessage* message = nullptr;
    const int type = ldap_result(connection, messageId, LDAP_MSG_ONE, &remaining, &message);
    MessageHolder holder(message);
    if (type == 0) {
      ldap_abandon_ext(connection, messageId, nullptr, nullptr);
      return FinishOperation(session, LDAP_TIMEOUT);
    }
    if (type == -1) {
      int failure = LDAP_SERVER_DOWN;
      ldap_get_option(connection, LDAP_OPT_RESULT_CODE, &failure);
      return FinishOperation(session, failure);
    }
    if (type == LDAP_RES_SEARCH_ENTRY) {
      if (!AppendEntry(connection, message, now, page)) {
        ldap_abandon_ext(connection, messageId, nullptr, nullptr);
        return ERROR_NOT_ENOUGH_MEMORY;
      }
    } else if (type == LDAP_RES_SEARCH_RESULT) {
      int resultCode = LDAP_SUCCESS;
      LDAPControl** controls = nullptr;
      const int parsed =
          ldap_parse_result(connection, message, &resultCode, nullptr, nullptr, nullptr, &controls, 0);
      ControlsHolder controlsHolder(controls);
      if (parsed != LDAP_SUCCESS) {
        return FinishOperation(session, parsed);
      }
      if (resultCode != LDAP_SUCCESS) {
        return FinishOperation(session, resultCode);
      }
      return nextCookie != nullptr ? ReadNextCookie(connection, controls, nextCookie) : NERR_Success;
    }
  }
}

// One paged search request: `pageSize` entries after `cookie` (empty for the
// first page).
uint32_t RequestPage(LdapSession* session, uint32_t level, ber_int_t pageSize, const berval& cookie,
                     int64_t now, HeldPage* page, berval* nextCookie) {
  LDAPControl* pageControl = nullptr;
  berval cookieCopy = cookie;
  const int created = ldap_create_page_control(session->connection, pageSize, &cookieCopy, 0, &pageControl);
  ControlHolder pageControlHolder(pageControl);
  if (created != LDAP_SUCCESS) {
    return OperationStatus(created);
  }
  return RunSearch(session, level == 1 ? USER_ACCOUNTS_FILTER : MACHINE_ACCOUNTS_FILTER, pageControl, now,
                   page, nextCookie);
}

// Replaces the held page with the one after it (or the first one, when no
// cookie is held). On failure nothing is held.
uint32_t FetchPage(LdapSession* session, ListingCursor* cursor, uint32_t level, int64_t now) {
  uint32_t status = ConnectSession(session);
  HeldPage page;
  berval nextCookie = {0, nullptr};
  if (status == NERR_Success && !ReserveHeldEntries(&page, PAGE_SIZE)) {
    status = ERROR_NOT_ENOUGH_MEMORY;
  }
  if (status == NERR_Success) {
    status = RequestPage(session, level, PAGE_SIZE, cursor->cookie, now, &page, &nextCookie);
  }
  if (status != NERR_Success) {
    FreeCookie(&nextCookie);
    DropListing(cursor);
    return status;
  }
  cursor->pageStart += static_cast<uint32_t>(cursor->page.count);
  SwapHeldPages(&cursor->page, &page);
  FreeCookie(&cursor->cookie);
  cursor->cookie = nextCookie;
  cursor->level = level;
  cursor->lookupHint = 0;
  return NERR_Success;
}

// Tells the server the held search will not be continued (a page size of 0
// with the cookie), so that it can let go of its state. Best effort.
void AbandonListing(LdapSession* session, ListingCursor* cursor) {
  if (cursor->cookie.bv_len > 0 && session->connection != nullptr) {
    HeldPage ignored;
    RequestPage(session, cursor->level, 0, cursor->cookie, 0, &ignored, nullptr);
  }
  DropListing(cursor);
}

}  // namespace

ListingCursor::~ListingCursor() { DropListing(this); }

void DropListing(ListingCursor* cursor) {
  cursor->level = 0;
  cursor->pageStart = 0;
  ClearHeldPage(&cursor->page);
  FreeCookie(&cursor->cookie);
  cursor->lookupHint = 0;
}

bool MorePagesFollow(const ListingCursor& cursor) { return cursor.cookie.bv_len > 0; }

uint32_t PositionListing(LdapSession* session, ListingCursor* cursor, uint32_t level, uint32_t index,
                         int64_t now) {
  if (cursor->level != level || index < cursor->pageStart) {
    AbandonListing(session, cursor);
    const uint32_t status = FetchPage(session, cursor, level, now);
    if (status != NERR_Success) {
      return status;
    }
  }
  int emptyPages = 0;
  while (static_cast<uint64_t>(index) >= static_cast<uint64_t>(cursor->pageStart) + cursor->page.count &&
         MorePagesFollow(*cursor)) {
    // The cookie belongs to the connection that issued it: with that one
    // gone, the listing cannot go on.
    if (session->connection == nullptr) {
      DropListing(cursor);
      return ERROR_UNEXP_NET_ERR;
    }
    const uint32_t status = FetchPage(session, cursor, level, now);
    if (status != NERR_Success) {
      return status;
    }
    emptyPages = cursor->page.count == 0 ? emptyPages + 1 : 0;
    if (emptyPages > EMPTY_PAGES_MAX) {
      DropListing(cursor);
      return ERROR_UNEXP_NET_ERR;
    }
  }
  return NERR_Success;
}

bool BuildLookupFilter(const char* name, std::size_t length, char* filter, std::size_t capacity) {
  berval value = {static_cast<ber_len_t>(length), const_cast<char*>(name)};
  berval escaped = {0, nullptr};
  if (ldap_bv2escaped_filter_value(&value, &escaped) != 0) {
    return false;
  }
  const int written = std::snprintf(filter, capacity, LOOKUP_FILTER_FORMAT, escaped.bv_val);
  ber_memfree(escaped.bv_val);
  return written >= 0 && static_cast<std::size_t>(written) < capacity;
}

uint32_t LookupAccount(LdapSession* session, const char* name, std::size_t length, int64_t now,
                       HeldPage* found) {
  // Every byte may become a three-character escape.
  constexpr std::size_t filterOverhead = sizeof LOOKUP_FILTER_FORMAT;
  if (length > (SIZE_MAX - filterOverhead) / 3) {
    return NERR_UserNotFound;
  }
  const std::size_t capacity = filterOverhead + 3 * length;
  std::unique_ptr<char[]> filter(new (std::nothrow) char[capacity]);
  if (filter == nullptr || !BuildLookupFilter(name, length, filter.get(), capacity)) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  const uint32_t connected = ConnectSession(session);
  if (connected != NERR_Success) {
    return connected;
  }
  ClearHeldPage(found);
  const uint32_t status = RunSearch(session, filter.get(), nullptr, now, found, nullptr);
  if (status != NERR_Success) {
    return status;
  }
  return found->count == 0 ? NERR_UserNotFound : NERR_Success;
}
