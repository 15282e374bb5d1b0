#include <calendar/frame/AlarmRules.h>

#include <calendar/data/CAppSettings.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace alarmrules;

namespace {

const CDate kDay(10, 12, 2026);

// Minutes from midnight of kDay: hm(9, 45) is 09:45 that day, hm(-1, 50) is 23:10 the evening before.
long long hm(int hour, int minute) { return AbsoluteMinute(kDay, 0) + hour * 60 + minute; }

CEventItem alarmEvent(int eventTime, int lead, CDate date = kDay) {
  CEventItem event(date);
  event.alarmEnabled = 1;
  event.eventTime = eventTime;
  event.leadMinutes = lead;
  event.nextDate = date;
  return event;
}

struct Step {
  long long now;
  int snooze; // 0: a plain check; else snooze by this many minutes at `now` (no check)
  bool rings;
};

struct Scenario {
  const char* name;
  CEventItem event;
  std::vector<Step> steps;
};

std::string run(Scenario& s) {
  AlarmState state;
  std::string failures;
  for (const Step& step : s.steps) {
    if (step.snooze) {
      Snooze(state, step.now, step.snooze);
      continue;
    }
    bool rang = CheckAlarm(s.event, step.now, state);
    if (rang != step.rings)
      failures += " at minute " + std::to_string(step.now - hm(0, 0)) + (rang ? " rang" : " stayed silent");
  }
  return failures;
}

class AlarmRulesTest : public ::testing::Test {
protected:
  AlarmRulesTest() { AppSettings() = CAppSettings(); }
};

TEST_F(AlarmRulesTest, AlarmWindowsSnoozesAndMidnight) {
  CEventItem disabled = alarmEvent(600, 15);
  disabled.alarmEnabled = 0;
  CEventItem timeless = alarmEvent(-1, 15);
  CEventItem dateless = alarmEvent(600, 15);
  dateless.nextDate = CDate::FromDayNumber(0);
  CEventItem customNotFound = alarmEvent(600, 15);
  customNotFound.custom = 1;
  customNotFound.patternFound = 0;
  CEventItem yearlyLate = alarmEvent(23 * 60 + 58, 15);

  std::vector<Scenario> scenarios = {
      {"rings once from the start of its lead",
       alarmEvent(600, 15),
       {{hm(9, 44), 0, false}, {hm(9, 45), 0, true}, {hm(9, 46), 0, false}, {hm(10, 0), 0, false}}},
      {"a snooze of 5 at 9:45 rings again at 9:50 and is gone after 10:05",
       alarmEvent(600, 15),
       {{hm(9, 45), 0, true},
        {hm(9, 45), 5, false},
        {hm(9, 49), 0, false},
        {hm(9, 50), 0, true},
        {hm(10, 6), 0, false},
        {hm(10, 7), 0, false}}},
      {"a snooze of 5 at 10:02 for 10:00 still rings at 10:07",
       alarmEvent(600, 15),
       {{hm(9, 50), 0, true},
        {hm(10, 2), 5, false},
        {hm(10, 6), 0, false},
        {hm(10, 7), 0, true},
        {hm(10, 8), 0, false}}},
      {"a snoozed window that passed unseen is cleared",
       alarmEvent(600, 15),
       {{hm(9, 50), 0, true}, {hm(9, 55), 5, false}, {hm(10, 16), 0, false}, {hm(10, 30), 0, false}}},
      {"a window already passed at start-up does not ring", alarmEvent(600, 15), {{hm(10, 1), 0, false}}},
      {"a start inside the window rings at once", alarmEvent(600, 15), {{hm(9, 58), 0, true}}},
      {"the event minute itself still rings", alarmEvent(600, 15), {{hm(10, 0), 0, true}}},
      {"disabled never rings", disabled, {{hm(9, 45), 0, false}, {hm(10, 0), 0, false}}},
      {"no time never rings", timeless, {{hm(0, 0), 0, false}, {hm(9, 45), 0, false}}},
      {"no next date never rings", dateless, {{hm(9, 45), 0, false}}},
      {"a custom pattern not found never rings", customNotFound, {{hm(9, 45), 0, false}}},
      {"a lead reaching into the previous evening rings that evening",
       alarmEvent(5, 15),
       {{hm(-1, 49), 0, false}, {hm(-1, 50), 0, true}, {hm(0, 5), 0, false}}},
      {"a snooze past midnight rings after midnight and then resets",
       alarmEvent(23 * 60 + 58, 15),
       {{hm(23, 43), 0, true},
        {hm(23, 55), 10, false},
        {hm(24, 4), 0, false},
        {hm(24, 5), 0, true},
        {hm(24, 6), 0, false},
        {hm(24, 21), 0, false}}},
      {"a lead of zero rings in the event's minute only",
       alarmEvent(600, 0),
       {{hm(9, 59), 0, false}, {hm(10, 0), 0, true}, {hm(10, 1), 0, false}}},
  };
  for (Scenario& s : scenarios)
    EXPECT_EQ(run(s), "") << s.name;

  // The next date moves on at midnight; the snooze taken before it still rings after it.
  AlarmState state;
  EXPECT_TRUE(CheckAlarm(yearlyLate, hm(23, 50), state));
  Snooze(state, hm(23, 55), 10);
  yearlyLate.nextDate = CDate(10, 12, 2027);
  EXPECT_FALSE(CheckAlarm(yearlyLate, hm(24, 1), state));
  EXPECT_TRUE(CheckAlarm(yearlyLate, hm(24, 5), state));
  EXPECT_FALSE(CheckAlarm(yearlyLate, hm(24, 30), state));
}

TEST_F(AlarmRulesTest, AnAcknowledgedAlarmRingsAgainAtItsNextOccurrence) {
  CEventItem daily = alarmEvent(600, 15);
  AlarmState state;
  EXPECT_TRUE(CheckAlarm(daily, hm(9, 45), state));
  EXPECT_FALSE(CheckAlarm(daily, hm(9, 59), state));
  daily.nextDate = kDay + 1;
  EXPECT_FALSE(CheckAlarm(daily, hm(24 + 9, 44), state));
  EXPECT_TRUE(CheckAlarm(daily, hm(24 + 9, 45), state));
}

TEST_F(AlarmRulesTest, ALeadIntoTheEveningRingsForTomorrowAlsoWhenTheEventWasToday) {
  // Every day at 00:05 with a lead of 15: today's occurrence has passed, tomorrow's rings at 23:50.
  CEventItem everyDay = alarmEvent(5, 15);
  everyDay.oneTime = 0;
  everyDay.custom = 1;
  everyDay.weekdayMask = CEventItem::kAllWeekdays;
  everyDay.weekMask = CEventItem::kAllWeeks;
  everyDay.monthMask = CEventItem::kAllMonths;
  everyDay.patternYear = -1;
  everyDay.patternFound = 1;
  AlarmState state;
  EXPECT_FALSE(CheckAlarm(everyDay, hm(0, 10), state));
  EXPECT_FALSE(CheckAlarm(everyDay, hm(23, 49), state));
  EXPECT_TRUE(CheckAlarm(everyDay, hm(23, 50), state));
  EXPECT_FALSE(CheckAlarm(everyDay, hm(23, 59), state));
  everyDay.nextDate = kDay + 1; // the day change
  EXPECT_FALSE(CheckAlarm(everyDay, hm(24, 0), state)) << "rung once for this occurrence";
  EXPECT_FALSE(CheckAlarm(everyDay, hm(24, 5), state));
  EXPECT_TRUE(CheckAlarm(everyDay, hm(48 - 1, 50), state)) << "and again the next evening";

  // A one-time event of today has no occurrence tomorrow.
  CEventItem once = alarmEvent(5, 15);
  AlarmState onceState;
  EXPECT_FALSE(CheckAlarm(once, hm(23, 50), onceState));
}

TEST_F(AlarmRulesTest, RingLengthCountsWholeMinutesAcrossMidnight) {
  struct Case {
    const char* name;
    long long elapsed;
    int length;
    bool due;
  } cases[] = {
      {"at opening", 0, 5, true},    {"280 seconds", 280, 5, true},
      {"299 seconds", 299, 5, true}, {"300 seconds", 300, 5, false},
      {"length 0", 0, 0, false},     {"one minute less a second", 59, 1, true},
  };
  long long opened = AbsoluteMinute(kDay, 23 * 60 + 58) * 60;
  for (const Case& c : cases)
    EXPECT_EQ(RingDue(opened, opened + c.elapsed, c.length), c.due) << c.name;

  int rings = 0;
  for (long long second = 0; second < 600; second += 20)
    rings += RingDue(opened, opened + second, 5);
  EXPECT_EQ(rings, 15);
}

TEST_F(AlarmRulesTest, DailyAlertShowsOnceADay) {
  struct Case {
    const char* name;
    int enabled, alertMinute;
    long long now;
    bool due;
  } cases[] = {
      {"its minute", 1, 540, hm(9, 0), true},
      {"same minute again", 1, 540, hm(9, 0), false},
      {"later that day", 1, 540, hm(9, 1), false},
      {"switched off", 0, 540, hm(24 + 9, 0), false},
      {"switched on again the same day", 1, 540, hm(9, 0), false},
      {"next day", 1, 540, hm(24 + 9, 0), true},
      {"23:59", 1, 1439, hm(48 + 23, 59), true},
      {"23:59 the same night", 1, 1439, hm(48 + 23, 59), false},
      {"23:59 the next night", 1, 1439, hm(72 + 23, 59), true},
  };
  long long shownDay = kNone;
  for (const Case& c : cases)
    EXPECT_EQ(DailyAlertDue(c.enabled, c.alertMinute, c.now, shownDay), c.due) << c.name;
}

} // namespace
