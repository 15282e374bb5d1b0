#include <engine/operations/TickTimer.h>

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
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    DWORD left = TickTimerLeft(timer, GetTickCount());
    if (!left)
      return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left, QS_ALLINPUT);
  }
}
