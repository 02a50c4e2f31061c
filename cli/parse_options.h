// Reading the command line into RunOptions.
#pragma once

#include <cstdint>
#include <string_view>

#include "cli/run_options.h"

// Fills `options` from the arguments after the program's name, in order.
// Returns true when a help option ended the parse.
bool ParseOptions(int argumentCount, const char* const* arguments, RunOptions& options);

// Whether `argument` equals `option`, ignoring the case of ASCII letters only.
bool MatchesWholeArgument(std::string_view argument, std::string_view option);

// Whether `argument` begins with `option`, ignoring the case of ASCII letters only.
bool MatchesPrefix(std::string_view argument, std::string_view option);

// The unsigned number of a /MIN: or /MAX: value, read from its first 9 bytes.
uint32_t ReadDaysValue(std::string_view value);

// Stores a name value widened byte by byte and upper-cased (ASCII only).
// Returns false, leaving `field` untouched, when the value is too long.
bool StoreNameValue(std::string_view value, char16_t* field);
