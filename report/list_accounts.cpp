#include "report/list_accounts.h"

#include "diagnostics/net_failure.h"
#include "directory/net_account_ops.h"
#include "directory/net_binding.h"
#include "report/report_layout.h"

namespace {

constexpr uint32_t MACHINE_LEVEL = 2;
constexpr uint32_t USER_LEVEL = 1;
constexpr uint32_t DETAILS_LEVEL = 2;

// A record's text that the directory left null reads as empty.
const char16_t* OrEmpty(const char16_t* text) { return text != nullptr ? text : u""; }

void RecordFailure(RunTally& tally, uint32_t status) {
  tally.runStatus = static_cast<int32_t>(status);
  tally.failureRecorded = true;
}

// Reads the password age of one account in whole days; reports and records a
// failed lookup and returns false.
bool ReadPasswordDays(const char16_t* serverName, const char16_t* accountName, RunTally& tally,
                      uint32_t& days) {
  uint8_t* details = nullptr;
  uint32_t status = bound::NetUserGetInfo(serverName, accountName, DETAILS_LEVEL, &details);
  if (status == NERR_Success && details == nullptr) status = ERROR_INVALID_DATA;
  if (status != NERR_Success) {
    ReportNetFailure(u"\nFailed to retrieve information for %s, error %d\n", {accountName, status}, status);
    RecordFailure(tally, status);
    return false;
  }
  days = reinterpret_cast<const USER_INFO_2*>(details)->usri2_password_age / SECONDS_PER_DAY;
  bound::NetApiBufferFree(details);
  return true;
}

bool PassesAgeFilter(uint32_t days, const RunOptions& options) {
  return days >= options.minDays && days <= options.maxDays;
}

// Examines the entries of one page; returns the resume index after the last
// entry examined.
uint32_t ExamineMachines(const NET_DISPLAY_MACHINE* entries, uint32_t count, uint32_t resumeIndex,
                         const char16_t* serverName, const RunOptions& options, RunTally& tally) {
  for (uint32_t i = 0; i < count; ++i) {
    const NET_DISPLAY_MACHINE& entry = entries[i];
    resumeIndex = entry.usri2_next_index;
    const char16_t* typeText = MACHINE_TYPE_WORKSTATION;
    if ((entry.usri2_flags & UF_SERVER_TRUST_ACCOUNT) != 0) {
      // Without /ShowDC a domain controller ends the page; the listing goes on
      // after it with the next page call.
      if (!options.showDomainControllers) break;
      typeText = MACHINE_TYPE_DOMAIN_CONTROLLER;
    }
    const char16_t* name = OrEmpty(entry.usri2_name);
    uint32_t days = 0;
    if (!ReadPasswordDays(serverName, name, tally, days)) continue;
    if (!PassesAgeFilter(days, options)) continue;
    PrintMachineRow(name, typeText, days, options);
    ++tally.machinesDisplayed;
  }
  return resumeIndex;
}

uint32_t ExamineUsers(const NET_DISPLAY_USER* entries, uint32_t count, uint32_t resumeIndex,
                      const char16_t* serverName, const RunOptions& options, RunTally& tally) {
  for (uint32_t i = 0; i < count; ++i) {
    const NET_DISPLAY_USER& entry = entries[i];
    resumeIndex = entry.usri1_next_index;
    const char16_t* name = OrEmpty(entry.usri1_name);
    uint32_t days = 0;
    if (!ReadPasswordDays(serverName, name, tally, days)) continue;
    if (!PassesAgeFilter(days, options)) continue;
    PrintUserRow(name, days, OrEmpty(entry.usri1_full_name), OrEmpty(entry.usri1_comment), options);
    ++tally.usersDisplayed;
  }
  return resumeIndex;
}

struct PassKind {
  uint32_t level;
  const char16_t* pageFailureMessage;
};

constexpr PassKind MACHINE_PASS{MACHINE_LEVEL, u"\nFailed to retrieve machine accounts from %s, error %d.\n"};
constexpr PassKind USER_PASS{USER_LEVEL, u"\nFailed to retrieve user accounts from %s, error %d.\n"};

// Pages through one listing. One page is held at a time and released before
// the next call.
void RunPass(const PassKind& kind, const char16_t* serverName, const RunOptions& options, RunTally& tally) {
  uint32_t resumeIndex = 0;
  uint32_t entryCount = 0;
  do {
    const uint32_t askedIndex = resumeIndex;
    void* page = nullptr;
    entryCount = 0;
    uint32_t status = bound::NetQueryDisplayInformation(serverName, kind.level, resumeIndex, PAGE_MAX_ENTRIES,
                                                        PAGE_PREFERRED_BYTES, &entryCount, &page);
    if ((status == NERR_Success || status == ERROR_MORE_DATA) && entryCount > 0 && page == nullptr)
      status = ERROR_INVALID_DATA;
    if (status != NERR_Success && status != ERROR_MORE_DATA) {
      ReportNetFailure(kind.pageFailureMessage, {serverName, status}, status);
      RecordFailure(tally, status);
      bound::NetApiBufferFree(page);
      return;
    }
    if (kind.level == MACHINE_LEVEL)
      resumeIndex = ExamineMachines(static_cast<const NET_DISPLAY_MACHINE*>(page), entryCount, resumeIndex,
                                    serverName, options, tally);
    else
      resumeIndex = ExamineUsers(static_cast<const NET_DISPLAY_USER*>(page), entryCount, resumeIndex,
                                 serverName, options, tally);
    bound::NetApiBufferFree(page);
    // A listing whose resume index does not move forward would be asked for
    // the same entries forever.
    if (entryCount > 0 && resumeIndex <= askedIndex) {
      ReportNetFailure(kind.pageFailureMessage, {serverName, ERROR_INVALID_DATA}, ERROR_INVALID_DATA);
      RecordFailure(tally, ERROR_INVALID_DATA);
      return;
    }
  } while (entryCount > 0);
}

}  // namespace

void ListMachineAccounts(const char16_t* serverName, const RunOptions& options, RunTally& tally) {
  RunPass(MACHINE_PASS, serverName, options, tally);
}

void ListUserAccounts(const char16_t* serverName, const RunOptions& options, RunTally& tally) {
  RunPass(USER_PASS, serverName, options, tally);
}
