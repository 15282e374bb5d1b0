#include <lookup/WorldTime.h>

#include <lookup/CityTable.h>

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

// The first and last days of each rule are whole days, whatever the hour, in years where the walk to
// them starts on a Saturday itself (2023: April 1; 2025: March 1; 2026: October 31; 2029: March 31) and
// in years where it does not.
TEST(WorldTimeTest, SwitchDaysAreWholeDaysWhateverTheHour) {
  struct Case {
    const char* name;
    int city;
    TDateTime now;
    bool daylight;
  } cases[] = {
      {"rule 1 starts on April 1, 2023", kWashington, at(2023, 4, 1, 0, 0), true},
      {"rule 1 not the day before", kWashington, at(2023, 3, 31, 23, 59), false},
      {"rule 1 ends on October 28, 2023", kWashington, at(2023, 10, 28, 23, 59), true},
      {"rule 1 not the day after", kWashington, at(2023, 10, 29, 0, 0), false},
      {"rule 2 starts on March 28, 2026", kAberdeen, at(2026, 3, 28, 0, 0), true},
      {"rule 2 not the day before", kAberdeen, at(2026, 3, 27, 23, 59), false},
      {"rule 2 ends on October 31, 2026", kAberdeen, at(2026, 10, 31, 23, 59), true},
      {"rule 2 not the day after", kAberdeen, at(2026, 11, 1, 0, 0), false},
      {"rule 2 starts on March 27, 2027", kAberdeen, at(2027, 3, 27, 1), true},
      {"rule 2 not the day before, 2027", kAberdeen, at(2027, 3, 26, 23), false},
      {"rule 2 starts on March 31, 2029", kAberdeen, at(2029, 3, 31, 0, 0), true},
      {"rule 2 not the day before, 2029", kAberdeen, at(2029, 3, 30, 23, 59), false},
      {"rule 3 starts on March 23, 2025", kMoscow, at(2025, 3, 23, 0, 0), true},
      {"rule 3 not on the fourth Saturday", kMoscow, at(2025, 3, 22, 23, 59), false},
      {"rule 3 ends on September 28, 2025", kMoscow, at(2025, 9, 28, 23, 59), true},
      {"rule 3 not the day after", kMoscow, at(2025, 9, 29, 0, 0), false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsDaylightTime(c.city, c.now), c.daylight) << c.name;
}

} // namespace
