// The settings of one run, read from the command line.
#pragma once

#include <array>
#include <cstdint>

constexpr uint32_t DEFAULT_MAX_DAYS = 999999999;

// A /DOMAIN: or /COMPUTER: value holds at most this many characters.
constexpr std::size_t NAME_VALUE_MAX = 20;

// Room for a computer name of NAME_VALUE_MAX characters with the two leading
// backslashes that make it a server name, and the terminator.
constexpr std::size_t COMPUTER_NAME_CAPACITY = NAME_VALUE_MAX + 2 + 1;
constexpr std::size_t DOMAIN_NAME_CAPACITY = NAME_VALUE_MAX + 1;

struct RunOptions {
  bool listMachines = false;
  bool listUsers = false;
  std::array<char16_t, DOMAIN_NAME_CAPACITY> domainName{};
  std::array<char16_t, COMPUTER_NAME_CAPACITY> computerName{};
  uint32_t minDays = 0;
  uint32_t maxDays = DEFAULT_MAX_DAYS;
  bool bareOutput = false;
  bool showDomainControllers = false;
  bool tabSeparated = false;
  bool verbose = false;
  // The option string ("/DOMAIN:" or "/COMPUTER:") of the last argument whose
  // name value was too long to keep; null when none was. Such a run is refused.
  const char* tooLongNameOption = nullptr;
};
