#include "cli/parse_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::u16string Field(const char16_t* text) { return std::u16string(text); }

struct Parsed {
  bool help;
  RunOptions options;
};

Parsed Parse(std::vector<const char*> arguments) {
  Parsed parsed{false, {}};
  parsed.help = ParseOptions(static_cast<int>(arguments.size()), arguments.data(), parsed.options);
  return parsed;
}

TEST(ParseOptions, MatchesOptionsIgnoringAsciiCaseOnly) {
  const Parsed p = Parse({"/machines", "/Users", "/SHOWDC", "/tabs", "/v", "/b"});
  EXPECT_FALSE(p.help);
  EXPECT_TRUE(p.options.listMachines);
  EXPECT_TRUE(p.options.listUsers);
  EXPECT_TRUE(p.options.showDomainControllers);
  EXPECT_TRUE(p.options.tabSeparated);
  EXPECT_TRUE(p.options.verbose);
  EXPECT_TRUE(p.options.bareOutput);
  EXPECT_FALSE(MatchesWholeArgument("/USER\xD3", "/USERs"));
  EXPECT_TRUE(MatchesWholeArgument("/\xE9", "/\xE9"));
}

TEST(ParseOptions, HelpEndsTheParseWhereverItStands) {
  for (const auto& arguments : std::vector<std::vector<const char*>>{
           {"/?"}, {"-?"}, {"/HELP"}, {"-Help"}, {"/MACHINES", "/?"}, {"/MACHINES", "/bogus", "/help"}}) {
    EXPECT_TRUE(Parse(arguments).help) << arguments.back();
  }
  // Arguments after the help option are never looked at.
  const Parsed p = Parse({"/?", "/DOMAIN:abcdefghijklmnopqrstuvwxyz"});
  EXPECT_EQ(p.options.tooLongNameOption, nullptr);
}

TEST(ParseOptions, IgnoresNearMisses) {
  const Parsed p = Parse({"/DOMAIN", "/MIN=5", "/MAXIMUM:5", "", "/USERSX", "/B:"});
  EXPECT_FALSE(p.help);
  EXPECT_FALSE(p.options.listUsers);
  EXPECT_FALSE(p.options.bareOutput);
  EXPECT_EQ(p.options.minDays, 0u);
  EXPECT_EQ(p.options.maxDays, DEFAULT_MAX_DAYS);
  EXPECT_EQ(p.options.domainName[0], 0);
}

TEST(ParseOptions, NameValuesAreWidenedAndUpperCasedInAsciiOnly) {
  EXPECT_EQ(Field(Parse({"/domain:corp"}).options.domainName.data()), u"CORP");
  EXPECT_EQ(Field(Parse({"/COMPUTER:srv-01"}).options.computerName.data()), u"SRV-01");
  EXPECT_EQ(Field(Parse({"/DOMAIN:a\xe9z"}).options.domainName.data()), u"A\u00e9Z");
  EXPECT_EQ(Field(Parse({"/DOMAIN:A", "/DOMAIN:b"}).options.domainName.data()), u"B");
  EXPECT_EQ(Field(Parse({"/COMPUTER:X", "/COMPUTER:"}).options.computerName.data()), u"");
  EXPECT_EQ(Field(Parse({"/DOMAIN:abcdefghijklmnopqrst"}).options.domainName.data()),
            u"ABCDEFGHIJKLMNOPQRST");
}

TEST(ParseOptions, TooLongNamesAreRememberedNotCut) {
  Parsed p = Parse({"/DOMAIN:abcdefghijklmnopqrstu", "/DOMAIN:ok"});
  EXPECT_STREQ(p.options.tooLongNameOption, "/DOMAIN:");
  p = Parse({"/DOMAIN:abcdefghijklmnopqrstu", "/computer:abcdefghijklmnopqrstu"});
  EXPECT_STREQ(p.options.tooLongNameOption, "/COMPUTER:");
  EXPECT_EQ(p.options.computerName[0], 0);
}

TEST(ParseOptions, ReadsDayNumbersFromNineBytes) {
  struct Case {
    const char* value;
    uint32_t expected;
  };
  const Case cases[] = {
      {"7days", 7},
      {"+7", 7},
      {"- 7", 0},
      {"  7", 7},
      {"\t\n\v\f\r 7", 7},
      {"1234567890", 123456789},
      {"0000000005", 0},
      {"-1", 4294967295u},
      {"-5", 4294967291u},
      {"", 0},
      {"-", 0},
      {"x5", 0},
      {"999999999", 999999999},
      {"-0", 0},
      {"         7", 0},
      {"-99999999", 4194967297u},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadDaysValue(c.value), c.expected) << '"' << c.value << '"';
  const Parsed p = Parse({"/MIN:30", "/max:-1"});
  EXPECT_EQ(p.options.minDays, 30u);
  EXPECT_EQ(p.options.maxDays, 4294967295u);
  EXPECT_EQ(Parse({"/MAX:"}).options.maxDays, 0u);
}

}  // namespace
