#include "report/text_units.h"

// Text from this platform's directory carries UTF-8 bytes, one per 16-bit
// character. A well-formed UTF-8 sequence is one character; any other byte,
// or a character above 255, is a character of its own.
namespace {

constexpr bool InRange(char16_t unit, unsigned low, unsigned high) { return unit >= low && unit <= high; }

}  // namespace

std::size_t CharacterUnits(const char16_t* text) {
  const char16_t lead = text[0];
  std::size_t length = 0;
  unsigned secondLow = 0x80;
  unsigned secondHigh = 0xBF;
  if (InRange(lead, 0xC2, 0xDF)) {
    length = 2;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    length = 3;
    if (lead == 0xE0) secondLow = 0xA0;   // no overlong forms
    if (lead == 0xED) secondHigh = 0x9F;  // no surrogates
  } else if (InRange(lead, 0xF0, 0xF4)) {
    length = 4;
    if (lead == 0xF0) secondLow = 0x90;   // no overlong forms
    if (lead == 0xF4) secondHigh = 0x8F;  // nothing above U+10FFFF
  } else {
    return 1;
  }
  if (!InRange(text[1], secondLow, secondHigh)) return 1;
  for (std::size_t i = 2; i < length; ++i) {
    if (!InRange(text[i], 0x80, 0xBF)) return 1;
  }
  return length;
}
