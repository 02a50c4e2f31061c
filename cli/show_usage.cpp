#include "cli/show_usage.h"

#include <array>

#include "report/output.h"

namespace {

constexpr char16_t PRODUCT_TITLE[] = u"Quorvel";
constexpr char16_t PRODUCT_VERSION[] = u"1.30";
constexpr char16_t NOTICE_TEXT[] = u"Quorvel reads account data only; it changes nothing in the domain.";

}  // namespace

void ProgramNameFromPath(const char* programPath, char16_t* name) {
  std::array<char16_t, PROGRAM_NAME_MAX + 1> widened{};
  std::size_t length = 0;
  for (; length < PROGRAM_NAME_MAX && programPath[length] != 0; ++length)
    widened[length] = static_cast<unsigned char>(programPath[length]);
  std::size_t start = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (widened[i] == u'\\') start = i + 1;
  }
  std::size_t out = 0;
  for (std::size_t i = start; i < length; ++i) name[out++] = widened[i];
  name[out] = 0;
}

void ShowUsage(const char* programPath) {
  std::array<char16_t, PROGRAM_NAME_MAX + 1> programName{};
  ProgramNameFromPath(programPath, programName.data());

  PrintDirect(u"\n");
  PrintDirect(u"\n%s - version %s", {PRODUCT_TITLE, PRODUCT_VERSION});
  PrintDirect(u"\n");
  PrintDirect(u"\nDisplays the password age for user and machine accounts in the specified domain.");
  PrintDirect(u"\n");
  PrintDirect(u"\nThe syntax of this command is:\n");
  PrintDirect(u"\n %s /MACHINES|/USERS [/DOMAIN:name|/COMPUTER:name] [/MIN:x] [/MAX:x]",
              {programName.data()});
  PrintDirect(u"\n          [/B] [/TABS] [/V] [/SHOWDC]");
  PrintDirect(u"\n");
  PrintDirect(u"\n  You must specify whether to retrieve /MACHINES or /USERS (or both).");
  PrintDirect(u"\n");
  PrintDirect(u"\n  /DOMAIN queries an alternate domain, the current domain is the default.");
  PrintDirect(u"\n  /COMPUTER queries a specific computer, instead of the PDC (Overrides /DOMAIN)");
  PrintDirect(u"\n  /MIN:x only displays accounts whose password is at least x days old.");
  PrintDirect(u"\n  /MAX:x only displays accounts whose password is at most x days old.");
  PrintDirect(u"\n  /B displays output in bare format (useful when scripting).");
  PrintDirect(u"\n  /TABS separates columns with tabs instead of spaces (useful when importing).");
  PrintDirect(u"\n  /V displays verbose information, such as user full name and description.");
  PrintDirect(u"\n");
  PrintDirect(u"\n  An argument of /ShowDC will include Domain Controllers in the output.");
  PrintDirect(u"\n  WARNING: Active PDCs & BDCs don't always update their account passwords.");
  PrintDirect(u"\n");
  PrintDirect(u"\n  An argument of /? or -? displays this syntax and returns 1.");
  PrintDirect(u"\n  A successful completion will return 0.\n");
  PrintDirect(u"\n");
  PrintDirect(u"\n");
  PrintDirect(u"\n %s", {NOTICE_TEXT});
  PrintDirect(u"\n");
}
