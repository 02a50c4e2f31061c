#include "diagnostics/status_text.h"

#include <array>
#include <cstring>
#include <string_view>

// This platform has no message tables of its own: these are the texts of the
// statuses that the program and its directory library produce. Each is one
// line ending in a line feed, as platform message tables end theirs.

namespace {

struct StatusText {
  uint32_t status;
  std::string_view text;
};

constexpr std::array<StatusText, 13> NETWORK_TEXTS{{
    {2102, "The workstation service has not been started.\n"},
    {2106, "This operation is supported only on the primary domain controller.\n"},
    {2138, "The network is not available.\n"},
    {2140, "An internal error occurred in the directory.\n"},
    {2141, "The server is not configured for this operation.\n"},
    {2221, "The user name could not be found.\n"},
    {2226, "This operation is only allowed on the primary domain controller of the domain.\n"},
    {2239, "This account has expired.\n"},
    {2240, "The user is not allowed to log on from this computer.\n"},
    {2242, "The password of this account has expired.\n"},
    {2245, "The password does not meet the password policy of the domain.\n"},
    {2351, "The computer name is not valid.\n"},
    {2453, "No domain controller could be found for this domain.\n"},
}};

constexpr std::array<StatusText, 25> SYSTEM_TEXTS{{
    {1, "The function is not valid.\n"},
    {2, "The system cannot find the file specified.\n"},
    {5, "Access is denied: this account may not read the directory's accounts.\n"},
    {6, "The handle is not valid.\n"},
    {8, "Not enough memory to complete this operation.\n"},
    {13, "The directory returned data that is not valid.\n"},
    {50, "The request is not supported.\n"},
    {53, "The server could not be reached: check the name and that it answers on the network.\n"},
    {54, "The network is busy.\n"},
    {58, "The server cannot perform the requested operation.\n"},
    {59, "An unexpected network error occurred.\n"},
    {64, "The network name is no longer available.\n"},
    {67, "The network name cannot be found.\n"},
    {87, "The parameter is not valid.\n"},
    {121, "The server did not answer in time.\n"},
    {122, "The data area passed to a system call is too small.\n"},
    {124, "The information level is not valid.\n"},
    {126, "The specified library could not be found.\n"},
    {127, "A required function of the directory library could not be found.\n"},
    {234, "More data is available.\n"},
    {1326, "The server refused the logon: obtain a Kerberos ticket with kinit and try again.\n"},
    {1355, "The specified domain does not exist or could not be contacted.\n"},
    {1722, "The server is unavailable.\n"},
    {1727, "The remote procedure call failed and did not execute.\n"},
    {1908, "The domain controller for this domain could not be found.\n"},
}};

template <std::size_t N>
std::string_view Find(const std::array<StatusText, N>& table, uint32_t status) {
  for (const StatusText& entry : table) {
    if (entry.status == status) return entry.text;
  }
  return {};
}

}  // namespace

std::size_t FetchStatusText(uint32_t status, char* text, std::size_t capacity) {
  std::string_view found;
  if (status >= NERR_BASE && status <= MAX_NERR) found = Find(NETWORK_TEXTS, status);
  if (found.empty()) found = Find(SYSTEM_TEXTS, status);
  const std::size_t length = found.size() < capacity ? found.size() : capacity;
  if (length > 0) std::memcpy(text, found.data(), length);
  return length;
}
