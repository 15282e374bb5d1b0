#include "CDate.h"

#include <clock/Clock.h>

namespace {

// The calendar's range: a day number stays far inside 32 bits and every formula below stays exact.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 999999;

bool inRange(int month, int year) {
  return month >= 1 && month <= 12 && year >= kFirstYear && year <= kLastYear;
}

int normalYear(int year) { return year < 100 && year >= 0 ? year + 1900 : year; }

} // namespace

CDate::CDate() {
  SYSTEMTIME now = platform::Clock::localTime();
  m_dayNumber = DayNumberOf(now.wDay, now.wMonth, now.wYear);
}

CDate::CDate(int day, int month, int year) { Set(day, month, year); }

CDate CDate::FromDayNumber(std::int32_t dayNumber) { return CDate(Raw{}, dayNumber); }

CDate CDate::Clamped(int day, int month, int year) {
  year = normalYear(year);
  if (!inRange(month, year) || day < 1)
    return FromDayNumber(0);
  int last = DaysInMonth(month, year);
  return FromDayNumber(DayNumberOf(day > last ? last : day, month, year));
}

void CDate::Set(int day, int month, int year) {
  year = normalYear(year);
  bool valid = inRange(month, year) && day >= 1 && day <= DaysInMonth(month, year);
  m_dayNumber = valid ? DayNumberOf(day, month, year) : 0;
}

std::int32_t CDate::DayNumberOf(int day, int month, int year) {
  if (month < 3) {
    year -= 1;
    month += 12;
  }
  int century = year / 100;
  return (century * 146097) / 4 + day + (153 * month - 457) / 5 + ((year % 100) * 1461) / 4 + 1721119;
}

void CDate::GetDMY(int& day, int& month, int& year) const {
  std::int64_t t = 4 * (static_cast<std::int64_t>(m_dayNumber) - 1721119);
  std::int64_t century = (t - 1) / 146097;
  t = 4 * ((t - 1 - 146097 * century) / 4);
  std::int64_t yearOfCentury = (t + 3) / 1461;
  t = 5 * ((t - 1461 * yearOfCentury + 7) / 4);
  std::int64_t m = (t - 3) / 153;
  day = static_cast<int>(((t - 3) % 153 + 5) / 5);
  year = static_cast<int>(100 * century + yearOfCentury);
  if (m > 9) {
    month = static_cast<int>(m - 9);
    year += 1;
  } else {
    month = static_cast<int>(m + 3);
  }
}

int CDate::Day() const {
  int d, m, y;
  GetDMY(d, m, y);
  return d;
}

int CDate::Month() const {
  int d, m, y;
  GetDMY(d, m, y);
  return m;
}

int CDate::Year() const {
  int d, m, y;
  GetDMY(d, m, y);
  return y;
}

int CDate::DaysInMonth() const {
  int d, m, y;
  GetDMY(d, m, y);
  return DaysInMonth(m, y);
}

int CDate::Weekday() const { return ((m_dayNumber + 1) % 7 + 6) % 7 + 1; }

int CDate::WeekOfMonth(bool& lastSeven) const {
  int d, m, y;
  GetDMY(d, m, y);
  lastSeven = d > DaysInMonth(m, y) - 7;
  return (d - 1) / 7 + 1;
}

const char* CDate::WeekdayName(int weekday) {
  static const char* const names[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                      "Friday", "Saturday", "Sunday"};
  return weekday >= 1 && weekday <= 7 ? names[weekday - 1] : "";
}

bool CDate::IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int CDate::DaysInMonth(int month, int year) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12)
    return 0;
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}
