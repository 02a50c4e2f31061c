#include "directory/select_server.h"

#include <string>

#include "diagnostics/net_failure.h"
#include "directory/net_binding.h"
#include "report/output.h"

namespace {

// A server name is two backslashes and at least one more character.
constexpr std::size_t SERVER_NAME_MIN = 3;

bool BeginsWithTwoBackslashes(const char16_t* name) { return name[0] == u'\\' && name[1] == u'\\'; }

}  // namespace

void AddLeadingBackslashes(char16_t* name) {
  while (!BeginsWithTwoBackslashes(name)) {
    std::size_t length = std::char_traits<char16_t>::length(name);
    for (std::size_t i = length + 1; i > 0; --i) name[i] = name[i - 1];
    name[0] = u'\\';
  }
}

ServerSelection SelectServer(RunOptions& options, ServerChoice& choice) {
  if (options.computerName[0] != 0) {
    AddLeadingBackslashes(options.computerName.data());
    choice.serverName = options.computerName.data();
  } else {
    if (options.domainName[0] != 0)
      PrintReportFormat(u"\n\nQuerying the %s domain for the PDC...\n", {options.domainName.data()});
    else
      PrintReportText(u"\n\nQuerying the current domain for the PDC...\n");

    uint8_t* returned = nullptr;
    choice.lastNetStatus = bound::NetGetDCName(nullptr, options.domainName.data(), &returned);
    if (choice.lastNetStatus != 0) {
      ErrorBeep();
      PrintDirect(u"\n\nNetGetDCName(%s) failed with error %d\n\n",
                  {options.domainName.data(), choice.lastNetStatus});
      PrintNetErrorText(choice.lastNetStatus);
      PrintDirect(u"\n");
      return ServerSelection::LookupFailed;
    }
    choice.returnedName = returned;
    choice.serverName = reinterpret_cast<const char16_t*>(returned);
  }

  if (choice.serverName == nullptr ||
      std::char_traits<char16_t>::length(choice.serverName) < SERVER_NAME_MIN) {
    ErrorBeep();
    PrintDirect(u"\n");
    PrintDirect(u"\nFailed to retrieve accounts, invalid server name: %s\n", {choice.serverName});
    PrintDirect(u"\n");
    return ServerSelection::InvalidName;
  }
  return ServerSelection::Chosen;
}
