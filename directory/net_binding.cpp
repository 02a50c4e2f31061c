#include "directory/net_binding.h"

#include <array>

#include "directory/net_account_ops.h"
#include "directory/shared_library.h"
#include "report/output.h"

namespace {

enum Operation : std::size_t {
  GET_DC_NAME,
  QUERY_DISPLAY_INFORMATION,
  USER_GET_INFO,
  BUFFER_FREE,
  OPERATION_COUNT
};

// Every function is looked up by its name in the library named by
// NET_LIBRARY_FILE_NAME.
constexpr std::array<const char*, OPERATION_COUNT> FUNCTION_NAMES{
    "NetGetDCName", "NetQueryDisplayInformation", "NetUserGetInfo", "NetApiBufferFree"};

void* netLibrary = nullptr;
std::array<void*, OPERATION_COUNT> boundFunctions{};

// Returns the operation's function, binding it now if need be; on failure
// prints what could not be found and returns null. Failures are not remembered.
void* Bind(Operation operation) {
  if (boundFunctions[operation] != nullptr) return boundFunctions[operation];
  if (netLibrary == nullptr) netLibrary = OpenSharedLibrary(NET_LIBRARY_FILE_NAME);
  if (netLibrary == nullptr) {
    PrintDirect(u"\nFailed to find required DLL: %S", {NET_LIBRARY_FILE_NAME});
    return nullptr;
  }
  void* function = FindSharedFunction(netLibrary, FUNCTION_NAMES[operation]);
  if (function == nullptr) {
    PrintDirect(u"\nFailed to find required function %S() in %S",
                {FUNCTION_NAMES[operation], NET_LIBRARY_FILE_NAME});
    return nullptr;
  }
  boundFunctions[operation] = function;
  return function;
}

template <typename Function>
Function BindAs(Operation operation) {
  return reinterpret_cast<Function>(Bind(operation));
}

}  // namespace

namespace bound {

uint32_t NetGetDCName(const char16_t* server, const char16_t* domain, uint8_t** buffer) {
  auto function = BindAs<decltype(&::NetGetDCName)>(GET_DC_NAME);
  return function != nullptr ? function(server, domain, buffer) : ERROR_PROC_NOT_FOUND;
}

uint32_t NetQueryDisplayInformation(const char16_t* server, uint32_t level, uint32_t index,
                                    uint32_t entriesRequested, uint32_t preferredMaximumLength,
                                    uint32_t* returnedEntryCount, void** sortedBuffer) {
  auto function = BindAs<decltype(&::NetQueryDisplayInformation)>(QUERY_DISPLAY_INFORMATION);
  return function != nullptr ? function(server, level, index, entriesRequested, preferredMaximumLength,
                                        returnedEntryCount, sortedBuffer)
                             : ERROR_PROC_NOT_FOUND;
}

uint32_t NetUserGetInfo(const char16_t* server, const char16_t* userName, uint32_t level, uint8_t** buffer) {
  auto function = BindAs<decltype(&::NetUserGetInfo)>(USER_GET_INFO);
  return function != nullptr ? function(server, userName, level, buffer) : ERROR_PROC_NOT_FOUND;
}

void NetApiBufferFree(void* buffer) {
  auto function = BindAs<decltype(&::NetApiBufferFree)>(BUFFER_FREE);
  if (function != nullptr) function(buffer);
}

}  // namespace bound
