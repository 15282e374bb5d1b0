#pragma once

#include <windows.h>

#include <string>

namespace formlib {

// A date and time as days since 30 December 1899; the fraction is the time of day.
using TDateTime = double;

// Decimal, or hexadecimal after "$"; `fallback` when the text is not a whole 32-bit number.
int StrToIntDef(const std::string& text, int fallback);
std::string IntToStr(long long value);

// Day numbers (whole TDateTime days) of civil dates and back.
int EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
// 1 = Sunday to 7 = Saturday.
int DayOfWeek(TDateTime value);

TDateTime FromSystemTime(const SYSTEMTIME& time);
// Rounded to the nearest millisecond, so that sums of hours and minutes land on whole minutes.
SYSTEMTIME ToSystemTime(TDateTime value);
// The clock's local time.
TDateTime Now();

// Formats with the tokens "ddd" (short weekday name) and "t" (the locale's short time); other
// characters stand as they are.
std::string FormatDateTime(const std::string& format, TDateTime value);

} // namespace formlib
