#include <calendar/frame/AlarmRules.h>

namespace alarmrules {

long long AbsoluteMinute(const CDate& day, int minuteOfDay) {
  return static_cast<long long>(day.DayNumber()) * kMinutesPerDay + minuteOfDay;
}

long long AbsoluteMinute(const SYSTEMTIME& time) {
  return AbsoluteMinute(CDate(time.wDay, time.wMonth, time.wYear), time.wHour * 60 + time.wMinute);
}

long long AbsoluteSecond(const SYSTEMTIME& time) { return AbsoluteMinute(time) * 60 + time.wSecond; }

bool CanRing(const CEventItem& event) {
  if (event.alarmEnabled != 1 || event.eventTime == -1 || !event.HasNextDate())
    return false;
  return event.RecurrenceKind() != CEventItem::Kind::Custom || event.patternFound == 1;
}

namespace {

void ClearPassed(const CEventItem& event, long long now, AlarmState& state) {
  if (state.reRing != kNone && now > state.reRing + event.leadMinutes) {
    state.reRing = kNone;
    state.raised = false;
  }
  if (state.raised && state.reRing == kNone && now > state.occurrence)
    state.raised = false;
}

// The occurrence whose alarm window `now` may fall in. The next date is that of the last day change: when
// today's occurrence has passed, a lead reaching back from tomorrow's first minutes into this evening
// belongs to the next occurrence, which is worked out from tomorrow.
long long OccurrenceFor(const CEventItem& event, long long now) {
  long long occurrence = AbsoluteMinute(event.nextDate, event.eventTime);
  long long tomorrow = (now / kMinutesPerDay + 1) * kMinutesPerDay;
  if (now <= occurrence || now < tomorrow + event.eventTime - event.leadMinutes)
    return occurrence;
  CEventItem next = event;
  next.ComputeNextDate(CDate::FromDayNumber(static_cast<int>(tomorrow / kMinutesPerDay)), 1);
  return next.HasNextDate() ? AbsoluteMinute(next.nextDate, next.eventTime) : occurrence;
}

} // namespace

bool CheckAlarm(const CEventItem& event, long long now, AlarmState& state) {
  ClearPassed(event, now, state);
  if (!CanRing(event) || state.raised)
    return false;
  if (state.reRing != kNone) {
    if (now < state.reRing)
      return false;
    state.reRing = kNone;
    state.raised = true;
    return true;
  }
  long long occurrence = OccurrenceFor(event, now);
  if (now < occurrence - event.leadMinutes || now > occurrence)
    return false;
  state.raised = true;
  state.occurrence = occurrence;
  return true;
}

void Snooze(AlarmState& state, long long now, int minutes) {
  state.raised = false;
  state.reRing = now + minutes;
}

bool RingDue(long long openedSecond, long long nowSecond, int lengthMinutes) {
  return (nowSecond - openedSecond) / 60 < lengthMinutes;
}

bool RingTime::Due(long long nowSecond, int lengthMinutes) {
  // The start moves back with the clock, so that the time rung before the step still counts.
  if (nowSecond < last_)
    opened_ -= last_ - nowSecond;
  last_ = nowSecond;
  // A length of L minutes holds the rings at 0, 1, 2 ... intervals before L minutes.
  int most = (lengthMinutes * 60 + ringSeconds_ - 1) / ringSeconds_;
  if (rings_ >= most || !RingDue(opened_, nowSecond, lengthMinutes))
    return false;
  ++rings_;
  return true;
}

bool DailyAlertDue(int enabled, int alertMinute, long long now, long long& shownDay) {
  long long day = now / kMinutesPerDay;
  if (enabled != 1 || now % kMinutesPerDay != alertMinute || shownDay == day)
    return false;
  shownDay = day;
  return true;
}

} // namespace alarmrules
