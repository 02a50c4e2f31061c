// Every line of the report: header, rows and totals.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cli/run_options.h"

constexpr std::size_t NAME_COLUMN_WIDTH = 21;
constexpr std::size_t TYPE_COLUMN_WIDTH = 20;
constexpr std::size_t TYPE_TEXT_MAX = 19;
constexpr std::size_t MACHINE_NAME_MAX = 15;
constexpr std::size_t USER_NAME_MAX = 20;

constexpr char16_t MACHINE_TYPE_WORKSTATION[] = u"Workstation/Server";
constexpr char16_t MACHINE_TYPE_DOMAIN_CONTROLLER[] = u"Domain Controller";
constexpr char16_t USER_TYPE[] = u"User Account";

// A field of a row: up to NAME_COLUMN_WIDTH characters of up to
// MAX_UNITS_PER_CHARACTER units each, and the terminator.
constexpr std::size_t FIELD_CAPACITY = NAME_COLUMN_WIDTH * 4 + 1;

// Copies at most `maxCharacters` characters of the first `length` units of
// `text` into `field` and pads it with spaces to `width` characters.
void FillField(const char16_t* text, std::size_t length, std::size_t maxCharacters, std::size_t width,
               char16_t* field);

void PrintReportHeader(const char16_t* serverName, const RunOptions& options);
void PrintMachineRow(const char16_t* accountName, const char16_t* typeText, uint32_t days,
                     const RunOptions& options);
void PrintUserRow(const char16_t* accountName, uint32_t days, const char16_t* fullName,
                  const char16_t* comment, const RunOptions& options);
void PrintReportTotals(int32_t machinesDisplayed, int32_t usersDisplayed, const RunOptions& options);
