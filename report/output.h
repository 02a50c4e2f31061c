// The two ways text reaches standard output: report text, which bare output
// silences unless forced, and direct output, which nothing silences.
//
// Formats use "%s" for a wide text, "%S" for a narrow (byte) text and "%d" for a
// signed 32-bit decimal; "%%" writes one "%". On the way out each 16-bit
// character becomes one byte; a character above 255 has no byte and is written
// as "?". Texts from the directory or the command line are only ever arguments,
// never formats.
#pragma once

#include <cstdint>
#include <initializer_list>

struct FormatArgument {
  enum class Kind { Wide, Narrow, Number };
  Kind kind;
  const char16_t* wide;
  const char* narrow;
  int32_t number;

  FormatArgument(const char16_t* text) : kind(Kind::Wide), wide(text), narrow(nullptr), number(0) {}
  FormatArgument(char16_t* text) : FormatArgument(static_cast<const char16_t*>(text)) {}
  FormatArgument(const char* text) : kind(Kind::Narrow), wide(nullptr), narrow(text), number(0) {}
  FormatArgument(int32_t value) : kind(Kind::Number), wide(nullptr), narrow(nullptr), number(value) {}
  FormatArgument(uint32_t value) : FormatArgument(static_cast<int32_t>(value)) {}
};

// Process-wide switch of the report text channel, set once by the option parse.
void SetBareOutput(bool bareOutput);

// Direct output: the formatted print that nothing silences.
void PrintDirect(const char16_t* format, std::initializer_list<FormatArgument> arguments = {});

// Report text: written through "%s" unless bare output is on and not forced.
void PrintReportText(const char16_t* text, bool force = false);

// Report text composed from a format; silenced exactly like PrintReportText.
void PrintReportFormat(const char16_t* format, std::initializer_list<FormatArgument> arguments);

// Pushes what has been written so far to the platform's standard output.
void FlushOutput();
