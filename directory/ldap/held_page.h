// The accounts of the LDAP page a listing currently holds, reduced to what
// the listing records and the per-account lookup need. The page's texts live
// in one byte store; entries refer to them by offset.
#pragma once

#include <cstddef>
#include <cstdint>

// One attribute value as it came off the wire; `bytes` is null when the
// attribute was absent.
struct AttributeValue {
  const char* bytes;
  std::size_t length;
};

// The six attributes a listing fetches for each account.
struct AccountAttributes {
  AttributeValue accountName;  // sAMAccountName
  AttributeValue description;
  AttributeValue displayName;
  AttributeValue accountControl;  // userAccountControl
  AttributeValue objectSid;
  AttributeValue pwdLastSet;
};

struct TextRef {
  std::size_t offset;
  std::size_t length;
};

struct HeldEntry {
  TextRef name;
  TextRef comment;
  TextRef fullName;
  uint32_t flags;
  uint32_t userId;
  uint32_t passwordAge;
  // What a lookup of this account returns: 0, or 13 for an entry whose name,
  // flags or pwdLastSet the server sent malformed.
  uint32_t lookupStatus;
};

// Owns its storage; moving is by SwapHeldPages.
struct HeldPage {
  HeldEntry* entries = nullptr;
  std::size_t count = 0;
  std::size_t capacity = 0;
  char* texts = nullptr;
  std::size_t textsLength = 0;
  std::size_t textsCapacity = 0;

  HeldPage() = default;
  ~HeldPage();
  HeldPage(const HeldPage&) = delete;
  HeldPage& operator=(const HeldPage&) = delete;
};

void ClearHeldPage(HeldPage* page);
void SwapHeldPages(HeldPage* a, HeldPage* b);

// Makes room for `count` entries. Returns false when memory runs out.
bool ReserveHeldEntries(HeldPage* page, std::size_t count);

// Adds one account; `now` (Unix seconds) gives the password age. Malformed
// values do not stop the listing: a missing or unusable name is listed empty,
// a bad objectSid gives user id 0, and a bad name, userAccountControl or
// pwdLastSet makes the account's lookup fail with 13. Returns false when
// memory runs out.
bool AppendAccount(const AccountAttributes& attributes, int64_t now, HeldPage* page);

// The entry whose name is exactly `name`, looked for first at `hint` (the
// lookups follow the listing's order), or `page.count` when there is none.
std::size_t FindHeldEntry(const HeldPage& page, const char* name, std::size_t length, std::size_t hint);

inline const char* HeldText(const HeldPage& page, TextRef text) { return page.texts + text.offset; }
