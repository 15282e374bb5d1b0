// How this works: every city has a standard zone (half hours from UTC-12) and one of four daylight-saving
// rules. A rule is a pair of whole days in the current year, both included, found by walking from an
// anchor day to a Saturday; the hour of the switch plays no part. Every row is tested on the computer's
// own date, not on the city's local date. A city's time is the computer's clock taken back to UTC through
// the local city's zone and daylight time, then forward through the target's. The sum is kept in whole
// milliseconds so that it lands exactly on the minute.
#include <lookup/WorldTime.h>

#include <lookup/CityTable.h>

#include <cmath>
#include <cstdint>

namespace pellawin {

namespace {

using formlib::TDateTime;

constexpr int kSaturday = 7;
constexpr std::int64_t kMillisecondsPerDay = 86400000;
constexpr std::int64_t kHour = 3600000;
constexpr std::int64_t kHalfHour = 1800000;

enum class Anchor {
  FirstSaturday,         // from day 1 of the month forward to a Saturday
  LastSaturday,          // from the month's last day backward to a Saturday
  DayAfterFourthSaturday // the day after the month's fourth Saturday
};

struct Switch {
  Anchor anchor;
  int month;
};

struct Rule {
  bool observed;
  Switch start;
  Switch end;
};

const Rule kRules[] = {
    {false, {}, {}},
    {true, {Anchor::FirstSaturday, 4}, {Anchor::LastSaturday, 10}},
    {true, {Anchor::LastSaturday, 3}, {Anchor::LastSaturday, 10}},
    {true, {Anchor::DayAfterFourthSaturday, 3}, {Anchor::DayAfterFourthSaturday, 9}},
};

int lastDayOfMonth(int year, int month) {
  return month == 12 ? 31 : formlib::EncodeDate(year, month + 1, 1) - formlib::EncodeDate(year, month, 1);
}

int switchDay(int year, Switch at) {
  if (at.anchor == Anchor::LastSaturday) {
    int day = formlib::EncodeDate(year, at.month, lastDayOfMonth(year, at.month));
    while (formlib::DayOfWeek(day) != kSaturday)
      --day;
    return day;
  }
  int day = formlib::EncodeDate(year, at.month, 1);
  while (formlib::DayOfWeek(day) != kSaturday)
    ++day;
  return at.anchor == Anchor::FirstSaturday ? day : day + 3 * 7 + 1;
}

std::int64_t toMilliseconds(TDateTime value) { return std::llround(value * kMillisecondsPerDay); }

} // namespace

bool IsDaylightTime(int row, TDateTime now) {
  const Rule& rule = kRules[City(row).DstRule];
  if (!rule.observed)
    return false;
  int year, month, day;
  formlib::DecodeDate(now, year, month, day);
  auto today = static_cast<int>(std::floor(now));
  return today >= switchDay(year, rule.start) && today <= switchDay(year, rule.end);
}

bool IsDaylightTime(int row) { return IsDaylightTime(row, formlib::Now()); }

TDateTime TimeAtCity(int localRow, int targetRow, TDateTime now) {
  std::int64_t t = toMilliseconds(now);
  if (IsDaylightTime(localRow, now))
    t -= kHour;
  t -= City(localRow).Zone * kHalfHour;
  t += City(targetRow).Zone * kHalfHour;
  if (IsDaylightTime(targetRow, now))
    t += kHour;
  return static_cast<double>(t) / kMillisecondsPerDay;
}

TDateTime TimeAtCity(int localRow, int targetRow) { return TimeAtCity(localRow, targetRow, formlib::Now()); }

} // namespace pellawin
