#pragma once

#include <calendar/data/CDate.h>
#include <calendar/data/CHoliday.h>

#include <string>

// The dates of holidays: fixed dates, the n-th or last weekday of a month, and movable feasts.
namespace holidayrules {

// Easter Sunday of a Gregorian year.
CDate EasterSunday(int year);
// The first Tuesday after the first Monday of November.
CDate ElectionDay(int year);
// The Monday before May 25.
CDate VictoriaDay(int year);
// The holiday's date in that year; 0 when its rule gives none (an unknown code, a month, weekday or
// week out of range, a fifth weekday the month does not have, 29 February of a common year).
CDate DateInYear(const CHoliday& holiday, int year);
bool IsKnownFeast(const std::string& code);

} // namespace holidayrules
