#include "cli/show_usage.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

std::u16string NameFor(const char* path) {
  std::array<char16_t, PROGRAM_NAME_MAX + 1> name{};
  ProgramNameFromPath(path, name.data());
  return name.data();
}

TEST(ShowUsage, ProgramNameIsTheTextAfterTheLastBackslash) {
  EXPECT_EQ(NameFor("C:\\TOOLS\\PROG.EXE"), u"PROG.EXE");
  EXPECT_EQ(NameFor("prog"), u"prog");
  EXPECT_EQ(NameFor("bin/prog"), u"bin/prog");
  EXPECT_EQ(NameFor("C:\\TOOLS\\"), u"");
  EXPECT_EQ(NameFor("D:prog"), u"D:prog");
  EXPECT_EQ(NameFor("a\\\xe9t\xe9"), u"\u00e9t\u00e9");
}

TEST(ShowUsage, LongProgramPathIsCutBeforeTheBackslashIsSought) {
  std::string path(300, 'p');
  path[250] = '\\';
  EXPECT_EQ(NameFor(path.c_str()), std::u16string(9, u'p'));  // characters 251..259
  path[250] = 'p';
  path[270] = '\\';  // beyond the 260 characters read
  EXPECT_EQ(NameFor(path.c_str()), std::u16string(260, u'p'));
}

}  // namespace
