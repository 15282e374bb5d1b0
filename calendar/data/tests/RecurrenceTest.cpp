#include <calendar/data/CEventItem.h>

#include <calendar/data/CAppSettings.h>
#include <clock/Clock.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Ymd {
  int year, month, day;
};

CDate dateOf(Ymd d) { return CDate(d.day, d.month, d.year); }

void setDate(CEventItem& e, Ymd d) {
  e.day = d.day;
  e.month = d.month;
  e.year = d.year;
}

void makeKind(CEventItem& e, CEventItem::Kind kind) {
  e.oneTime = kind == CEventItem::Kind::OneTime;
  e.weekly = kind == CEventItem::Kind::Weekly;
  e.monthly = kind == CEventItem::Kind::Monthly;
  e.yearly = kind == CEventItem::Kind::Yearly;
  e.custom = kind == CEventItem::Kind::Custom;
}

class RecurrenceTest : public ::testing::Test {
protected:
  RecurrenceTest() { AppSettings() = CAppSettings(); }
  platform::ClockOverride clock{2026, 12, 9}; // a Wednesday
};

TEST_F(RecurrenceTest, NewEventTakesTodayAndTheSettingsDefaults) {
  AppSettings().defaultLeadTime = 25;
  AppSettings().defaultType = 2;
  CEventItem first;
  CEventItem second;
  EXPECT_EQ(first.day, 9);
  EXPECT_EQ(first.month, 12);
  EXPECT_EQ(first.year, 2026);
  EXPECT_EQ(first.nextDate, CDate(9, 12, 2026));
  EXPECT_EQ(first.leadMinutes, 25);
  EXPECT_EQ(first.type, "Birthday");
  EXPECT_EQ(second.serialNumber, first.serialNumber + 1);

  AppSettings().defaultType = 6; // one past the six types
  EXPECT_EQ(CEventItem().type, "");
}

TEST_F(RecurrenceTest, KindPrecedenceWhenSeveralOrNoFlagsAreSet) {
  using K = CEventItem::Kind;
  struct Case {
    const char* name;
    int oneTime, weekly, monthly, yearly, custom;
    K expected;
  } cases[] = {
      {"no flag at all", 0, 0, 0, 0, 0, K::OneTime},
      {"custom beats everything", 1, 1, 1, 1, 1, K::Custom},
      {"one time beats weekly", 1, 1, 0, 0, 0, K::OneTime},
      {"one time counts only as 1", 2, 0, 0, 1, 0, K::Yearly},
      {"weekly beats monthly", 0, 1, 1, 0, 0, K::Weekly},
      {"monthly beats yearly", 0, 0, 5, 1, 0, K::Monthly},
  };
  for (const Case& c : cases) {
    CEventItem e;
    e.oneTime = c.oneTime;
    e.weekly = c.weekly;
    e.monthly = c.monthly;
    e.yearly = c.yearly;
    e.custom = c.custom;
    EXPECT_EQ(e.RecurrenceKind(), c.expected) << c.name;
  }
}

