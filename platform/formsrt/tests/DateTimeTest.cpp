#include <formsrt/DateTime.h>
#include <formsrt/tests/ErrorOf.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

using namespace formsrt;

namespace {

TEST(DateTimeTest, SerialDaysRollOverLikeTheRuntime) {
  EXPECT_EQ(DateSerial(1899, 12, 30).day, 0);
  EXPECT_EQ(DateSerial(2000, 1, 1).day, 36526);
  EXPECT_EQ(DateSerial(2026, 13, 1), DateSerial(2027, 1, 1));
  EXPECT_EQ(DateSerial(2026, 3, 0), DateSerial(2026, 2, 28));
  EXPECT_EQ(AddMonths(DateSerial(2024, 1, 31), 1), DateSerial(2024, 2, 29));
  EXPECT_EQ(AddMonths(DateSerial(2026, 12, 15), 1), DateSerial(2027, 1, 15));
  EXPECT_EQ(Weekday(DateSerial(2026, 8, 1)), 7) << "a Saturday";
  EXPECT_EQ(Weekday(DateSerial(2026, 8, 2)), 1) << "a Sunday";
  Date d = DateSerial(2028, 2, 29);
  EXPECT_EQ(Year(d), 2028);
  EXPECT_EQ(Month(d), 2);
  EXPECT_EQ(Day(d), 29);
}

TEST(DateTimeTest, TodayComesFromTheClock) {
  platform::ClockOverride clock(2026, 4, 1, 13, 45, 10);
  EXPECT_EQ(Today(), DateSerial(2026, 4, 1));
  EXPECT_EQ(Now().seconds, 13 * 3600 + 45 * 60 + 10);
}

TEST(DateTimeTest, DateValueReadsMonthFirst) {
  EXPECT_EQ(DateValue("04-01-26"), DateSerial(2026, 4, 1));
  EXPECT_EQ(DateValue("12/25/1999"), DateSerial(1999, 12, 25));
  EXPECT_EQ(DateValue("02-01-45"), DateSerial(1945, 2, 1));
  for (const char* bad : {"", "13-01-26", "02-30-26", "a-b-c", "1-2"})
    EXPECT_EQ(errorOf([&] { DateValue(bad); }), errTypeMismatch) << bad;
}

TEST(DateTimeTest, FormatsThroughTheSystemFormats) {
  Date d = DateSerial(2026, 4, 5);
  d.seconds = 14 * 3600 + 7 * 60;
  struct Case {
    const char* pattern;
    const char* text;
  } cases[] = {{"dddd", "Sunday"},
               {"mmmm dd, yyyy", "April 05, 2026"},
               {"MM", "04"},
               {"MM\\/DD", "04/05"},
               {"mmmm yyyy", "April 2026"},
               {"dddd, mmmm d, yyyy", "Sunday, April 5, 2026"},
               {"h:mm AMPM", "2:07 PM"},
               {"mm", "04"}};
  for (const Case& c : cases)
    EXPECT_EQ(Format(d, c.pattern), c.text) << c.pattern;
  EXPECT_EQ(FormatNumber(1234567, "00,000"), "1,234,567");
  EXPECT_EQ(FormatNumber(12, "00,000"), "00,012");
}

} // namespace
