#pragma once

#include <calendar/data/CDate.h>

#include <string>

// One holiday of "holidays.dat": a name, a notification window and a date rule. The last group of
// fields is what the holiday table works out on each refresh.
struct CHoliday {
  enum RuleKind { FixedDate = 1, WeekdayOfMonth = 2, MovableFeast = 3 };
  static constexpr int kLastWeek = -1;
  static constexpr size_t kMaxNameLength = 40;
  static constexpr size_t kMaxDescriptionLength = 50;
  static constexpr size_t kFeastCodeLength = 8;

  std::string name;
  int enabled = 0;
  int notifyDays = 0;
  int ruleKind = 0;
  int ruleA = 0; // the month (fixed date, weekday of a month)
  int ruleB = 0; // the day (fixed date) or the weekday 1 = Monday .. 7 = Sunday
  int ruleC = 0; // the week 1..5, or -1 for the last
  std::string feastCode;
  std::string description;

  int listed = 0;
  int daysLeft = 0;
  int month = 0;
  int day = 0;
  int year = 0;
  std::string weekdayName;
  int index = 0;

  // The date worked out by the last refresh (0 when it had none).
  CDate Date() const { return CDate::Clamped(day, month, year); }
};
