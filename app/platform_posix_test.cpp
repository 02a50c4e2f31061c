#include "app/platform.h"

#include <gtest/gtest.h>

namespace {

TEST(Platform, ExitStatusKeepsLowByteButNeverTurnsFailureIntoSuccess) {
  struct Case {
    int32_t runStatus;
    int exitStatus;
  };
  const Case cases[] = {{0, 0},      {1, 1},      {13, 13},   {127, 127}, {2351, 47},
                        {2453, 149}, {1792, 255}, {256, 255}, {-1, 255},  {INT32_MIN, 255}};
  for (const Case& c : cases) EXPECT_EQ(ProcessExitStatus(c.runStatus), c.exitStatus) << c.runStatus;
}

}  // namespace
