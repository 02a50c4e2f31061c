// A listing is one paged LDAP search of 1000 entries a page, in the server's
// order. Only the current page and the cookie for the next one are held: a
// call inside the held page or at its end is served without going back to
// the start, a call before it starts the search again.
#pragma once

#include <lber.h>

#include <cstddef>
#include <cstdint>

#include "held_page.h"
#include "session.h"

struct ListingCursor {
  uint32_t level = 0;      // 0 while no listing is held
  uint32_t pageStart = 0;  // listing position of the held page's first entry
  HeldPage page;
  berval cookie = {0, nullptr};  // empty when the held page is the last
  std::size_t lookupHint = 0;    // where the next lookup is likely to be

  ListingCursor() = default;
  ~ListingCursor();
  ListingCursor(const ListingCursor&) = delete;
  ListingCursor& operator=(const ListingCursor&) = delete;
};

void DropListing(ListingCursor* cursor);

// Makes the cursor hold the page of listing `level` that contains position
// `index`, or the last page when `index` lies past the end. Returns 0 or the
// failure's status; after a failure nothing is held.
uint32_t PositionListing(LdapSession* session, ListingCursor* cursor, uint32_t level, uint32_t index,
                         int64_t now);

// Whether entries follow those of the held page.
bool MorePagesFollow(const ListingCursor& cursor);

// Builds the escaped lookup filter for one account name into `filter`.
// Returns false when it does not fit or memory runs out.
bool BuildLookupFilter(const char* name, std::size_t length, char* filter, std::size_t capacity);

// Fetches one account by sAMAccountName into `found` (one entry). Returns 0,
// 2221 when there is no such account, or the failure's status.
uint32_t LookupAccount(LdapSession* session, const char* name, std::size_t length, int64_t now,
                       HeldPage* found);
