// Choosing the server that every account query of the run addresses.
#pragma once

#include <cstdint>

#include "cli/run_options.h"

enum class ServerSelection { Chosen, LookupFailed, InvalidName };

struct ServerChoice {
  const char16_t* serverName = nullptr;
  // The name as the domain-controller lookup returned it, for release at the
  // end of the run; null when the name came from the command line.
  uint8_t* returnedName = nullptr;
  uint32_t lastNetStatus = 0;
};

ServerSelection SelectServer(RunOptions& options, ServerChoice& choice);

// Puts backslashes in front of `name` until it begins with two. `name` has
// room for two more characters than it holds.
void AddLeadingBackslashes(char16_t* name);
