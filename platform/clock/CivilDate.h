#pragma once

#include <windows.h>

// Civil-date arithmetic for every layer and program: dates as integer day numbers counted from
// 1970-01-01 (day 0) in the proleptic Gregorian calendar, exact for any year an int can count in days.
namespace platform {

struct CivilDate {
  int year;
  int month; // 1..12
  int day;   // 1..31
};

int daysFromCivil(int year, int month, int day);
CivilDate civilFromDays(int days);
// 0 = Sunday ... 6 = Saturday, as SYSTEMTIME counts.
int weekdayFromDays(int days);
bool isLeapYear(int year);
int daysInMonth(int year, int month);
// A SYSTEMTIME for a day number and the milliseconds into that day, the day of the week filled in.
SYSTEMTIME systemTimeOf(int days, int milliseconds = 0);

} // namespace platform
