#include <formlib/SysUtils.h>

#include <clock/CivilDate.h>
#include <clock/Clock.h>

#include <cmath>
#include <cstdint>

namespace formlib {

namespace {

constexpr std::int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;
// TDateTime's day 0 (1899-12-30) counted from 1970-01-01.
constexpr int kDateTimeOrigin = -25569;

int digitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return 99;
}

} // namespace

int StrToIntDef(const std::string& text, int fallback) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos)
    return fallback;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-')
    negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  }
  if (i >= text.size())
    return fallback;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit = digitValue(text[i]);
    if (digit >= base)
      return fallback;
    value = value * base + digit;
    if (value > 0xFFFFFFFFLL)
      return fallback;
  }
  if (base == 10) {
    if (value > (negative ? 0x80000000LL : 0x7FFFFFFFLL))
      return fallback;
    return static_cast<int>(negative ? -value : value);
  }
  // Hexadecimal texts may spell the bit pattern of a negative number.
  std::int64_t bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  return static_cast<int>(static_cast<std::uint32_t>(negative ? -bits : bits));
}

std::string IntToStr(long long value) { return std::to_string(value); }

int EncodeDate(int year, int month, int day) {
  return platform::daysFromCivil(year, month, day) - kDateTimeOrigin;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  platform::CivilDate date = platform::civilFromDays(static_cast<int>(std::floor(value)) + kDateTimeOrigin);
  year = date.year;
  month = date.month;
  day = date.day;
}

int DayOfWeek(TDateTime value) {
  // Day 0, 30 December 1899, was a Saturday.
  int day = static_cast<int>(std::floor(value));
  return ((day % 7) + 7 + 6) % 7 + 1;
}

TDateTime FromSystemTime(const SYSTEMTIME& time) {
  std::int64_t ms = ((time.wHour * 60LL + time.wMinute) * 60 + time.wSecond) * 1000 + time.wMilliseconds;
  return EncodeDate(time.wYear, time.wMonth, time.wDay) + static_cast<double>(ms) / kMillisecondsPerDay;
}

SYSTEMTIME ToSystemTime(TDateTime value) {
  auto total = static_cast<std::int64_t>(std::llround(value * kMillisecondsPerDay));
  std::int64_t day =
      total >= 0 ? total / kMillisecondsPerDay : -((-total + kMillisecondsPerDay - 1) / kMillisecondsPerDay);
  auto ms = static_cast<int>(total - day * kMillisecondsPerDay);
  return platform::systemTimeOf(static_cast<int>(day) + kDateTimeOrigin, ms);
}

TDateTime Now() { return FromSystemTime(platform::Clock::localTime()); }

std::string FormatDateTime(const std::string& format, TDateTime value) {
  SYSTEMTIME time = ToSystemTime(value);
  std::string result;
  char buffer[80];
  for (size_t i = 0; i < format.size();) {
    if (format.compare(i, 3, "ddd") == 0) {
      if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "ddd", buffer, sizeof buffer))
        result += buffer;
      i += 3;
    } else if (format[i] == 't') {
      if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, buffer, sizeof buffer))
        result += buffer;
      ++i;
    } else {
      result += format[i++];
    }
  }
  return result;
}

} // namespace formlib
