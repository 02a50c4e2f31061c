#include "report/report_layout.h"

#include <array>
#include <string>

#include "report/output.h"
#include "report/text_units.h"

static_assert(FIELD_CAPACITY > NAME_COLUMN_WIDTH * MAX_UNITS_PER_CHARACTER);

namespace {

constexpr char16_t SEPARATOR[] =
    u"\n-------------------------------------------------------------------------------";

constexpr char16_t EMPTY_TEXT[] = u"";

const char16_t* OrEmpty(const char16_t* text) { return text != nullptr ? text : EMPTY_TEXT; }

void PrintRow(const char16_t* name, std::size_t nameLength, std::size_t nameMax, const char16_t* typeText,
              uint32_t days, const RunOptions& options) {
  std::array<char16_t, FIELD_CAPACITY> nameField{};
  std::array<char16_t, FIELD_CAPACITY> typeField{};
  const bool padded = !options.tabSeparated;
  FillField(name, nameLength, nameMax, padded ? NAME_COLUMN_WIDTH : 0, nameField.data());
  FillField(typeText, std::char_traits<char16_t>::length(typeText), TYPE_TEXT_MAX,
            padded ? TYPE_COLUMN_WIDTH : 0, typeField.data());
  PrintDirect(padded ? u"\n%s%s%d" : u"\n%s\t%s\t%d", {nameField.data(), typeField.data(), days});
}

}  // namespace

void FillField(const char16_t* text, std::size_t length, std::size_t maxCharacters, std::size_t width,
               char16_t* field) {
  std::size_t units = 0;
  std::size_t characters = 0;
  while (units < length && characters < maxCharacters) {
    std::size_t next = CharacterUnits(text + units);
    if (units + next > length) next = length - units;
    for (std::size_t i = 0; i < next; ++i) field[units + i] = text[units + i];
    units += next;
    ++characters;
  }
  for (; characters < width; ++characters) field[units++] = u' ';
  field[units] = 0;
}

void PrintReportHeader(const char16_t* serverName, const RunOptions& options) {
  PrintReportFormat(u"\nQuerying %s for a list of accounts...\n\n", {serverName});
  if (options.tabSeparated)
    PrintReportFormat(u"\nName\t%s\tPassword Age(Days)", {u"Account Type"});
  else
    PrintReportFormat(u"\nName                 %s        Password Age(Days)", {u"Account Type"});
  if (options.verbose) PrintReportText(u"\tFull Name\tDescription");
  if (options.maxDays < DEFAULT_MAX_DAYS || options.minDays != 0) {
    if (options.tabSeparated)
      PrintReportFormat(u"\nMin:\t%d\t/\tMax:\t%d", {options.minDays, options.maxDays});
    else
      PrintReportFormat(u"\n                                         Min: %d / Max: %d",
                        {options.minDays, options.maxDays});
  } else {
    PrintReportText(u"\n");
  }
  PrintReportText(SEPARATOR);
}

void PrintMachineRow(const char16_t* accountName, const char16_t* typeText, uint32_t days,
                     const RunOptions& options) {
  const char16_t* name = OrEmpty(accountName);
  std::size_t length = std::char_traits<char16_t>::length(name);
  if (length > 0 && name[length - 1] == u'$') --length;
  PrintRow(name, length, MACHINE_NAME_MAX, typeText, days, options);
}

void PrintUserRow(const char16_t* accountName, uint32_t days, const char16_t* fullName,
                  const char16_t* comment, const RunOptions& options) {
  const char16_t* name = OrEmpty(accountName);
  PrintRow(name, std::char_traits<char16_t>::length(name), USER_NAME_MAX, USER_TYPE, days, options);
  if (options.verbose) PrintDirect(u"\t%s\t%s", {OrEmpty(fullName), OrEmpty(comment)});
}

void PrintReportTotals(int32_t machinesDisplayed, int32_t usersDisplayed, const RunOptions& options) {
  PrintReportText(SEPARATOR);
  if (options.listMachines) {
    PrintReportFormat(
        options.tabSeparated ? u"\nTotal machines displayed:\t%d" : u"\nTotal machines displayed: %d",
        {machinesDisplayed});
  }
  if (options.listUsers) {
    PrintReportFormat(
        options.tabSeparated ? u"\nTotal users displayed:\t%d" : u"\n   Total users displayed: %d",
        {usersDisplayed});
  }
  PrintReportText(u"\n");
  PrintReportText(u"\nThe command completed successfully.\n");
}
