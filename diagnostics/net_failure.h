// Failure reports: the tone, the caller's message and the status's own text.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "diagnostics/error_beep.h"
#include "report/output.h"

// Characters of a status text that are written; a longer text is cut.
constexpr std::size_t STATUS_TEXT_MAX = 511;

// Writes the platform's text for `status`, or nothing when it has none.
void PrintNetErrorText(uint32_t status);

// Tone, the message, a line feed, the status's text and a line feed.
void ReportNetFailure(const char16_t* format, std::initializer_list<FormatArgument> arguments,
                      uint32_t status);
