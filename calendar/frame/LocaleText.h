#pragma once

#include <calendar/data/CDate.h>

#include <string>

// Dates and times in the user locale's formats.
namespace localetext {

// A date with a locale picture ("ddd", "MMMM") or, with none, the short date format.
std::string Date(const CDate& date, const char* picture = nullptr);
// A time of day in minutes, in the locale's time format without seconds.
std::string Time(int minutes);
// The same on the clock the user chose in the options: 0 the 12-hour clock, 1 the 24-hour clock, else
// the locale's.
std::string Time(int minutes, int clock);
// The full name of a month 1..12.
std::string MonthName(int month);

} // namespace localetext
