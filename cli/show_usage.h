// The help screen, written for a help option or a command line without an
// account kind.
#pragma once

#include <cstddef>

// The longest program name shown; a longer argv[0] is cut to this many
// characters before its last backslash is looked for.
constexpr std::size_t PROGRAM_NAME_MAX = 260;

void ShowUsage(const char* programPath);

// The program name shown for `programPath` (the text after its last
// backslash), written into `name`, which holds PROGRAM_NAME_MAX + 1 characters.
void ProgramNameFromPath(const char* programPath, char16_t* name);
