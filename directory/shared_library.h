// Loading a shared library and finding a function in it by name.
// Implemented once per platform (shared_library_posix.cpp, shared_library_windows.cpp).
#pragma once

// The network account library's file name as the platform knows it.
extern const char NET_LIBRARY_FILE_NAME[];

// Loads the library, or returns null when it cannot be loaded. A library that is
// already loaded is not loaded twice; nothing is ever unloaded.
void* OpenSharedLibrary(const char* fileName);

// The address of the named function in a loaded library, or null.
void* FindSharedFunction(void* library, const char* functionName);
