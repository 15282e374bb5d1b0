#include <engine/operations/TickTimer.h>

#include <foundation/windows/msgloop.h>

TickTimer StartTickTimer(DWORD duration) { return TickTimer{GetTickCount(), duration}; }

int TickTimerExpired(const TickTimer& timer, DWORD now) {
  DWORD end = timer.start + timer.duration;
  if (end >= timer.start)
    return now > end || now < timer.start;
  return now > end && now < timer.start;
}

DWORD TickTimerLeft(const TickTimer& timer, DWORD now) {
  if (TickTimerExpired(timer, now))
    return 0;
  return timer.start + timer.duration - now;
}

void TickTimerWait(const TickTimer& timer) {
  for (DWORD left = TickTimerLeft(timer, GetTickCount()); left; left = TickTimerLeft(timer, GetTickCount()))
    if (!MessageLoop().wait(left))
      return;
}
