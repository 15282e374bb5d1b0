#pragma once

#include <calendar/data/CEventItem.h>

#include <string>

// What the event dialog edits, as plain values: filled from an event, checked, and written back. The
// dialog only moves these between its controls and here.
struct EventForm {
  enum Kind { OneTime = 0, Weekly, Monthly, Yearly, Custom };
  enum Check { Ok, InvalidTime, AlarmNeedsTime, InvalidDate };

  std::string name;
  std::string type;
  std::string notes;
  int notifyDisabled = 0;
  int daysPrior = 14;
  int kind = OneTime;
  int monthIndex = 0; // 0 = January
  int day = 1;
  std::string yearText;
  std::string hourText;
  std::string minuteText;
  int pm = 0;
  int alarmEnabled = 0;
  int lead = 0;
  int repeatWeeks = 1;
  std::string patternYearText;
  int allYears = 1;
  int weekdayMask = 0;
  int weekMask = 0;
  int monthMask = 0;
  CDate chosen; // the date picked in the month grid (one-time and weekly events)

  // The form of an event; with24Hour the time shows as on a 24-hour clock, else as 12-hour with AM/PM.
  static EventForm FromEvent(const CEventItem& event, const CDate& today, bool with24Hour);
  // Minutes after midnight of the hour and minute texts, or -1 when they make no valid time.
  int ParseTime(bool with24Hour) const;
  bool HasTimeText() const { return !hourText.empty() || !minuteText.empty(); }
  // The time, alarm and date checks OK makes, in that order (the night-time warning goes between).
  Check Validate(bool with24Hour) const;
  // Writes the form into the event (the quarter mask stays as it is).
  void WriteTo(CEventItem& event, bool with24Hour) const;
};

namespace eventtime {

// The hour as shown: 0..23, or 1..12 with pm set on the 12-hour clock.
void DisplayHour(int hour, bool with24Hour, int& shown, int& pm);
// The hour of a shown one: on the 12-hour clock 12 counts as 0, and pm adds 12.
int HourOf(int shown, int pm, bool with24Hour);
// Whether a time falls in the night window from `begin` to `end` o'clock, both ends included; a window
// whose end is before its begin runs over midnight.
bool InNightWindow(int minutes, int begin, int end);
// The question the night-time warning asks.
std::string NightWarningText(int begin, int end, bool with24Hour);
// A whole number 0..9999 of plain digits, else -1; a longer number counts as 10000.
int ParseNumber(const std::string& text);

} // namespace eventtime
