#include <foundation/registry/systime.h>

#include <clock/Clock.h>
#include <gtest/gtest.h>

TEST(systimeTest, DefaultNowAndOrder) {
  systime start;
  EXPECT_EQ(0, start.wYear);
  EXPECT_EQ(1, start.wMonth);
  EXPECT_EQ(1, start.wDay);

  platform::ClockOverride clock(2026, 12, 9, 22, 30, 15);
  systime now;
  now.now();
  EXPECT_EQ(2026, now.wYear);
  EXPECT_EQ(15, now.wSecond);

  systime later = now;
  later.wMilliseconds = 1;
  systime otherDay = now;
  otherDay.wDayOfWeek = 6;
  EXPECT_EQ(-1, systime::compare(now, later));
  EXPECT_EQ(1, systime::compare(later, now));
  EXPECT_EQ(0, systime::compare(now, otherDay));
  EXPECT_EQ(-1, systime::compare(start, now));
}
