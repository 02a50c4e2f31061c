// The blocks the operations hand out. Each is one allocation holding its
// records and, after them, every text they point to, so that NetApiBufferFree
// releases it whole.
#pragma once

#include <cstddef>
#include <cstdint>

#include "held_page.h"

// "\\" followed by the host name. Returns 0 or 8.
uint32_t BuildServerNameBlock(const char* host, uint8_t** block);

// Display records (level 1: NET_DISPLAY_USER, level 2: NET_DISPLAY_MACHINE) for
// the held entries from `first` on, the first of them at listing position
// `firstPosition`: at most `requested` of them and, past the first, only while
// the block stays within `preferredBytes`. Returns 0 or 8.
uint32_t BuildDisplayBlock(uint32_t level, const HeldPage& page, std::size_t first, uint32_t firstPosition,
                           uint32_t requested, uint32_t preferredBytes, void** block, uint32_t* count);

// A USER_INFO_2 with the name, flags and password age; every other text empty
// and every other number zero. Returns 0 or 8.
uint32_t BuildUserInfoBlock(const char* name, std::size_t nameLength, uint32_t flags, uint32_t passwordAge,
                            uint8_t** block);
