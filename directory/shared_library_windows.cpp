#include "directory/shared_library.h"

#include <windows.h>

const char NET_LIBRARY_FILE_NAME[] = "NETAPI32.dll";

void* OpenSharedLibrary(const char* fileName) {
  // LoadLibraryA counts references to a library that is already loaded, so a
  // second open hands back the same module. Nothing is freed: the library stays
  // for the rest of the process.
  return reinterpret_cast<void*>(LoadLibraryA(fileName));
}

void* FindSharedFunction(void* library, const char* functionName) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), functionName));
}
