#include "app/run.h"

#include "app/platform.h"
#include "cli/parse_options.h"
#include "cli/run_options.h"
#include "cli/show_usage.h"
#include "diagnostics/net_failure.h"
#include "directory/net_account_ops.h"
#include "directory/net_binding.h"
#include "directory/select_server.h"
#include "report/list_accounts.h"
#include "report/output.h"
#include "report/report_layout.h"

namespace {

constexpr int STATUS_USAGE = 1;
constexpr int STATUS_UNSUPPORTED_PLATFORM = 10;

// Everything one run knows, created at its start and owned by it.
struct RunState {
  RunOptions options;
  ServerChoice server;
  RunTally tally;
};

int RefusePlatform() {
  ErrorBeep();
  PrintReportText(u"\nUnsupported platform.", true);
  PrintReportText(u"\n", true);
  PrintReportText(u"\nWindows NT (or Windows 2000) is required.\n\n", true);
  return STATUS_UNSUPPORTED_PLATFORM;
}

int RefuseTooLongName(const char* option) {
  ErrorBeep();
  PrintDirect(u"\nThe name given with %S is too long: at most 20 bytes are allowed.\n", {option});
  return static_cast<int>(ERROR_INVALID_PARAMETER);
}

}  // namespace

int RunQuorvel(int argc, const char* const* argv) {
  RunState run;

  if (!IsWindowsNT()) return RefusePlatform();

  const bool helpAsked = argc > 1 && ParseOptions(argc - 1, argv + 1, run.options);
  SetBareOutput(run.options.bareOutput);
  if (helpAsked || (!run.options.listMachines && !run.options.listUsers)) {
    ShowUsage(argv[0]);
    return STATUS_USAGE;
  }
  if (run.options.tooLongNameOption != nullptr) return RefuseTooLongName(run.options.tooLongNameOption);

  switch (SelectServer(run.options, run.server)) {
    case ServerSelection::LookupFailed:
      return static_cast<int>(run.server.lastNetStatus);
    case ServerSelection::InvalidName:
      run.tally.runStatus = static_cast<int32_t>(NERR_InvalidComputer);
      break;
    case ServerSelection::Chosen:
      PrintReportHeader(run.server.serverName, run.options);
      if (run.options.listMachines) ListMachineAccounts(run.server.serverName, run.options, run.tally);
      if (run.options.listUsers) ListUserAccounts(run.server.serverName, run.options, run.tally);
      if (!run.tally.failureRecorded) {
        PrintReportTotals(run.tally.machinesDisplayed, run.tally.usersDisplayed, run.options);
        run.tally.runStatus = 0;
      }
      break;
  }

  if (run.server.returnedName != nullptr) bound::NetApiBufferFree(run.server.returnedName);
  return run.tally.runStatus;
}
