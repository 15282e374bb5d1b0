#include "WorldTime.h"

#include "CityTable.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace pellawin;
using formlib::EncodeDate;
using formlib::TDateTime;

namespace {

constexpr int kWashington = 1529; // rule 1, UTC-5
constexpr int kNome = 1535;       // rule 1, UTC-11
constexpr int kIceland = 651;     // no daylight time, UTC
constexpr int kAberdeen = 1481;   // rule 2, UTC
constexpr int kMoscow = 1166;     // rule 3, UTC+3
constexpr int kNewDelhi = 668;    // no daylight time, UTC+5:30

TDateTime at(int year, int month, int day, int hour, int minute = 0) {
  return EncodeDate(year, month, day) + (hour * 60 + minute) / 1440.0;
}

// Minutes since day 0, exactly, for comparing instants.
long long minutes(TDateTime value) { return std::llround(value * 1440); }

TEST(WorldTimeTest, CityTimesFollowZonesAndRules) {
  // 2026: April 4 and October 31 are Saturdays; the last Saturday of March is the 28th, the day after the
  // fourth Saturday is March 29 and September 27.
  struct Case {
    const char* name;
    int local;
    int target;
    TDateTime now;
    TDateTime expected;
    bool targetDaylight;
  } cases[] = {
      {"winter, UTC target", kWashington, kIceland, at(2026, 1, 15, 12), at(2026, 1, 15, 17), false},
      {"rule 1 the day before it starts", kWashington, kIceland, at(2026, 4, 3, 12), at(2026, 4, 3, 17),
       false},
      {"rule 1 from its first Saturday", kWashington, kIceland, at(2026, 4, 4, 12), at(2026, 4, 4, 16),
       false},
      {"rule 1 target on its start day", kIceland, kNome, at(2026, 4, 4, 12), at(2026, 4, 4, 2), true},
      {"rule 2 the day before", kWashington, kAberdeen, at(2026, 3, 27, 12), at(2026, 3, 27, 17), false},
      {"rule 2 from the last Saturday of March", kWashington, kAberdeen, at(2026, 3, 28, 12),
       at(2026, 3, 28, 18), true},
      {"rule 2 on the last Saturday of October", kIceland, kAberdeen, at(2026, 10, 31, 12),
       at(2026, 10, 31, 13), true},
      {"rule 2 the Sunday after", kIceland, kAberdeen, at(2026, 11, 1, 12), at(2026, 11, 1, 12), false},
      {"rule 3 the fourth Saturday of March", kIceland, kMoscow, at(2026, 3, 28, 12), at(2026, 3, 28, 15),
       false},
      {"rule 3 the day after it", kIceland, kMoscow, at(2026, 3, 29, 12), at(2026, 3, 29, 16), true},
      {"rule 3 its last day in September", kIceland, kMoscow, at(2026, 9, 27, 12), at(2026, 9, 27, 16), true},
      {"rule 3 over", kIceland, kMoscow, at(2026, 9, 28, 12), at(2026, 9, 28, 15), false},
      {"half-hour zone", kWashington, kNewDelhi, at(2026, 1, 15, 12), at(2026, 1, 15, 22, 30), false},
      {"across midnight", kWashington, kNewDelhi, at(2026, 1, 15, 20), at(2026, 1, 16, 6, 30), false},
      {"local in its summer, target without", kAberdeen, kIceland, at(2026, 7, 1, 12), at(2026, 7, 1, 11),
       false},
      {"local out of its summer", kAberdeen, kIceland, at(2026, 12, 1, 12), at(2026, 12, 1, 12), false},
      {"same city", kWashington, kWashington, at(2026, 7, 1, 9, 41), at(2026, 7, 1, 9, 41), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(minutes(TimeAtCity(c.local, c.target, c.now)), minutes(c.expected)) << c.name;
    EXPECT_EQ(IsDaylightTime(c.target, c.now), c.targetDaylight) << c.name;
  }
}

TEST(WorldTimeTest, SwitchDaysAreWholeDaysWhateverTheHour) {
  EXPECT_TRUE(IsDaylightTime(kAberdeen, at(2026, 3, 28, 0, 0)));
  EXPECT_TRUE(IsDaylightTime(kAberdeen, at(2026, 10, 31, 23, 59)));
  EXPECT_FALSE(IsDaylightTime(kAberdeen, at(2026, 3, 27, 23, 59)));
  // Another year puts the days elsewhere: 2027's last Saturday of March is the 27th.
  EXPECT_TRUE(IsDaylightTime(kAberdeen, at(2027, 3, 27, 1)));
  EXPECT_FALSE(IsDaylightTime(kAberdeen, at(2027, 3, 26, 23)));
}

} // namespace
