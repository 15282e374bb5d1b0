#pragma once

#include "CDate.h"

#include <string>

// Dates and times in the user locale's formats.
namespace localetext {

// A date with a locale picture ("ddd", "MMMM") or, with none, the short date format.
std::string Date(const CDate& date, const char* picture = nullptr);
// A time of day in minutes, in the locale's time format without seconds.
std::string Time(int minutes);
// The full name of a month 1..12.
std::string MonthName(int month);

} // namespace localetext
