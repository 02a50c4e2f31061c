#include "directory/shared_library.h"

#include <dlfcn.h>

const char NET_LIBRARY_FILE_NAME[] = "libquorvel-netapi.so";

void* OpenSharedLibrary(const char* fileName) { return dlopen(fileName, RTLD_NOW | RTLD_LOCAL); }

void* FindSharedFunction(void* library, const char* functionName) { return dlsym(library, functionName); }
