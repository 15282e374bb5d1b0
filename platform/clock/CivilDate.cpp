#include <clock/CivilDate.h>

namespace platform {

namespace {

// The arithmetic counts from 0000-03-01, so that a leap day falls at the end of its counting year;
// 1970-01-01 lies this many days after it.
constexpr int kEpochShift = 719468;
constexpr int kDaysPer400Years = 146097;

} // namespace

int daysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  int era = (year >= 0 ? year : year - 399) / 400;
  int yearOfEra = year - era * 400;
  int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * kDaysPer400Years + dayOfEra - kEpochShift;
}

CivilDate civilFromDays(int days) {
  days += kEpochShift;
  int era = (days >= 0 ? days : days - kDaysPer400Years + 1) / kDaysPer400Years;
  int dayOfEra = days - era * kDaysPer400Years;
  int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int shiftedMonth = (5 * dayOfYear + 2) / 153;
  CivilDate date{};
  date.day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  date.month = shiftedMonth + (shiftedMonth < 10 ? 3 : -9);
  date.year = yearOfEra + era * 400 + (date.month <= 2);
  return date;
}

int weekdayFromDays(int days) {
  // 1970-01-01 was a Thursday.
  return ((days % 7) + 7 + 4) % 7;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12)
    return 0;
  return lengths[month - 1] + (month == 2 && isLeapYear(year));
}

SYSTEMTIME systemTimeOf(int days, int milliseconds) {
  CivilDate date = civilFromDays(days);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.year);
  time.wMonth = static_cast<WORD>(date.month);
  time.wDay = static_cast<WORD>(date.day);
  time.wDayOfWeek = static_cast<WORD>(weekdayFromDays(days));
  time.wHour = static_cast<WORD>(milliseconds / 3600000);
  time.wMinute = static_cast<WORD>(milliseconds / 60000 % 60);
  time.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
  time.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
  return time;
}

} // namespace platform
