#pragma once

#include <windows.h>

#include <cstdint>

namespace platform {

// The one place the programs read the time. By default it is the system's clock; a test sets it to a
// chosen instant, after which it stands still until the test advances it, so that days, midnight,
// alarms and world time can be checked at exact moments.
class Clock {
public:
  static SYSTEMTIME localTime();
  static SYSTEMTIME universalTime();
  // Minutes to add to local time to get universal time, as the system's time-zone bias.
  static int biasMinutes();
  // Milliseconds that only ever grow, for animation and elapsed-time checks.
  static std::uint64_t ticks();

  // Freezes the clock at a local instant; bias gives the universal time beside it.
  static void set(const SYSTEMTIME& local, int biasMinutes = 0);
  static void set(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                  int biasMinutes = 0);
  static void advanceSeconds(std::int64_t seconds);
  static void advanceMilliseconds(std::int64_t milliseconds);
  // Back to the system's clock.
  static void reset();
  static bool isSet();
};

// Sets the clock for one scope and gives the system's clock back when it ends.
class ClockOverride {
public:
  ClockOverride(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                int biasMinutes = 0) {
    Clock::set(year, month, day, hour, minute, second, biasMinutes);
  }
  ~ClockOverride() { Clock::reset(); }
  ClockOverride(const ClockOverride&) = delete;
  ClockOverride& operator=(const ClockOverride&) = delete;
};

} // namespace platform
