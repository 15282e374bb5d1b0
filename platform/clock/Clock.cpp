#include <clock/Clock.h>

#include <clock/CivilDate.h>

namespace platform {

namespace {

// A set clock is kept as 100-nanosecond intervals of local time (FILETIME units), so that advancing
// it carries across midnight, months and years the way the system's calendar does.
constexpr std::int64_t kTicksPerMillisecond = 10000;
constexpr std::int64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;

bool g_set = false;
std::int64_t g_local = 0;
int g_bias = 0;

std::int64_t toTicks(const SYSTEMTIME& time) {
  FILETIME file{};
  SystemTimeToFileTime(&time, &file);
  return (static_cast<std::int64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

SYSTEMTIME fromTicks(std::int64_t ticks) {
  FILETIME file{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME time{};
  FileTimeToSystemTime(&file, &time);
  return time;
}

int systemBias() {
  TIME_ZONE_INFORMATION zone{};
  DWORD which = GetTimeZoneInformation(&zone);
  if (which == TIME_ZONE_ID_DAYLIGHT)
    return static_cast<int>(zone.Bias + zone.DaylightBias);
  if (which == TIME_ZONE_ID_STANDARD)
    return static_cast<int>(zone.Bias + zone.StandardBias);
  return static_cast<int>(zone.Bias);
}

} // namespace

SYSTEMTIME Clock::localTime() {
  if (g_set)
    return fromTicks(g_local);
  SYSTEMTIME time{};
  GetLocalTime(&time);
  return time;
}

SYSTEMTIME Clock::universalTime() {
  if (g_set)
    return fromTicks(g_local + static_cast<std::int64_t>(g_bias) * 60 * kTicksPerSecond);
  SYSTEMTIME time{};
  GetSystemTime(&time);
  return time;
}

int Clock::biasMinutes() { return g_set ? g_bias : systemBias(); }

std::uint64_t Clock::ticks() {
  if (g_set)
    return static_cast<std::uint64_t>(g_local / kTicksPerMillisecond);
  return GetTickCount64();
}

void Clock::set(const SYSTEMTIME& local, int biasMinutes) {
  g_local = toTicks(local);
  g_bias = biasMinutes;
  g_set = true;
}

void Clock::set(int year, int month, int day, int hour, int minute, int second, int biasMinutes) {
  set(systemTimeOf(daysFromCivil(year, month, day), ((hour * 60 + minute) * 60 + second) * 1000),
      biasMinutes);
}

void Clock::advanceSeconds(std::int64_t seconds) { advanceMilliseconds(seconds * 1000); }

void Clock::advanceMilliseconds(std::int64_t milliseconds) {
  if (!g_set)
    set(localTime(), systemBias());
  g_local += milliseconds * kTicksPerMillisecond;
}

void Clock::reset() { g_set = false; }

bool Clock::isSet() { return g_set; }

} // namespace platform
