#pragma once

#include <windows.h>

#include <string>

namespace formsrt {

// A date and time as the runtime holds it: whole days since 30 December 1899 and the seconds of that day.
struct Date {
  int day = 0;
  int seconds = 0;
  bool operator==(const Date&) const = default;
};

// From the clock in platform/, the one source of the time.
Date Now();
Date Today();
// Months and days out of range roll over, as in the runtime (month 13 is January of the next year).
Date DateSerial(int year, int month, int day);
// A date typed month first: m/d/y or m-d-y; a two-digit year below 30 is in the 2000s. Anything else
// raises Type mismatch.
Date DateValue(const std::string& text);
Date FromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME ToSystemTime(const Date& date);
Date AddDays(const Date& date, int days);
// The same day in another month, clamped to that month's last day.
Date AddMonths(const Date& date, int months);

int Year(const Date& date);
int Month(const Date& date);
int Day(const Date& date);
// 1 Sunday to 7 Saturday.
int Weekday(const Date& date);

// Formats through the system's own date and time formats. Date patterns use d, dd, ddd, dddd, m to mmmm,
// yy and yyyy; a pattern with h is a time pattern (h, hh, nn or mm after h, ss, AMPM); "\x" is a literal x.
std::string Format(const Date& date, const std::string& pattern);
// Whole numbers: "0" digits give the least number of digits, a "," asks for the system's digit grouping.
std::string FormatNumber(long value, const std::string& pattern);

} // namespace formsrt
