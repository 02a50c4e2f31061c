#include "cli/parse_options.h"

#include <array>

namespace {

// The bytes of a number value that are read; nine digits cannot overflow 32 bits.
constexpr std::size_t DAYS_VALUE_MAX = 9;

enum class Match { WholeArgument, Prefix };
enum class Effect {
  Help,
  ListMachines,
  ListUsers,
  Domain,
  Computer,
  MaxDays,
  MinDays,
  Bare,
  ShowDC,
  Tabs,
  Verbose
};

struct OptionEntry {
  std::string_view text;
  Match match;
  Effect effect;
};

// Tested in this order for every argument; the help options come first.
constexpr std::array<OptionEntry, 14> OPTION_TABLE{{
    {"/?", Match::WholeArgument, Effect::Help},
    {"-?", Match::WholeArgument, Effect::Help},
    {"/help", Match::WholeArgument, Effect::Help},
    {"-help", Match::WholeArgument, Effect::Help},
    {"/MACHINES", Match::WholeArgument, Effect::ListMachines},
    {"/USERS", Match::WholeArgument, Effect::ListUsers},
    {"/DOMAIN:", Match::Prefix, Effect::Domain},
    {"/COMPUTER:", Match::Prefix, Effect::Computer},
    {"/MAX:", Match::Prefix, Effect::MaxDays},
    {"/MIN:", Match::Prefix, Effect::MinDays},
    {"/B", Match::WholeArgument, Effect::Bare},
    {"/ShowDC", Match::WholeArgument, Effect::ShowDC},
    {"/TABS", Match::WholeArgument, Effect::Tabs},
    {"/V", Match::WholeArgument, Effect::Verbose},
}};

constexpr unsigned char FoldAsciiCase(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

constexpr bool IsBlank(unsigned char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

bool EqualFolded(std::string_view left, std::string_view right) {
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (FoldAsciiCase(static_cast<unsigned char>(left[i])) !=
        FoldAsciiCase(static_cast<unsigned char>(right[i])))
      return false;
  }
  return true;
}

bool Matches(const OptionEntry& entry, std::string_view argument) {
  return entry.match == Match::WholeArgument ? MatchesWholeArgument(argument, entry.text)
                                             : MatchesPrefix(argument, entry.text);
}

void StoreName(std::string_view option, std::string_view value, char16_t* field, RunOptions& options) {
  if (!StoreNameValue(value, field)) options.tooLongNameOption = option.data();
}

}  // namespace

bool MatchesWholeArgument(std::string_view argument, std::string_view option) {
  return argument.size() == option.size() && EqualFolded(argument, option);
}

bool MatchesPrefix(std::string_view argument, std::string_view option) {
  return argument.size() >= option.size() && EqualFolded(argument.substr(0, option.size()), option);
}

uint32_t ReadDaysValue(std::string_view value) {
  const std::string_view taken = value.substr(0, DAYS_VALUE_MAX);
  std::size_t at = 0;
  while (at < taken.size() && IsBlank(static_cast<unsigned char>(taken[at]))) ++at;
  bool negative = false;
  if (at < taken.size() && (taken[at] == '-' || taken[at] == '+')) negative = taken[at++] == '-';
  uint32_t number = 0;
  for (; at < taken.size() && taken[at] >= '0' && taken[at] <= '9'; ++at)
    number = number * 10 + static_cast<uint32_t>(taken[at] - '0');
  return negative ? 0u - number : number;
}

bool StoreNameValue(std::string_view value, char16_t* field) {
  if (value.size() > NAME_VALUE_MAX) return false;
  std::size_t i = 0;
  for (; i < value.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(value[i]);
    field[i] = (byte >= 'a' && byte <= 'z') ? static_cast<char16_t>(byte - 'a' + 'A') : byte;
  }
  field[i] = 0;
  return true;
}

bool ParseOptions(int argumentCount, const char* const* arguments, RunOptions& options) {
  for (int index = 0; index < argumentCount; ++index) {
    const std::string_view argument = arguments[index];
    for (const OptionEntry& entry : OPTION_TABLE) {
      if (!Matches(entry, argument)) continue;
      const std::string_view value = argument.substr(entry.text.size());
      switch (entry.effect) {
        case Effect::Help:
          return true;
        case Effect::ListMachines:
          options.listMachines = true;
          break;
        case Effect::ListUsers:
          options.listUsers = true;
          break;
        case Effect::Domain:
          StoreName(entry.text, value, options.domainName.data(), options);
          break;
        case Effect::Computer:
          StoreName(entry.text, value, options.computerName.data(), options);
          break;
        case Effect::MaxDays:
          options.maxDays = ReadDaysValue(value);
          break;
        case Effect::MinDays:
          options.minDays = ReadDaysValue(value);
          break;
        case Effect::Bare:
          options.bareOutput = true;
          break;
        case Effect::ShowDC:
          options.showDomainControllers = true;
          break;
        case Effect::Tabs:
          options.tabSeparated = true;
          break;
        case Effect::Verbose:
          options.verbose = true;
          break;
      }
      break;  // no argument passes two tests
    }
  }
  return false;
}
