#include <calendar/data/CDate.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

namespace {

TEST(CDateTest, BuildsDayNumbersAndRejectsImpossibleDates) {
  struct Case {
    const char* name;
    int day, month, year;
    std::int32_t expected;
  } cases[] = {
      {"2000-01-01", 1, 1, 2000, 2451545},
      {"1999-12-31", 31, 12, 1999, 2451544},
      {"two-digit year", 1, 1, 97, CDate(1, 1, 1997).DayNumber()},
      {"leap day of 2000", 29, 2, 2000, 2451604},
      {"31 April", 31, 4, 1998, 0},
      {"29 February 1999", 29, 2, 1999, 0},
      {"1900 is not leap", 29, 2, 1900, 0},
      {"day 0", 0, 5, 2000, 0},
      {"month 13", 1, 13, 2000, 0},
      {"negative year", 1, 1, -5, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CDate(c.day, c.month, c.year).DayNumber(), c.expected) << c.name;
  }
}

// Every day of the calendar's range converts both ways, follows the day before it and steps the
// weekday by one.
TEST(CDateTest, EveryDayFrom1753To3000RoundTrips) {
  CDate previous(31, 12, 1752);
  int previousWeekday = previous.Weekday();
  for (int year = 1753; year <= 3000; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= CDate::DaysInMonth(month, year); ++day) {
        CDate date(day, month, year);
        int d, m, y;
        date.GetDMY(d, m, y);
        ASSERT_TRUE(d == day && m == month && y == year) << year << '-' << month << '-' << day;
        ASSERT_EQ(date - previous, 1) << year << '-' << month << '-' << day;
        ASSERT_EQ(date.Weekday(), previousWeekday % 7 + 1) << year << '-' << month << '-' << day;
        previous = date;
        previousWeekday = date.Weekday();
      }
    }
  }
}

TEST(CDateTest, WeekdaysWeeksAndMonthLengths) {
  EXPECT_EQ(CDate(1, 1, 2000).Weekday(), 6);
  EXPECT_STREQ(CDate::WeekdayName(CDate(1, 1, 2000).Weekday()), "Saturday");
  EXPECT_STREQ(CDate::WeekdayName(1), "Monday");
  EXPECT_STREQ(CDate::WeekdayName(7), "Sunday");
  EXPECT_STREQ(CDate::WeekdayName(0), "");
  EXPECT_STREQ(CDate::WeekdayName(8), "");

  struct Case {
    int day, month, year;
    int week;
    bool lastSeven;
  } weeks[] = {
      {1, 3, 2026, 1, false}, {7, 3, 2026, 1, false}, {8, 3, 2026, 2, false}, {24, 3, 2026, 4, false},
      {25, 3, 2026, 4, true}, {29, 3, 2026, 5, true}, {22, 2, 2027, 4, true}, {21, 2, 2027, 3, false},
      {23, 2, 2028, 4, true}, {29, 2, 2028, 5, true},
  };
  for (const Case& c : weeks) {
    bool lastSeven = false;
    EXPECT_EQ(CDate(c.day, c.month, c.year).WeekOfMonth(lastSeven), c.week) << c.day << '/' << c.month;
    EXPECT_EQ(lastSeven, c.lastSeven) << c.day << '/' << c.month << '/' << c.year;
  }
  EXPECT_EQ(CDate(10, 2, 2028).DaysInMonth(), 29);
  EXPECT_EQ(CDate(10, 2, 2100).DaysInMonth(), 28);
  EXPECT_EQ(CDate(10, 4, 2026).Quarter(), 2);
  EXPECT_EQ(CDate(10, 12, 2026).Quarter(), 4);
}

TEST(CDateTest, ClampedFallsOnTheMonthsLastDay) {
  EXPECT_EQ(CDate::Clamped(31, 4, 2026), CDate(30, 4, 2026));
  EXPECT_EQ(CDate::Clamped(29, 2, 2027), CDate(28, 2, 2027));
  EXPECT_EQ(CDate::Clamped(29, 2, 2028), CDate(29, 2, 2028));
  EXPECT_FALSE(CDate::Clamped(0, 4, 2026).IsValid());
  EXPECT_FALSE(CDate::Clamped(10, 13, 2026).IsValid());
}

TEST(CDateTest, TodayComesFromTheProgramsClock) {
  platform::ClockOverride clock(2026, 12, 9, 23, 59, 59);
  EXPECT_EQ(CDate(), CDate(9, 12, 2026));
  platform::Clock::advanceSeconds(1);
  EXPECT_EQ(CDate(), CDate(10, 12, 2026));
}

} // namespace
