#include <calendar/data/CDate.h>

#include <clock/CivilDate.h>
#include <clock/Clock.h>

namespace {

// The calendar's range: a day number stays far inside 32 bits and every formula below stays exact.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 999999;

bool inRange(int month, int year) {
  return month >= 1 && month <= 12 && year >= kFirstYear && year <= kLastYear;
}

// The Julian day number of 1970-01-01, the civil-date arithmetic's day 0.
constexpr std::int32_t kJulianDayOf1970 = 2440588;

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
  return platform::daysFromCivil(year, month, day) + kJulianDayOf1970;
}

void CDate::GetDMY(int& day, int& month, int& year) const {
  platform::CivilDate date = platform::civilFromDays(m_dayNumber - kJulianDayOf1970);
  day = date.day;
  month = date.month;
  year = date.year;
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

bool CDate::IsLeapYear(int year) { return platform::isLeapYear(year); }

int CDate::DaysInMonth(int month, int year) { return platform::daysInMonth(year, month); }
