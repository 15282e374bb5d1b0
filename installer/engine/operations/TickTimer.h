#pragma once

#include <windows.h>

// A span of real time measured against GetTickCount, safe across the 32-bit wrap of the tick count.
struct TickTimer {
  DWORD start;
  DWORD duration;
};

TickTimer StartTickTimer(DWORD duration);
// Whether the span has run out at tick `now`.
int TickTimerExpired(const TickTimer& timer, DWORD now);
// Milliseconds left at tick `now`, 0 once run out.
DWORD TickTimerLeft(const TickTimer& timer, DWORD now);
// Dispatches the thread's messages until the span has run out, sleeping while none arrive; a quit ends
// it early and stays for the loop that owns it.
void TickTimerWait(const TickTimer& timer);
