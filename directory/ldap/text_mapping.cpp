#include "text_mapping.h"

void WidenBytes(const char* bytes, std::size_t length, char16_t* wide) {
  for (std::size_t i = 0; i < length; ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
  }
  wide[length] = 0;
}

bool NarrowText(const char16_t* wide, char* bytes, std::size_t capacity, std::size_t* length) {
  std::size_t i = 0;
  for (; wide[i] != 0; ++i) {
    if (wide[i] > 0xFF || i + 1 >= capacity) {
      return false;
    }
    bytes[i] = static_cast<char>(static_cast<unsigned char>(wide[i]));
  }
  if (capacity == 0) {
    return false;
  }
  bytes[i] = 0;
  *length = i;
  return true;
}
