#include "diagnostics/error_beep.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

// A terminal has no tone of a chosen pitch; its bell stands in. The bell goes
// to the controlling terminal, never into standard output or error, and only
// from the terminal's foreground job, so a background run neither blocks nor
// is stopped for writing to it.
void ErrorBeep() {
  const int terminal = open("/dev/tty", O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (terminal < 0) return;
  if (tcgetpgrp(terminal) == getpgrp()) {
    // Whatever the report wrote so far reaches the screen before the bell.
    std::fflush(stdout);
    const char bell = '\a';
    [[maybe_unused]] ssize_t written = write(terminal, &bell, 1);
  }
  close(terminal);
}
