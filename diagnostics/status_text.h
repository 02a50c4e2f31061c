// The platform's message text for a status code
// (status_text_posix.cpp, status_text_windows.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

// Network status codes, looked up in the network messages before the system's.
constexpr uint32_t NERR_BASE = 2100;
constexpr uint32_t MAX_NERR = 2999;

// Copies at most `capacity` bytes of the narrow text for `status` into `text`
// (no terminator is added) and returns how many were copied; 0 when the
// platform has no text for the code.
std::size_t FetchStatusText(uint32_t status, char* text, std::size_t capacity);
