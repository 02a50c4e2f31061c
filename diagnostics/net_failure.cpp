#include "diagnostics/net_failure.h"

#include <array>

#include "diagnostics/status_text.h"

void PrintNetErrorText(uint32_t status) {
  std::array<char, STATUS_TEXT_MAX> narrow{};
  const std::size_t length = FetchStatusText(status, narrow.data(), narrow.size());
  if (length == 0) return;
  std::array<char16_t, STATUS_TEXT_MAX + 1> text{};
  for (std::size_t i = 0; i < length && i < STATUS_TEXT_MAX; ++i)
    text[i] = static_cast<unsigned char>(narrow[i]);
  PrintDirect(u"%s", {text.data()});
}

void ReportNetFailure(const char16_t* format, std::initializer_list<FormatArgument> arguments,
                      uint32_t status) {
  ErrorBeep();
  PrintDirect(format, arguments);
  PrintDirect(u"\n");
  PrintNetErrorText(status);
  PrintDirect(u"\n");
}
