#include <calendar/data/HolidayRules.h>

namespace holidayrules {

namespace {

// Movable feasts by code (8 characters, blanks included): a base date and days from it.
struct Feast {
  const char* code;
  CDate (*base)(int year);
  int offset;
};

const Feast kFeasts[] = {
    {"easter  ", EasterSunday, 0},   {"goodfri ", EasterSunday, -2}, {"ashwed  ", EasterSunday, -46},
    {"mardigra", EasterSunday, -47}, {"palmsun ", EasterSunday, -7}, {"ascensio", EasterSunday, 39},
    {"eastmon ", EasterSunday, 1},   {"election", ElectionDay, 0},   {"victoria", VictoriaDay, 0},
};

const Feast* findFeast(const std::string& code) {
  for (const Feast& feast : kFeasts) {
    if (code == feast.code)
      return &feast;
  }
  return nullptr;
}

// Days from `from` forward to the weekday (1 = Monday .. 7 = Sunday).
int daysForwardTo(const CDate& from, int weekday) { return (weekday - from.Weekday() + 7) % 7; }

CDate nthWeekday(int month, int weekday, int week, int year) {
  if (month < 1 || month > 12 || weekday < 1 || weekday > 7)
    return CDate::FromDayNumber(0);
  if (week == CHoliday::kLastWeek) {
    CDate last(CDate::DaysInMonth(month, year), month, year);
    return last - (last.Weekday() - weekday + 7) % 7;
  }
  if (week < 1 || week > 5)
    return CDate::FromDayNumber(0);
  CDate first(1, month, year);
  CDate date = first + daysForwardTo(first, weekday) + 7 * (week - 1);
  return date.Month() == month ? date : CDate::FromDayNumber(0);
}

} // namespace

// The anonymous Gregorian computus.
CDate EasterSunday(int year) {
  int a = year % 19;
  int b = year / 100, c = year % 100;
  int d = b / 4, e = b % 4;
  int f = (b + 8) / 25;
  int g = (b - f + 1) / 3;
  int h = (19 * a + b - d - g + 15) % 30;
  int i = c / 4, k = c % 4;
  int l = (32 + 2 * e + 2 * i - h - k) % 7;
  int m = (a + 11 * h + 22 * l) / 451;
  int n = h + l - 7 * m + 114;
  return CDate(n % 31 + 1, n / 31, year);
}

CDate ElectionDay(int year) { return nthWeekday(11, 1, 1, year) + 1; }

CDate VictoriaDay(int year) {
  CDate may24(24, 5, year);
  return may24 - (may24.Weekday() - 1);
}

CDate DateInYear(const CHoliday& holiday, int year) {
  switch (holiday.ruleKind) {
  case CHoliday::FixedDate:
    return CDate(holiday.ruleB, holiday.ruleA, year);
  case CHoliday::WeekdayOfMonth:
    return nthWeekday(holiday.ruleA, holiday.ruleB, holiday.ruleC, year);
  case CHoliday::MovableFeast:
    if (const Feast* feast = findFeast(holiday.feastCode))
      return feast->base(year) + feast->offset;
    return CDate::FromDayNumber(0);
  default:
    return CDate::FromDayNumber(0);
  }
}

bool IsKnownFeast(const std::string& code) { return findFeast(code) != nullptr; }

} // namespace holidayrules