TEST_F(RecurrenceTest, NextDateOfEveryKind) {
  using K = CEventItem::Kind;
  const CDate today(9, 12, 2026);
  constexpr Ymd none{0, 0, 0};
  struct Case {
    const char* name;
    std::function<void(CEventItem&)> setup;
    int showAll;
    Ymd next; // none: no date
    int daysLeft;
    int listed;
    int age;
  } cases[] = {
      {"past one time is listed with negative days",
       [](CEventItem& e) {
         setDate(e, {2026, 12, 1});
       },
       0,
       {2026, 12, 1},
       -8,
       1,
       -1},
      {"one time beyond its notice",
       [](CEventItem& e) {
         setDate(e, {2026, 12, 30});
       },
       0,
       {2026, 12, 30},
       21,
       0,
       -1},
      {"one time beyond its notice, show all",
       [](CEventItem& e) {
         setDate(e, {2026, 12, 30});
       },
       1,
       {2026, 12, 30},
       21,
       1,
       -1},
      {"one time on a stored 31 April",
       [](CEventItem& e) {
         setDate(e, {2027, 4, 31});
       },
       1,
       {2027, 4, 30},
       142,
       1,
       -1},
      {"one time in month 0 has no date",
       [](CEventItem& e) {
         setDate(e, {2027, 0, 5});
       },
       0, none, -1, 1, -1},
      {"notification disabled",
       [](CEventItem& e) {
         setDate(e, {2026, 12, 10}), e.notifyDisabled = 1;
       },
       0,
       {2026, 12, 10},
       1,
       0,
       -1},
      {"weekly every 2 weeks, started 3 weeks ago",
       [](CEventItem& e) {
         makeKind(e, K::Weekly), setDate(e, {2026, 11, 18}), e.weeksInterval = 2;
       },
       0,
       {2026, 12, 16},
       7,
       1,
       -1},
      {"weekly every 2 weeks, started 4 weeks ago",
       [](CEventItem& e) {
         makeKind(e, K::Weekly), setDate(e, {2026, 11, 11}), e.weeksInterval = 2;
       },
       0,
       {2026, 12, 9},
       0,
       1,
       -1},
      {"weekly interval 0 counts as 1",
       [](CEventItem& e) {
         makeKind(e, K::Weekly), setDate(e, {2026, 11, 12}), e.weeksInterval = 0;
       },
       0,
       {2026, 12, 10},
       1,
       1,
       -1},
      {"weekly starting later",
       [](CEventItem& e) {
         makeKind(e, K::Weekly), setDate(e, {2027, 1, 5});
       },
       1,
       {2027, 1, 5},
       27,
       1,
       -1},
      {"weekly with a known year has an age",
       [](CEventItem& e) {
         makeKind(e, K::Weekly), setDate(e, {2020, 12, 9}), e.noYear = 0;
       },
       0,
       {2026, 12, 9},
       0,
       1,
       6},
      {"monthly later this month",
       [](CEventItem& e) { makeKind(e, K::Monthly), e.day = 20; },
       0,
       {2026, 12, 20},
       11,
       1,
       -1},
      {"monthly passed this month",
       [](CEventItem& e) { makeKind(e, K::Monthly), e.day = 5; },
       1,
       {2027, 1, 5},
       27,
       1,
       -1},
      {"monthly on the 31st of April only",
       [](CEventItem& e) { makeKind(e, K::Monthly), e.day = 31, e.monthMask = 1 << 3; },
       1,
       {2027, 4, 30},
       142,
       1,
       -1},
      {"monthly on the 30th of every month, February",
       [](CEventItem& e) { makeKind(e, K::Monthly), e.day = 30, e.monthMask = 1 << 1; },
       1,
       {2027, 2, 28},
       81,
       1,
       -1},
      {"monthly with no month", [](CEventItem& e) { makeKind(e, K::Monthly), e.monthMask = 0; }, 1, none, -1,
       1, -1},
      {"yearly today",
       [](CEventItem& e) {
         makeKind(e, K::Yearly), setDate(e, {1990, 12, 9}), e.noYear = 0;
       },
       0,
       {2026, 12, 9},
       0,
       1,
       36},
      {"yearly yesterday is next year",
       [](CEventItem& e) {
         makeKind(e, K::Yearly), setDate(e, {1990, 12, 8});
       },
       1,
       {2027, 12, 8},
       364,
       1,
       -1},
      {"yearly 29 February in a common year",
       [](CEventItem& e) {
         makeKind(e, K::Yearly), setDate(e, {2000, 2, 29}), e.noYear = 0;
       },
       1,
       {2027, 2, 28},
       81,
       1,
       27},
      {"yearly in month 13 has no date",
       [](CEventItem& e) {
         makeKind(e, K::Yearly), setDate(e, {2000, 13, 1});
       },
       1, none, -1, 1, -1},
      {"custom: Thursdays of the second week",
       [](CEventItem& e) { makeKind(e, K::Custom), e.weekMask = 2, e.weekdayMask = 1 << 3; },
       0,
       {2026, 12, 10},
       1,
       1,
       -1},
      {"custom not found is listed without a date",
       [](CEventItem& e) {
         makeKind(e, K::Custom), e.weekMask = 63, e.weekdayMask = 127, e.patternYear = 2041;
       },
       0, none, -1, 1, -1},
      {"custom not found with notification disabled",
       [](CEventItem& e) {
         makeKind(e, K::Custom), e.weekMask = 63, e.weekdayMask = 127, e.patternYear = 2041;
         e.notifyDisabled = 1;
       },
       0, none, -1, 0, -1},
  };
  for (const Case& c : cases) {
    CEventItem e;
    c.setup(e);
    e.ComputeNextDate(today, c.showAll);
    bool hasDate = c.next.year != 0;
    EXPECT_EQ(e.HasNextDate(), hasDate) << c.name;
    if (hasDate) {
      EXPECT_EQ(e.nextDate, dateOf(c.next)) << c.name;
      EXPECT_EQ(e.daysLeft, c.daysLeft) << c.name;
    }
    EXPECT_EQ(e.listed, c.listed) << c.name;
    if (c.listed) {
      EXPECT_EQ(e.age, c.age) << c.name;
    }
    if (c.listed && hasDate) {
      int weekday = dateOf(c.next).Weekday();
      EXPECT_EQ(e.weekdayName, CDate::WeekdayName(weekday)) << c.name;
      EXPECT_EQ(e.weekdayIndex, weekday % 7) << c.name;
    }
  }
}

