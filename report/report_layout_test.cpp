#include "report/report_layout.h"

#include <gtest/gtest.h>

#include "report/captured_output_test.h"

#include <array>
#include <string>

#include "report/output.h"

namespace {

RunOptions Columns() { return RunOptions{}; }
RunOptions Tabs() {
  RunOptions options;
  options.tabSeparated = true;
  return options;
}

TEST(ReportLayout, MachineRowsInBothForms) {
  const RunOptions columns = Columns();
  EXPECT_EQ(Captured([&] { PrintMachineRow(u"PC1$", MACHINE_TYPE_WORKSTATION, 42, columns); }),
            "\nPC1" + std::string(18, ' ') + "Workstation/Server  42");
  EXPECT_EQ(
      Captured([&] { PrintMachineRow(u"ABCDEFGHIJKLMNOPQ$", MACHINE_TYPE_DOMAIN_CONTROLLER, 0, columns); }),
      "\nABCDEFGHIJKLMNO      Domain Controller   0");
  EXPECT_EQ(Captured([&] { PrintMachineRow(u"NODOLLAR", MACHINE_TYPE_WORKSTATION, 1, Tabs()); }),
            "\nNODOLLAR\tWorkstation/Server\t1");
  EXPECT_EQ(Captured([&] { PrintMachineRow(u"TWO$$", MACHINE_TYPE_WORKSTATION, 49710, Tabs()); }),
            "\nTWO$\tWorkstation/Server\t49710");
  EXPECT_EQ(Captured([&] { PrintMachineRow(u"ABCDEFGHIJKLMNOPQ$", MACHINE_TYPE_WORKSTATION, 3, Tabs()); }),
            "\nABCDEFGHIJKLMNO\tWorkstation/Server\t3");
}

TEST(ReportLayout, UserRowsCutAtTwentyAndKeepTheirDollar) {
  const RunOptions columns = Columns();
  EXPECT_EQ(Captured([&] { PrintUserRow(u"alice", 7, u"Alice Example", u"", columns); }),
            "\nalice" + std::string(16, ' ') + "User Account" + std::string(8, ' ') + "7");
  EXPECT_EQ(Captured([&] { PrintUserRow(u"abcdefghijklmnopqrstuvwxy", 7, u"", u"", columns); }),
            "\nabcdefghijklmnopqrst User Account        7");
  EXPECT_EQ(Captured([&] { PrintUserRow(u"svc$", 2, u"", u"", Tabs()); }), "\nsvc$\tUser Account\t2");
  RunOptions verbose = Columns();
  verbose.verbose = true;
  EXPECT_EQ(
      Captured([&] { PrintUserRow(u"alice", 7, u"Alice Example", u"50% off", verbose); }),
      "\nalice" + std::string(16, ' ') + "User Account" + std::string(8, ' ') + "7\tAlice Example\t50% off");
}

TEST(ReportLayout, UtfEightNamesCountAsCharactersAndAreNeverCutInside) {
  // "Jos\u00e9" as UTF-8 bytes, one per character: 4 characters, padded with 17 spaces.
  EXPECT_EQ(Captured([] { PrintUserRow(u"Jos\u00c3\u00a9", 1, u"", u"", Columns()); }),
            "\nJos\xc3\xa9" + std::string(17, ' ') + "User Account        1");
  // 19 ASCII letters and a two-byte character make 20 characters: kept whole.
  const std::u16string twenty = std::u16string(19, u'a') + u"\u00c3\u00a9";
  EXPECT_EQ(Captured([&] { PrintUserRow((twenty + u"zz").c_str(), 1, u"", u"", Tabs()); }),
            "\n" + std::string(19, 'a') + "\xc3\xa9\tUser Account\t1");
  // A four-byte character (U+1F600) counts as one; a stray continuation byte and
  // an overlong lead byte count as one each; a unit above 255 is one "?".
  EXPECT_EQ(Captured([] {
              PrintMachineRow(u"\u00f0\u009f\u0098\u0080\u0080\u00c0\u00af\u20ac$", MACHINE_TYPE_WORKSTATION,
                              5, Columns());
            }),
            "\n\xf0\x9f\x98\x80\x80\xc0\xaf?" + std::string(16, ' ') + "Workstation/Server  5");
  // A three-byte sequence cut short by the end of the name is three characters.
  EXPECT_EQ(Captured([] { PrintMachineRow(u"\u00e2\u0082$", MACHINE_TYPE_WORKSTATION, 5, Columns()); }),
            "\n\xe2\x82" + std::string(19, ' ') + "Workstation/Server  5");
}

TEST(ReportLayout, HeaderAndFilterLine) {
  RunOptions options = Columns();
  const std::string separator = "\n" + std::string(79, '-');
  EXPECT_EQ(Captured([&] { PrintReportHeader(u"\\\\SRV", options); }),
            "\nQuerying \\\\SRV for a list of accounts...\n\n\nName" + std::string(17, ' ') + "Account Type" +
                std::string(8, ' ') + "Password Age(Days)\n" + separator);
  options.minDays = 5;
  options.verbose = true;
  EXPECT_EQ(Captured([&] { PrintReportHeader(u"\\\\SRV", options); }),
            "\nQuerying \\\\SRV for a list of accounts...\n\n\nName" + std::string(17, ' ') + "Account Type" +
                std::string(8, ' ') + "Password Age(Days)\tFull Name\tDescription\n" + std::string(41, ' ') +
                "Min: 5 / Max: 999999999" + separator);
  options = Tabs();
  options.minDays = 4294967291u;
  options.maxDays = 4294967295u;
  EXPECT_EQ(Captured([&] { PrintReportHeader(u"\\\\SRV", options); }),
            "\nQuerying \\\\SRV for a list of accounts...\n\n\nName\tAccount Type\tPassword Age(Days)"
            "\nMin:\t-5\t/\tMax:\t-1" +
                separator);
  for (uint32_t maxDays : {999999999u, 4294967295u}) {
    options = Columns();
    options.maxDays = maxDays;
    EXPECT_EQ(Captured([&] { PrintReportHeader(u"\\\\S", options); }).find("Min:"), std::string::npos);
  }
  options.maxDays = 999999998u;
  EXPECT_NE(Captured([&] { PrintReportHeader(u"\\\\S", options); }).find("Min: 0 / Max: 999999998"),
            std::string::npos);
}

TEST(ReportLayout, Totals) {
  RunOptions options = Columns();
  options.listMachines = options.listUsers = true;
  const std::string separator = "\n" + std::string(79, '-');
  EXPECT_EQ(Captured([&] { PrintReportTotals(1, 2, options); }),
            separator +
                "\nTotal machines displayed: 1\n   Total users displayed: 2\n\nThe command completed "
                "successfully.\n");
  options.tabSeparated = true;
  options.listMachines = false;
  EXPECT_EQ(Captured([&] { PrintReportTotals(1, 0, options); }),
            separator + "\nTotal users displayed:\t0\n\nThe command completed successfully.\n");
}

}  // namespace
