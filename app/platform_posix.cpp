#include "app/platform.h"

#include <csignal>

// The directory library of this platform provides the NT-family operations.
bool IsWindowsNT() { return true; }

// A reader that went away (as in "quorvel ... | head") must not end the run:
// writes then fail quietly and the run's status stays what the report made it.
void PrepareProcess() { std::signal(SIGPIPE, SIG_IGN); }

// Only the low 8 bits of an exit status reach the parent; a failure whose low
// 8 bits are 0 would read as success, so it ends with 255 instead.
int ProcessExitStatus(int32_t runStatus) {
  const int low = static_cast<int>(static_cast<uint32_t>(runStatus) & 0xFFu);
  return (runStatus != 0 && low == 0) ? 255 : low;
}
