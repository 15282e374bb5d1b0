#include <calendar/dialogs/EventForm.h>

#include <gtest/gtest.h>

using namespace eventtime;

namespace {

const CDate kToday(10, 12, 2026);

EventForm timed(const char* hour, const char* minute, int pm = 0) {
  EventForm form;
  form.hourText = hour;
  form.minuteText = minute;
  form.pm = pm;
  form.chosen = kToday;
  return form;
}

} // namespace

TEST(EventFormTest, TimesParseInBothFormats) {
  struct {
    const char* hour;
    const char* minute;
    int pm;
    bool with24Hour;
    int minutes;
  } const cases[] = {
      {"0", "00", 0, true, 0},     {"23", "59", 0, true, 1439},       {"24", "00", 0, true, -1},
      {"25", "00", 0, true, -1},   {"7", "60", 0, true, -1},          {"12", "30", 0, false, 30},
      {"12", "30", 1, false, 750}, {"1", "05", 1, false, 785},        {"0", "10", 0, false, -1},
      {"13", "00", 0, false, -1},  {"", "30", 0, true, -1},           {"7", "", 0, true, -1},
      {"x", "10", 0, true, -1},    {"99999999999", "0", 0, true, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(timed(c.hour, c.minute, c.pm).ParseTime(c.with24Hour), c.minutes)
        << c.hour << ":" << c.minute << (c.pm ? " pm" : "") << (c.with24Hour ? " (24)" : " (12)");
}

TEST(EventFormTest, TimesShowInBothFormats) {
  struct {
    int minutes;
    bool with24Hour;
    const char* hour;
    const char* minute;
    int pm;
  } const cases[] = {
      {0, false, "12", "00", 0},           {30, false, "12", "30", 0},
      {11 * 60 + 5, false, "11", "05", 0}, {720, false, "12", "00", 1},
      {13 * 60, false, "1", "00", 1},      {23 * 60 + 59, false, "11", "59", 1},
      {13 * 60 + 7, true, "13", "07", 1},  {0, true, "0", "00", 0},
  };
  for (const auto& c : cases) {
    CEventItem event(kToday);
    event.eventTime = c.minutes;
    EventForm form = EventForm::FromEvent(event, kToday, c.with24Hour);
    EXPECT_EQ(form.hourText, c.hour) << c.minutes;
    EXPECT_EQ(form.minuteText, c.minute) << c.minutes;
    EXPECT_EQ(form.pm, c.pm) << c.minutes;
    EXPECT_EQ(form.ParseTime(c.with24Hour), c.minutes);
  }
}

TEST(EventFormTest, NightWindowIncludesBothEnds) {
  struct {
    int begin, end, minutes;
    bool inside;
  } const cases[] = {
      {22, 5, 23 * 60, true},      {22, 5, 4 * 60 + 59, true}, {22, 5, 5 * 60, true},
      {22, 5, 5 * 60 + 1, false},  {22, 5, 22 * 60, true},     {22, 5, 21 * 60 + 59, false},
      {5, 22, 5 * 60, true},       {5, 22, 22 * 60, true},     {5, 22, 22 * 60 + 1, false},
      {5, 22, 4 * 60 + 59, false}, {5, 22, 12 * 60, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(InNightWindow(c.minutes, c.begin, c.end), c.inside)
        << c.begin << ".." << c.end << " at " << c.minutes;
  EXPECT_EQ(NightWarningText(22, 5, true),
            "The time you have entered is between\n22:00 and  5:00.\n\nIs this correct?");
  EXPECT_EQ(NightWarningText(22, 5, false),
            "The time you have entered is between\n10pm and  5am.\n\nIs this correct?");
  EXPECT_EQ(NightWarningText(0, 12, false),
            "The time you have entered is between\n12am and 12pm.\n\nIs this correct?");
}

TEST(EventFormTest, ChecksTimeAlarmAndDatePerKind) {
  auto form = [](int kind, auto change) {
    EventForm f = timed("", "");
    f.kind = kind;
    f.monthMask = 4095;
    f.weekMask = 63;
    f.weekdayMask = 127;
    change(f);
    return f;
  };
  using F = EventForm;
  struct {
    const char* name;
    EventForm form;
    EventForm::Check expected;
  } const cases[] = {
      {"no time at all", form(F::OneTime, [](F&) {}), F::Ok},
      {"25:00 without an alarm", form(F::OneTime, [](F& f) { f.hourText = "25", f.minuteText = "00"; }),
       F::InvalidTime},
      {"an alarm needs a time", form(F::OneTime, [](F& f) { f.alarmEnabled = 1; }), F::AlarmNeedsTime},
      {"one time without a chosen date", form(F::OneTime, [](F& f) { f.chosen = CDate::FromDayNumber(0); }),
       F::InvalidDate},
      {"weekly without a chosen date", form(F::Weekly, [](F& f) { f.chosen = CDate::FromDayNumber(0); }),
       F::InvalidDate},
      {"monthly on the 31st", form(F::Monthly, [](F& f) { f.day = 31; }), F::Ok},
      {"monthly on day 32", form(F::Monthly, [](F& f) { f.day = 32; }), F::InvalidDate},
      {"monthly in no month", form(F::Monthly, [](F& f) { f.monthMask = 0; }), F::InvalidDate},
      {"yearly without a year", form(F::Yearly, [](F& f) { f.day = 31, f.monthIndex = 1; }), F::Ok},
      {"yearly 31 February 2000",
       form(F::Yearly, [](F& f) { f.day = 31, f.monthIndex = 1, f.yearText = "2000"; }), F::InvalidDate},
      {"yearly 29 February 2000",
       form(F::Yearly, [](F& f) { f.day = 29, f.monthIndex = 1, f.yearText = "2000"; }), F::Ok},
      {"year 70000", form(F::Yearly, [](F& f) { f.yearText = "70000"; }), F::InvalidDate},
      {"year 3001 on a one-time event", form(F::OneTime, [](F& f) { f.yearText = "3001"; }), F::InvalidDate},
      {"custom without a weekday", form(F::Custom, [](F& f) { f.weekdayMask = 0; }), F::InvalidDate},
      {"custom without a week", form(F::Custom, [](F& f) { f.weekMask = 0; }), F::InvalidDate},
      {"custom pattern year 70000",
       form(F::Custom, [](F& f) { f.allYears = 0, f.patternYearText = "70000"; }), F::InvalidDate},
      {"custom pattern year 70000 under All",
       form(F::Custom, [](F& f) { f.allYears = 1, f.patternYearText = "70000"; }), F::Ok},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.form.Validate(true), c.expected) << c.name;
}

TEST(EventFormTest, WritesBackPerKind) {
  struct {
    const char* name;
    int kind;
    const char* yearText;
    int oneTime, weekly, monthly, yearly, custom;
    int day, month, year, noYear, weeks, patternYear;
  } const cases[] = {
      {"one time takes the chosen date", EventForm::OneTime, "", 1, 0, 0, 0, 0, 24, 12, 2026, 1, 9, 2020},
      {"weekly takes the chosen date and weeks", EventForm::Weekly, "2026", 0, 1, 0, 0, 0, 24, 12, 2026, 0, 3,
       2020},
      {"monthly", EventForm::Monthly, "", 0, 0, 1, 0, 0, 5, 3, 1999, 1, 9, 2020},
      {"yearly with a year", EventForm::Yearly, "1990", 0, 0, 0, 1, 0, 5, 3, 1990, 0, 9, 2020},
      {"yearly with 1752 has no year", EventForm::Yearly, "1752", 0, 0, 0, 1, 0, 5, 3, 1999, 1, 9, 2020},
      {"custom keeps its stored date", EventForm::Custom, "2026", 0, 0, 0, 0, 1, 10, 12, 1999, 1, 9, 2031},
  };
  for (const auto& c : cases) {
    CEventItem event(kToday);
    event.year = 1999;
    event.weeksInterval = 9;
    event.patternYear = 2020;
    event.quarterMask = 5;
    event.alarmRaised = 1;
    EventForm form = timed("13", "05");
    form.name = "Name";
    form.kind = c.kind;
    form.yearText = c.yearText;
    form.day = 5;
    form.monthIndex = 2;
    form.chosen = CDate(24, 12, 2026);
    form.repeatWeeks = 3;
    form.allYears = 0;
    form.patternYearText = "2031";
    form.weekdayMask = 3;
    form.monthMask = 7;
    form.weekMask = 1;
    form.WriteTo(event, true);
    EXPECT_EQ(event.name, "Name") << c.name;
    EXPECT_EQ(event.eventTime, 13 * 60 + 5) << c.name;
    EXPECT_EQ(event.alarmRaised, 0) << c.name;
    EXPECT_EQ(event.quarterMask, 5) << c.name;
    EXPECT_EQ((std::vector<int>{event.oneTime, event.weekly, event.monthly, event.yearly, event.custom}),
              (std::vector<int>{c.oneTime, c.weekly, c.monthly, c.yearly, c.custom}))
        << c.name;
    EXPECT_EQ((std::vector<int>{event.day, event.month, event.year, event.noYear}),
              (std::vector<int>{c.day, c.month, c.year, c.noYear}))
        << c.name;
    EXPECT_EQ(event.weeksInterval, c.weeks) << c.name;
    EXPECT_EQ(event.patternYear, c.patternYear) << c.name;
    EXPECT_EQ(event.monthMask, c.kind == EventForm::Monthly || c.kind == EventForm::Custom ? 7 : 4095)
        << c.name;
  }
}

TEST(EventFormTest, FillsFromEventsOfEachKind) {
  CEventItem custom(kToday);
  custom.custom = 1;
  custom.patternYear = -1;
  custom.weeksInterval = 4;
  EventForm form = EventForm::FromEvent(custom, kToday, true);
  EXPECT_EQ(form.kind, EventForm::Custom);
  EXPECT_EQ(form.allYears, 1);
  EXPECT_EQ(form.repeatWeeks, 1);
  EXPECT_EQ(form.yearText, "2026");

  CEventItem weekly(kToday);
  weekly.oneTime = 0;
  weekly.weekly = 1;
  weekly.weeksInterval = 4;
  weekly.day = 3;
  weekly.month = 11;
  weekly.year = 2026;
  form = EventForm::FromEvent(weekly, kToday, true);
  EXPECT_EQ(form.kind, EventForm::Weekly);
  EXPECT_EQ(form.repeatWeeks, 4);
  EXPECT_EQ(form.chosen, CDate(3, 11, 2026));
}
