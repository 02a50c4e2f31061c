// How many 16-bit units make up the character that starts a text, for the row
// layout that counts, cuts and pads names by characters
// (text_units_posix.cpp, text_units_windows.cpp).
#pragma once

#include <cstddef>

// The most units one character can take on any platform.
constexpr std::size_t MAX_UNITS_PER_CHARACTER = 4;

// Units of the character at the start of `text`, which is not empty
// (at least 1, at most MAX_UNITS_PER_CHARACTER).
std::size_t CharacterUnits(const char16_t* text);
