#include "report/output.h"

#include <array>
#include <cstdio>

namespace {

bool bareOutputSwitch = false;

constexpr char16_t NULL_TEXT[] = u"(null)";
constexpr char NULL_NARROW_TEXT[] = "(null)";

// Collects the bytes of one print call and hands them to stdio in chunks, so a
// text of any length is written whole and nothing is held past the call.
class ByteSink {
 public:
  ~ByteSink() { Flush(); }
  ByteSink() = default;
  ByteSink(const ByteSink&) = delete;
  ByteSink& operator=(const ByteSink&) = delete;

  void PutCharacter(char16_t character) { Put(character <= 0xFF ? static_cast<char>(character) : '?'); }
  void PutWide(const char16_t* text) {
    for (const char16_t* c = text != nullptr ? text : NULL_TEXT; *c != 0; ++c) PutCharacter(*c);
  }
  void PutNarrow(const char* text) {
    for (const char* c = text != nullptr ? text : NULL_NARROW_TEXT; *c != 0; ++c) Put(*c);
  }
  void PutNumber(int32_t value) {
    std::array<char, 12> digits{};
    std::size_t count = 0;
    // Work in 64 bits so the most negative value has a magnitude.
    int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
    do {
      digits[count++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) Put('-');
    while (count > 0) Put(digits[--count]);
  }

 private:
  void Put(char byte) {
    if (used_ == buffer_.size()) Flush();
    buffer_[used_++] = byte;
  }
  void Flush() {
    if (used_ > 0) std::fwrite(buffer_.data(), 1, used_, stdout);
    used_ = 0;
  }

  std::array<char, 512> buffer_{};
  std::size_t used_ = 0;
};

void Format(const char16_t* format, std::initializer_list<FormatArgument> arguments) {
  ByteSink sink;
  const FormatArgument* next = arguments.begin();
  for (const char16_t* c = format; *c != 0; ++c) {
    if (*c != u'%' || c[1] == 0) {
      sink.PutCharacter(*c);
      continue;
    }
    const char16_t conversion = *++c;
    if (conversion == u'%') {
      sink.PutCharacter(u'%');
      continue;
    }
    if (next == arguments.end()) continue;  // a format without its argument writes nothing there
    const FormatArgument& argument = *next++;
    switch (argument.kind) {
      case FormatArgument::Kind::Wide:
        sink.PutWide(argument.wide);
        break;
      case FormatArgument::Kind::Narrow:
        sink.PutNarrow(argument.narrow);
        break;
      case FormatArgument::Kind::Number:
        sink.PutNumber(argument.number);
        break;
    }
  }
}

}  // namespace

void SetBareOutput(bool bareOutput) { bareOutputSwitch = bareOutput; }

void PrintDirect(const char16_t* format, std::initializer_list<FormatArgument> arguments) {
  Format(format, arguments);
}

void PrintReportText(const char16_t* text, bool force) {
  if (!bareOutputSwitch || force) Format(u"%s", {text});
}

void PrintReportFormat(const char16_t* format, std::initializer_list<FormatArgument> arguments) {
  if (!bareOutputSwitch) Format(format, arguments);
}

void FlushOutput() { std::fflush(stdout); }
