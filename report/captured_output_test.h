// For tests: what a piece of code writes to standard output, as bytes.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "report/output.h"

template <typename Write>
std::string Captured(Write write) {
  testing::internal::CaptureStdout();
  write();
  FlushOutput();
  return testing::internal::GetCapturedStdout();
}
