// Process-level facts that differ between platforms
// (platform_posix.cpp, platform_windows.cpp).
#pragma once

#include <cstdint>

// Whether the operating system provides the NT-family network operations.
bool IsWindowsNT();

// Sets up the process before anything is written: standard output's mode and
// what a closed standard output does to the process.
void PrepareProcess();

// The value main returns for a run's status, as the platform's exit status
// can carry it.
int ProcessExitStatus(int32_t runStatus);
