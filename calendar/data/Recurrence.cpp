// How the next date of an event is found
//
// ComputeNextDate turns an event into its next date relative to today, by its recurrence kind:
// - one time: its own date;
// - weekly: its start date, then every N weeks; the first such date on or after today;
// - monthly: its day in the first month of the month mask, from today's month on, that is not past;
// - yearly: its day and month this year, or next year when that is past;
// - custom: the first date from today on that fits every mask (FindNextOccurrence).
// A day that does not exist in its month (a monthly 31st, a yearly 29 February, a stored 31 April) falls
// on that month's last day. A date that cannot be made at all (a month of 13, a month mask of 0, a pattern
// not found within ten years) leaves the event without a next date (HasNextDate false): such an event is
// listed unless its notification is disabled, and it takes no part in alarms or day marks.
//
// FindNextOccurrence: a date fits the custom pattern when its year is the pattern year (or any year),
// its quarter and month are allowed by their masks, the day lies in a week of the month that the week
// mask names, and its weekday is in the weekday mask. The search walks forward month by month over the
// allowed months and day by day inside a month, until the end of the tenth year after the year it
// started in. A week bit of a day is that of its seven-day block (days 1-7, 8-14, 15-21, 22-28), "day
// 29 on" for days 29 and later, and "last seven days" for the month's last seven days; all of them
// apply to February as to any other month.
#include <calendar/data/CEventItem.h>

#include <algorithm>

namespace {

constexpr int kSearchYears = 10;

// The months (bit m-1 for month m) that the quarter mask allows.
int monthsOfQuarters(int quarterMask) {
  int months = 0;
  for (int quarter = 0; quarter < 4; ++quarter) {
    if (quarterMask & (1 << quarter))
      months |= 7 << (3 * quarter);
  }
  return months;
}

int weekBitsOf(int day, int daysInMonth) {
  int bits = day <= 28 ? 1 << ((day - 1) / 7) : CEventItem::kDay29On;
  if (day > daysInMonth - 7)
    bits |= CEventItem::kLastSevenDays;
  return bits;
}

// 1 = Monday ... 7 = Sunday.
int weekdayOf(int day, int month, int year) {
  return CDate::FromDayNumber(CDate::DayNumberOf(day, month, year)).Weekday();
}

CDate noDate() { return CDate::FromDayNumber(0); }

// The first month, from (month, year) on, whose bit is in the mask; the mask must not be 0.
void moveToMarkedMonth(int monthMask, int& month, int& year) {
  while (!(monthMask & (1 << (month - 1)))) {
    if (++month > 12) {
      month = 1;
      ++year;
    }
  }
}

} // namespace

int CEventItem::FindNextOccurrence(CDate& d) {
  if (!d.IsValid())
    return 0;
  int dayOfMonth, month, year;
  d.GetDMY(dayOfMonth, month, year);
  searchStartYear = year;
  int lastYear = searchStartYear + kSearchYears;
  int months = monthMask & kAllMonths & monthsOfQuarters(quarterMask);
  if (months == 0 || (weekMask & kAllWeeks) == 0 || (weekdayMask & kAllWeekdays) == 0)
    return 0;
  if (patternYear != -1) {
    if (patternYear < year || patternYear > lastYear)
      return 0;
    if (patternYear > year) {
      year = patternYear;
      month = dayOfMonth = 1;
    }
    lastYear = patternYear;
  }
  for (; year <= lastYear; ++year, month = 1, dayOfMonth = 1) {
    for (; month <= 12; ++month, dayOfMonth = 1) {
      if (!(months & (1 << (month - 1))))
        continue;
      int daysInMonth = CDate::DaysInMonth(month, year);
      int weekday = weekdayOf(dayOfMonth, month, year);
      for (; dayOfMonth <= daysInMonth; ++dayOfMonth, weekday = weekday % 7 + 1) {
        if ((weekBitsOf(dayOfMonth, daysInMonth) & weekMask) && (weekdayMask & (1 << (weekday - 1)))) {
          d = CDate(dayOfMonth, month, year);
          return 1;
        }
      }
    }
  }
  return 0;
}

CDate CEventItem::NextOneTime() const { return CDate::Clamped(day, month, year); }

CDate CEventItem::NextWeekly(const CDate& today) const {
  CDate start = CDate::Clamped(day, month, year);
  if (!start.IsValid())
    return start;
  int diff = today - start;
  if (diff <= 0)
    return start;
  int interval = std::max(weeksInterval, 1);
  int weeks = diff / 7;
  int rest = weeks % interval;
  if (diff % 7 == 0 && rest == 0)
    return today;
  return start + 7 * (weeks - rest + interval);
}

CDate CEventItem::NextMonthly(const CDate& today) {
  int months = monthMask & kAllMonths;
  int thisDay, thisMonth, thisYear;
  today.GetDMY(thisDay, thisMonth, thisYear);
  month = thisMonth;
  year = thisYear;
  if (months == 0)
    return noDate();
  int m = thisMonth, y = thisYear;
  moveToMarkedMonth(months, m, y);
  CDate d = CDate::Clamped(day, m, y);
  if (!d.IsValid() || d >= today)
    return d;
  if (++m > 12) {
    m = 1;
    ++y;
  }
  moveToMarkedMonth(months, m, y);
  return CDate::Clamped(day, m, y);
}

CDate CEventItem::NextYearly(const CDate& today) const {
  CDate d = CDate::Clamped(day, month, today.Year());
  if (!d.IsValid() || d >= today)
    return d;
  return CDate::Clamped(day, month, today.Year() + 1);
}

void CEventItem::ComputeNextDate(const CDate& today, int showAll) {
  listed = 0;
  Kind kind = RecurrenceKind();
  CDate d = noDate();
  switch (kind) {
  case Kind::Custom:
    d = today;
    patternFound = FindNextOccurrence(d);
    if (patternFound)
      d.GetDMY(day, month, year);
    else
      d = noDate();
    break;
  case Kind::OneTime:
    d = NextOneTime();
    break;
  case Kind::Weekly:
    d = NextWeekly(today);
    break;
  case Kind::Monthly:
    d = NextMonthly(today);
    break;
  case Kind::Yearly:
    d = NextYearly(today);
    break;
  }
  nextDate = d;
  if (d.IsValid())
    daysLeft = d - today;

  bool upcoming = notifyDisabled == 0 && (!d.IsValid() || daysLeft <= daysPrior);
  if (!upcoming && !showAll)
    return;
  listed = 1;
  if (!d.IsValid()) {
    weekdayName.clear();
    weekdayIndex = 7;
    age = -1;
    return;
  }
  int weekday = d.Weekday();
  weekdayName = CDate::WeekdayName(weekday);
  weekdayIndex = day == -1 ? 7 : weekday % 7;
  bool counted = (kind == Kind::Weekly || kind == Kind::Yearly) && noYear == 0;
  age = counted ? d.Year() - year : -1;
}
