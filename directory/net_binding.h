// The four network account operations as the core calls them: each is bound
// from the network library at its first use. A binding that fails prints its
// message and is tried again at the next use; the three operations that
// return a status then return ERROR_PROC_NOT_FOUND (127), and a release that
// cannot be bound is passed over.
#pragma once

#include <cstdint>

namespace bound {

uint32_t NetGetDCName(const char16_t* server, const char16_t* domain, uint8_t** buffer);
uint32_t NetQueryDisplayInformation(const char16_t* server, uint32_t level, uint32_t index,
                                    uint32_t entriesRequested, uint32_t preferredMaximumLength,
                                    uint32_t* returnedEntryCount, void** sortedBuffer);
uint32_t NetUserGetInfo(const char16_t* server, const char16_t* userName, uint32_t level, uint8_t** buffer);
void NetApiBufferFree(void* buffer);

}  // namespace bound
