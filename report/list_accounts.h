// The two passes over the directory's account listings.
#pragma once

#include <cstdint>

#include "cli/run_options.h"

constexpr int32_t RUN_STATUS_INITIAL = 13;
constexpr uint32_t PAGE_MAX_ENTRIES = 1000;
constexpr uint32_t PAGE_PREFERRED_BYTES = 128000;
constexpr uint32_t SECONDS_PER_DAY = 86400;

// What the passes record: the last failure's status, whether any failure was
// recorded at all (a failure's status may equal RUN_STATUS_INITIAL), and the
// rows written.
struct RunTally {
  int32_t runStatus = RUN_STATUS_INITIAL;
  bool failureRecorded = false;
  int32_t machinesDisplayed = 0;
  int32_t usersDisplayed = 0;
};

void ListMachineAccounts(const char16_t* serverName, const RunOptions& options, RunTally& tally);
void ListUserAccounts(const char16_t* serverName, const RunOptions& options, RunTally& tally);