TEST_F(RecurrenceTest, RefreshKeepsCustomResultsAndMonthlyFields) {
  CEventItem custom;
  makeKind(custom, CEventItem::Kind::Custom);
  custom.weekMask = 1;
  custom.weekdayMask = 1; // Mondays of the first week
  custom.ComputeNextDate(CDate(9, 12, 2026), 0);
  EXPECT_EQ(custom.patternFound, 1);
  EXPECT_EQ(custom.nextDate, CDate(4, 1, 2027));
  EXPECT_EQ(custom.day, 4);
  EXPECT_EQ(custom.month, 1);
  EXPECT_EQ(custom.year, 2027);

  CEventItem monthly;
  makeKind(monthly, CEventItem::Kind::Monthly);
  setDate(monthly, {2020, 3, 5});
  monthly.ComputeNextDate(CDate(9, 12, 2026), 0);
  EXPECT_EQ(monthly.month, 12);
  EXPECT_EQ(monthly.year, 2026);
  EXPECT_EQ(monthly.day, 5);
}

TEST_F(RecurrenceTest, CustomSearchExamples) {
  struct Case {
    const char* name;
    int quarterMask, monthMask, weekMask, weekdayMask, patternYear;
    Ymd from;
    Ymd found; // year 0: not found
  } cases[] = {
      {"Mondays of the first week", 15, 4095, 1, 1, -1, {1998, 6, 2}, {1998, 7, 6}},
      {"last seven days in a common February", 15, 1 << 1, 16, 127, -1, {2027, 1, 10}, {2027, 2, 22}},
      {"last seven days of a 30-day month", 15, 1 << 3, 16, 127, -1, {2027, 4, 1}, {2027, 4, 24}},
      {"day 29 on skips a common February", 15, 4095, 32, 127, -1, {2027, 2, 1}, {2027, 3, 29}},
      {"day 29 on in a leap February", 15, 4095, 32, 127, -1, {2028, 2, 1}, {2028, 2, 29}},
      {"third quarter only", 1 << 2, 4095, 63, 127, -1, {2026, 12, 9}, {2027, 7, 1}},
      {"quarter and month masks disagree", 1, 1 << 5, 63, 127, -1, {2026, 12, 9}, {0, 0, 0}},
      {"pattern year within ten years", 15, 4095, 63, 127, 2036, {2026, 12, 9}, {2036, 1, 1}},
      {"pattern year fifteen years on", 15, 4095, 63, 127, 2041, {2026, 12, 9}, {0, 0, 0}},
      {"pattern year past", 15, 4095, 63, 127, 2025, {2026, 12, 9}, {0, 0, 0}},
      {"no weekday", 15, 4095, 63, 0, -1, {2026, 12, 9}, {0, 0, 0}},
      {"no week", 15, 4095, 0, 127, -1, {2026, 12, 9}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    CEventItem e;
    e.quarterMask = c.quarterMask;
    e.monthMask = c.monthMask;
    e.weekMask = c.weekMask;
    e.weekdayMask = c.weekdayMask;
    e.patternYear = c.patternYear;
    CDate d = dateOf(c.from);
    int found = e.FindNextOccurrence(d);
    EXPECT_EQ(found, c.found.year != 0 ? 1 : 0) << c.name;
    if (found) {
      EXPECT_EQ(d, dateOf(c.found)) << c.name;
    }
  }
}

// Whether a day fits the masks, written from the masks' meaning day by day, not from the search.
bool fits(const CEventItem& e, const CDate& date) {
  int day, month, year;
  date.GetDMY(day, month, year);
  if (e.patternYear != -1 && year != e.patternYear)
    return false;
  if (!(e.quarterMask & (1 << ((month - 1) / 3))) || !(e.monthMask & (1 << (month - 1))))
    return false;
  int length = CDate::DaysInMonth(month, year);
  bool inWeek = (day <= 7 && (e.weekMask & 1)) || (day >= 8 && day <= 14 && (e.weekMask & 2)) ||
                (day >= 15 && day <= 21 && (e.weekMask & 4)) ||
                (day >= 22 && day <= 28 && (e.weekMask & 8)) || (day >= 29 && (e.weekMask & 32)) ||
                (day > length - 7 && (e.weekMask & 16));
  return inWeek && (e.weekdayMask & (1 << (date.Weekday() - 1)));
}

// From every day of four years, the search must find the first fitting day within the limit.
TEST_F(RecurrenceTest, CustomSearchAgreesWithADayByDayWalk) {
  struct Pattern {
    const char* name;
    int quarterMask, monthMask, weekMask, weekdayMask, patternYear;
  } patterns[] = {
      {"first Monday", 15, 4095, 1, 1, -1},
      {"last Friday", 15, 4095, 16, 1 << 4, -1},
      {"last seven days, weekends of February", 15, 1 << 1, 16, 3 << 5, -1},
      {"day 29 on, Sundays", 15, 4095, 32, 1 << 6, -1},
      {"second and fourth Tuesday, second quarter", 1 << 1, 4095, 2 | 8, 1 << 1, -1},
      {"weeks 4 and last, weekdays, odd months", 15, 0x555, 8 | 16, 31, -1},
      {"any day of 2031", 15, 4095, 63, 127, 2031},
      {"Wednesdays of week 5 in 2029", 15, 4095, 32, 1 << 2, 2029},
  };
  const CDate first(1, 1, 2026), last(31, 12, 2029);
  const CDate horizon(31, 12, 2039);
  for (const Pattern& p : patterns) {
    CEventItem e;
    e.quarterMask = p.quarterMask;
    e.monthMask = p.monthMask;
    e.weekMask = p.weekMask;
    e.weekdayMask = p.weekdayMask;
    e.patternYear = p.patternYear;
    // next[i]: the first fitting day on or after horizon - i, found by walking back from the horizon.
    std::vector<CDate> next(horizon - first + 2, CDate::FromDayNumber(0));
    for (CDate d = horizon; d >= first; d += -1)
      next[d - first] = fits(e, d) ? d : next[d - first + 1];
    for (CDate from = first; from <= last; from += 1) {
      CDate expected = next[from - first];
      bool expectFound = expected.IsValid() && expected.Year() <= from.Year() + 10;
      CDate d = from;
      int found = e.FindNextOccurrence(d);
      ASSERT_EQ(found, expectFound ? 1 : 0) << p.name << " from " << from.DayNumber();
      if (found) {
        ASSERT_EQ(d, expected) << p.name << " from " << from.DayNumber();
      }
    }
  }
}

} // namespace
