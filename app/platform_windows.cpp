#include "app/platform.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

// The record size that GetVersionExW expects for its wide form.
static_assert(sizeof(OSVERSIONINFOW) == 276);

bool IsWindowsNT() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
  // A failed call leaves the platform id unknown: that is no NT-family answer.
  if (!GetVersionExW(&version)) return false;
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

void PrepareProcess() {
  // Text mode: the C runtime turns each line feed written to standard output
  // into a carriage return and a line feed.
  _setmode(_fileno(stdout), _O_TEXT);
}

int ProcessExitStatus(int32_t runStatus) {
  // The process exit code carries all 32 bits.
  return runStatus;
}
