#include "AlarmRules.h"

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
  long long occurrence = AbsoluteMinute(event.nextDate, event.eventTime);
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

bool DailyAlertDue(int enabled, int alertMinute, long long now, long long& shownDay) {
  long long day = now / kMinutesPerDay;
  if (enabled != 1 || now % kMinutesPerDay != alertMinute || shownDay == day)
    return false;
  shownDay = day;
  return true;
}

} // namespace alarmrules
