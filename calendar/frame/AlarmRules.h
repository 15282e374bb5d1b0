#pragma once

#include <calendar/data/CEventItem.h>

#include <windows.h>

// When alarms ring and when the daily alert shows.
//
// How this works: every instant is an absolute minute (day number x 1440 + minute of the day), so a
// window that crosses midnight is one plain interval. An event's occurrence is its next date at its
// event time; its alarm window runs from lead minutes before the occurrence up to the occurrence. Once
// raised, the alarm stays raised for that occurrence (the occurrence is remembered, since the next date
// moves on at the day change) until the occurrence has passed. A snooze is an absolute re-ring time; it
// opens a window of the same length (re-ring time to re-ring time + lead) and is cleared once it rings
// or once that window has passed.
namespace alarmrules {

constexpr long long kNone = -1;
constexpr int kMinutesPerDay = 1440;

struct AlarmState {
  bool raised = false;
  long long occurrence = kNone; // the occurrence whose alarm was raised or snoozed
  long long reRing = kNone;     // snoozed: ring again from here
};

long long AbsoluteMinute(const CDate& day, int minuteOfDay);
long long AbsoluteMinute(const SYSTEMTIME& time);
long long AbsoluteSecond(const SYSTEMTIME& time);

// False for an event that can never ring: alarm off, no time, or no next date.
bool CanRing(const CEventItem& event);
// One check of one event at `now`: clears what has passed, then answers whether the alarm is raised now
// (the state then records it).
bool CheckAlarm(const CEventItem& event, long long now, AlarmState& state);
// The user asked to be reminded `minutes` from now.
void Snooze(AlarmState& state, long long now, int minutes);

// An alarm window rings while fewer than `lengthMinutes` whole minutes have passed since it opened.
bool RingDue(long long openedSecond, long long nowSecond, int lengthMinutes);

// The ringing time of one alarm window, through a clock that may be set back (the end of summer time,
// a corrected clock): a step back adds no ringing time, so the window stops once it has rung for its
// length of time as it passed, and never rings more often than that length holds rings.
class RingTime {
public:
  RingTime() = default;
  RingTime(long long openedSecond, int ringSeconds)
      : opened_(openedSecond), last_(openedSecond), ringSeconds_(ringSeconds) {}
  // Whether the ring due now is made; each one made counts.
  bool Due(long long nowSecond, int lengthMinutes);

private:
  long long opened_ = 0;
  long long last_ = 0;
  int ringSeconds_ = 20;
  int rings_ = 0;
};

// The daily alert shows once a day, in the minute equal to its time; shownDay remembers the day (day
// number) it last showed.
bool DailyAlertDue(int enabled, int alertMinute, long long now, long long& shownDay);

} // namespace alarmrules
