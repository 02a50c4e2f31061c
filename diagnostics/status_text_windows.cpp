#include "diagnostics/status_text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>

namespace {

// The network status texts live in their own message module, read as data.
constexpr wchar_t NET_MESSAGE_MODULE[] = L"netmsg.dll";

struct ModuleRelease {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using MessageModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleRelease>;

struct LocalRelease {
  void operator()(char* text) const { LocalFree(text); }
};
using LocalText = std::unique_ptr<char, LocalRelease>;

}  // namespace

std::size_t FetchStatusText(uint32_t status, char* text, std::size_t capacity) {
  MessageModule module;
  if (status >= NERR_BASE && status <= MAX_NERR) {
    // Without the module the system's table alone is searched.
    module.reset(LoadLibraryExW(NET_MESSAGE_MODULE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  }

  DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM;
  if (module) flags |= FORMAT_MESSAGE_FROM_HMODULE;

  char* allocated = nullptr;
  // With ALLOCATE_BUFFER the buffer argument receives the address of the text.
  const DWORD length = FormatMessageA(flags, module.get(), status, LANG_USER_DEFAULT,
                                      reinterpret_cast<LPSTR>(&allocated), 0, nullptr);
  const LocalText owned(allocated);
  if (length == 0 || !owned) return 0;

  const std::size_t copied = std::min<std::size_t>(length, capacity);
  std::memcpy(text, owned.get(), copied);
  return copied;
}
