#include "report/output.h"

#include <gtest/gtest.h>

#include "report/captured_output_test.h"

#include <string>

namespace {

TEST(Output, FormatsWideNarrowAndSignedArguments) {
  EXPECT_EQ(Captured([] {
              PrintDirect(u"<%s|%S|%d|%d>", {u"w\u00e9", "n\xe9", -5, 4294967295u});
            }),
            "<w\xe9|n\xe9|-5|-1>");
  EXPECT_EQ(Captured([] { PrintDirect(u"%d %d", {INT32_MIN, INT32_MAX}); }), "-2147483648 2147483647");
  EXPECT_EQ(Captured([] { PrintDirect(u"[%s]", {static_cast<const char16_t*>(nullptr)}); }), "[(null)]");
}

TEST(Output, ArgumentsAreNeverFormats) {
  EXPECT_EQ(Captured([] { PrintDirect(u"%s%d", {u"100%d %s %%", 7}); }), "100%d %s %%7");
  EXPECT_EQ(Captured([] { PrintReportText(u"50% %s done"); }), "50% %s done");
  EXPECT_EQ(Captured([] { PrintDirect(u"%%%s%", {u"x"}); }), "%x%");
}

TEST(Output, CharactersAboveByteRangeBecomeQuestionMarksAndTheCallGoesOn) {
  EXPECT_EQ(Captured([] { PrintDirect(u"\nab\u0100c%s\t%d", {u"\u20ac\u00ff", 42}); }), "\nab?c?\xff\t42");
}

TEST(Output, LongTextsAreWrittenWhole) {
  const std::u16string longText(5000, u'x');
  EXPECT_EQ(Captured([&] { PrintDirect(u"<%s>", {longText.c_str()}); }), "<" + std::string(5000, 'x') + ">");
}

TEST(Output, BareOutputSilencesOnlyUnforcedReportText) {
  SetBareOutput(true);
  const std::string written = Captured([] {
    PrintReportText(u"report");
    PrintReportFormat(u"%s", {u"format"});
    PrintReportText(u"[forced]", true);
    PrintDirect(u"[direct]");
  });
  SetBareOutput(false);
  EXPECT_EQ(written, "[forced][direct]");
}

}  // namespace
