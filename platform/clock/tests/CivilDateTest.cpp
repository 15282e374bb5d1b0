#include <clock/CivilDate.h>

#include <gtest/gtest.h>

namespace {

TEST(CivilDateTest, DayNumbersAndDatesMatchBothWays) {
  struct Case {
    const char* name;
    int year, month, day;
    int days;
    int weekday; // 0 = Sunday
  } cases[] = {
      {"the epoch", 1970, 1, 1, 0, 4},
      {"the day before", 1969, 12, 31, -1, 3},
      {"a leap day", 2024, 2, 29, 19782, 4},
      {"a century that is no leap year", 1900, 3, 1, -25508, 4},
      {"a century that is one", 2000, 2, 29, 11016, 2},
      {"the date type's day 0", 1899, 12, 30, -25569, 6},
      {"year 1", 1, 1, 1, -719162, 1},
      {"far ahead", 999999, 12, 31, 364522971, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::daysFromCivil(c.year, c.month, c.day), c.days) << c.name;
    platform::CivilDate date = platform::civilFromDays(c.days);
    EXPECT_EQ(date.year, c.year) << c.name;
    EXPECT_EQ(date.month, c.month) << c.name;
    EXPECT_EQ(date.day, c.day) << c.name;
    EXPECT_EQ(platform::weekdayFromDays(c.days), c.weekday) << c.name;
  }
}

TEST(CivilDateTest, MonthLengthsFollowTheLeapYears) {
  EXPECT_EQ(platform::daysInMonth(2023, 2), 28);
  EXPECT_EQ(platform::daysInMonth(2024, 2), 29);
  EXPECT_EQ(platform::daysInMonth(1900, 2), 28);
  EXPECT_EQ(platform::daysInMonth(2000, 2), 29);
  EXPECT_EQ(platform::daysInMonth(2024, 4), 30);
  EXPECT_EQ(platform::daysInMonth(2024, 13), 0);
}

TEST(CivilDateTest, SystemTimeIsFilledWithTheWeekdayAndTheTimeOfDay) {
  SYSTEMTIME time =
      platform::systemTimeOf(platform::daysFromCivil(2026, 7, 15), 13 * 3600000 + 5 * 60000 + 7123);
  EXPECT_EQ(time.wYear, 2026);
  EXPECT_EQ(time.wMonth, 7);
  EXPECT_EQ(time.wDay, 15);
  EXPECT_EQ(time.wDayOfWeek, 3); // a Wednesday
  EXPECT_EQ(time.wHour, 13);
  EXPECT_EQ(time.wMinute, 5);
  EXPECT_EQ(time.wSecond, 7);
  EXPECT_EQ(time.wMilliseconds, 123);
}

} // namespace
