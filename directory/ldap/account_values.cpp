#include "account_values.h"

#include <limits>

namespace {

constexpr int64_t FILETIME_UNITS_PER_SECOND = 10000000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr int64_t FILETIME_TO_UNIX_SECONDS = 11644473600;

constexpr std::size_t SID_HEADER_BYTES = 8;
constexpr std::size_t SID_MAX_SUB_AUTHORITIES = 15;

}  // namespace

bool ParseDecimal(const char* value, std::size_t length, int64_t* number) {
  std::size_t i = 0;
  const bool negative = length > 0 && value[0] == '-';
  if (negative) {
    i = 1;
  }
  if (i == length) {
    return false;
  }
  // Accumulate negatively so that the most negative value also fits.
  int64_t total = 0;
  constexpr int64_t lowest = std::numeric_limits<int64_t>::min();
  for (; i < length; ++i) {
    if (value[i] < '0' || value[i] > '9') {
      return false;
    }
    const int digit = value[i] - '0';
    if (total < (lowest + digit) / 10) {
      return false;
    }
    total = total * 10 - digit;
  }
  if (!negative) {
    if (total == lowest) {
      return false;
    }
    total = -total;
  }
  *number = total;
  return true;
}

bool ParseAccountFlags(const char* value, std::size_t length, uint32_t* flags) {
  int64_t number = 0;
  if (!ParseDecimal(value, length, &number) || number < std::numeric_limits<int32_t>::min() ||
      number > std::numeric_limits<uint32_t>::max()) {
    return false;
  }
  *flags = static_cast<uint32_t>(number);
  return true;
}

uint32_t RelativeIdFromSid(const unsigned char* sid, std::size_t length) {
  if (length < SID_HEADER_BYTES || sid[0] != 1) {
    return 0;
  }
  const std::size_t subAuthorities = sid[1];
  if (subAuthorities == 0 || subAuthorities > SID_MAX_SUB_AUTHORITIES ||
      length != SID_HEADER_BYTES + 4 * subAuthorities) {
    return 0;
  }
  const unsigned char* last = sid + length - 4;
  return static_cast<uint32_t>(last[0]) | static_cast<uint32_t>(last[1]) << 8 |
         static_cast<uint32_t>(last[2]) << 16 | static_cast<uint32_t>(last[3]) << 24;
}

bool PasswordAgeFromPwdLastSet(const char* value, std::size_t length, int64_t now, uint32_t* age) {
  int64_t units = 0;
  if (!ParseDecimal(value, length, &units) || units < 0) {
    return false;
  }
  if (units == 0) {
    *age = PASSWORD_AGE_NEVER_SET;
    return true;
  }
  // Both terms stay far from overflow: units / 10^7 is below 10^12.
  const int64_t setAt = units / FILETIME_UNITS_PER_SECOND - FILETIME_TO_UNIX_SECONDS;
  const int64_t seconds = now - setAt;
  if (seconds <= 0) {
    *age = 0;
  } else if (seconds >= static_cast<int64_t>(PASSWORD_AGE_NEVER_SET)) {
    *age = PASSWORD_AGE_NEVER_SET;
  } else {
    *age = static_cast<uint32_t>(seconds);
  }
  return true;
}
