// Directory text and the core's wide text.
//
// The directory's UTF-8 bytes travel as one 16-bit character per byte, so a
// name the listing hands out comes back to a lookup byte for byte, and UTF-8
// reaches a UTF-8 terminal unchanged through the core's byte-per-character
// output.
#pragma once

#include <cstddef>

// Writes `length` bytes as `length` wide characters plus a 0 terminator;
// `wide` holds at least length + 1 characters.
void WidenBytes(const char* bytes, std::size_t length, char16_t* wide);

// Copies a 0-terminated wide text into `bytes` (capacity including the
// terminator) one byte per character. Returns false, with `bytes` unusable,
// when the text does not fit or holds a character above 0xFF, which no
// directory text can have become.
bool NarrowText(const char16_t* wide, char* bytes, std::size_t capacity, std::size_t* length);
