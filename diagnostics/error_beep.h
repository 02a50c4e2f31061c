// The failure tone: 443 Hz for 200 ms, or the platform's nearest equivalent
// (error_beep_posix.cpp, error_beep_windows.cpp).
#pragma once

constexpr unsigned ERROR_BEEP_FREQUENCY = 443;
constexpr unsigned ERROR_BEEP_DURATION_MS = 200;

void ErrorBeep();
