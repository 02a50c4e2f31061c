#include "held_page.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "account_values.h"
#include "directory/net_account_ops.h"

namespace {

constexpr std::size_t TEXTS_INITIAL_CAPACITY = 64 * 1024;

bool ReserveTexts(HeldPage* page, std::size_t extra) {
  if (extra <= page->textsCapacity - page->textsLength) {
    return true;
  }
  std::size_t capacity = page->textsCapacity == 0 ? TEXTS_INITIAL_CAPACITY : page->textsCapacity;
  while (capacity - page->textsLength < extra) {
    if (capacity > SIZE_MAX / 2) {
      return false;
    }
    capacity *= 2;
  }
  char* texts = static_cast<char*>(std::realloc(page->texts, capacity));
  if (texts == nullptr) {
    return false;
  }
  page->texts = texts;
  page->textsCapacity = capacity;
  return true;
}

// Stores a value's bytes, cut at the first 0 byte since the core's texts end
// there.
TextRef StoreText(HeldPage* page, const AttributeValue& value) {
  TextRef text{page->textsLength, 0};
  if (value.bytes != nullptr) {
    const void* zero = std::memchr(value.bytes, 0, value.length);
    text.length = zero == nullptr ? value.length
                                  : static_cast<std::size_t>(static_cast<const char*>(zero) - value.bytes);
    if (text.length > 0) {
      std::memcpy(page->texts + page->textsLength, value.bytes, text.length);
      page->textsLength += text.length;
    }
  }
  return text;
}

}  // namespace

HeldPage::~HeldPage() { ClearHeldPage(this); }

void ClearHeldPage(HeldPage* page) {
  std::free(page->entries);
  std::free(page->texts);
  page->entries = nullptr;
  page->texts = nullptr;
  page->count = page->capacity = 0;
  page->textsLength = page->textsCapacity = 0;
}

void SwapHeldPages(HeldPage* a, HeldPage* b) {
  std::swap(a->entries, b->entries);
  std::swap(a->count, b->count);
  std::swap(a->capacity, b->capacity);
  std::swap(a->texts, b->texts);
  std::swap(a->textsLength, b->textsLength);
  std::swap(a->textsCapacity, b->textsCapacity);
}

bool ReserveHeldEntries(HeldPage* page, std::size_t count) {
  if (count <= page->capacity) {
    return true;
  }
  if (count > SIZE_MAX / sizeof(HeldEntry)) {
    return false;
  }
  auto* entries = static_cast<HeldEntry*>(std::realloc(page->entries, count * sizeof(HeldEntry)));
  if (entries == nullptr) {
    return false;
  }
  page->entries = entries;
  page->capacity = count;
  return true;
}

bool AppendAccount(const AccountAttributes& attributes, int64_t now, HeldPage* page) {
  if (page->count == page->capacity &&
      !ReserveHeldEntries(page, page->capacity == 0 ? 16 : page->capacity * 2)) {
    return false;
  }
  const AttributeValue* texts[] = {&attributes.accountName, &attributes.description, &attributes.displayName};
  std::size_t textBytes = 0;
  for (const AttributeValue* text : texts) {
    if (text->bytes != nullptr) {
      if (text->length > SIZE_MAX / 4) {
        return false;
      }
      textBytes += text->length;
    }
  }
  if (!ReserveTexts(page, textBytes)) {
    return false;
  }

  HeldEntry entry{};
  entry.name = StoreText(page, attributes.accountName);
  entry.comment = StoreText(page, attributes.description);
  entry.fullName = StoreText(page, attributes.displayName);
  bool malformed = attributes.accountName.bytes == nullptr || attributes.accountName.length == 0 ||
                   entry.name.length != attributes.accountName.length;
  if (malformed) {
    // A name that cannot be looked up is listed empty.
    entry.name.length = 0;
  }

  if (attributes.accountControl.bytes != nullptr &&
      !ParseAccountFlags(attributes.accountControl.bytes, attributes.accountControl.length, &entry.flags)) {
    entry.flags = 0;
    malformed = true;
  }
  if (attributes.objectSid.bytes != nullptr) {
    entry.userId = RelativeIdFromSid(reinterpret_cast<const unsigned char*>(attributes.objectSid.bytes),
                                     attributes.objectSid.length);
  }
  entry.passwordAge = PASSWORD_AGE_NEVER_SET;
  if (attributes.pwdLastSet.bytes != nullptr &&
      !PasswordAgeFromPwdLastSet(attributes.pwdLastSet.bytes, attributes.pwdLastSet.length, now,
                                 &entry.passwordAge)) {
    malformed = true;
  }
  entry.lookupStatus = malformed ? ERROR_INVALID_DATA : NERR_Success;
  page->entries[page->count++] = entry;
  return true;
}

std::size_t FindHeldEntry(const HeldPage& page, const char* name, std::size_t length, std::size_t hint) {
  auto matches = [&](std::size_t i) {
    const TextRef text = page.entries[i].name;
    return text.length == length && (length == 0 || std::memcmp(page.texts + text.offset, name, length) == 0);
  };
  if (hint < page.count && matches(hint)) {
    return hint;
  }
  for (std::size_t i = 0; i < page.count; ++i) {
    if (matches(i)) {
      return i;
    }
  }
  return page.count;
}
