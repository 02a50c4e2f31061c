// Reading the account attributes the directory returns as text or bytes.
// Each reader takes the value exactly as it came off the wire (not
// 0-terminated) and says whether it was well formed.
#pragma once

#include <cstddef>
#include <cstdint>

// Age reported for a password that was never set or must change at next
// logon: such accounts show as the oldest.
constexpr uint32_t PASSWORD_AGE_NEVER_SET = 0xFFFFFFFF;

// A decimal integer with an optional leading '-', nothing else.
bool ParseDecimal(const char* value, std::size_t length, int64_t* number);

// userAccountControl: a 32-bit flag word, which some servers write as a
// negative number when its top bit is set.
bool ParseAccountFlags(const char* value, std::size_t length, uint32_t* flags);

// The relative identifier (the last sub-authority) of a binary objectSid,
// or 0 when the value is not a well-formed SID.
uint32_t RelativeIdFromSid(const unsigned char* sid, std::size_t length);

// pwdLastSet (100 ns units since 1601-01-01 UTC) to seconds before `now`
// (Unix seconds), clamped to 0..PASSWORD_AGE_NEVER_SET; 0 means never set.
bool PasswordAgeFromPwdLastSet(const char* value, std::size_t length, int64_t now, uint32_t* age);
