#include "diagnostics/error_beep.h"

#include <windows.h>

void ErrorBeep() {
  // A missing or busy sound device must not hold up the failure report.
  Beep(ERROR_BEEP_FREQUENCY, ERROR_BEEP_DURATION_MS);
}
