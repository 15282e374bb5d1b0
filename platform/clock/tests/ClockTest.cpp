#include <clock/Clock.h>

#include <gtest/gtest.h>

using platform::Clock;
using platform::ClockOverride;

namespace {

struct Instant {
  int year, month, day, hour, minute, second;
};

Instant of(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

bool operator==(const Instant& a, const Instant& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

std::ostream& operator<<(std::ostream& out, const Instant& t) {
  return out << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':'
             << t.second;
}

TEST(ClockTest, SetClockStandsStillAndFillsTheWeekday) {
  ClockOverride clock(2026, 12, 9, 10, 30, 15);
  EXPECT_EQ(of(Clock::localTime()), (Instant{2026, 12, 9, 10, 30, 15}));
  EXPECT_EQ(Clock::localTime().wDayOfWeek, 3); // a Wednesday
  Sleep(20);
  EXPECT_EQ(of(Clock::localTime()), (Instant{2026, 12, 9, 10, 30, 15}));
}

TEST(ClockTest, AdvancingCrossesMidnightMonthsAndYears) {
  struct Case {
    const char* name;
    Instant start;
    long long seconds;
    Instant expected;
  } cases[] = {
      {"one second to midnight", {2026, 12, 9, 23, 59, 59}, 1, {2026, 12, 10, 0, 0, 0}},
      {"year end", {2026, 12, 31, 23, 59, 30}, 45, {2027, 1, 1, 0, 0, 15}},
      {"leap day", {2028, 2, 28, 12, 0, 0}, 86400, {2028, 2, 29, 12, 0, 0}},
      {"common February", {2027, 2, 28, 12, 0, 0}, 86400, {2027, 3, 1, 12, 0, 0}},
      {"backwards", {2026, 1, 1, 0, 0, 0}, -1, {2025, 12, 31, 23, 59, 59}},
  };
  for (const Case& c : cases) {
    ClockOverride clock(c.start.year, c.start.month, c.start.day, c.start.hour, c.start.minute,
                        c.start.second);
    Clock::advanceSeconds(c.seconds);
    EXPECT_EQ(of(Clock::localTime()), c.expected) << c.name;
  }
}

TEST(ClockTest, UniversalTimeFollowsTheBias) {
  // Bias is what local time needs added to reach universal time: one hour east of Greenwich is -60.
  ClockOverride clock(2026, 12, 9, 0, 30, 0, -60);
  EXPECT_EQ(of(Clock::universalTime()), (Instant{2026, 12, 8, 23, 30, 0}));
  EXPECT_EQ(Clock::biasMinutes(), -60);
}

TEST(ClockTest, TicksFollowTheSetClock) {
  ClockOverride clock(2026, 12, 9);
  auto before = Clock::ticks();
  Clock::advanceMilliseconds(250);
  EXPECT_EQ(Clock::ticks() - before, 250u);
}

TEST(ClockTest, ResetGivesBackTheSystemClock) {
  Clock::set(1999, 1, 1);
  Clock::reset();
  EXPECT_FALSE(Clock::isSet());
  SYSTEMTIME now{};
  GetLocalTime(&now);
  EXPECT_EQ(Clock::localTime().wYear, now.wYear);
}

} // namespace
