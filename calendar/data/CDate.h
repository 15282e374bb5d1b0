#pragma once

#include <cstdint>

// A Gregorian date held as its Julian day number (2000-01-01 is 2451545); 0 means "no valid date".
// Adding days is integer addition; the difference of two dates is their subtraction.
class CDate {
public:
  // Today, from the program's clock. It reads the clock each time: take today once for a whole refresh.
  CDate();
  // A year below 100 has 1900 added; an impossible date gives 0.
  CDate(int day, int month, int year);

  static CDate FromDayNumber(std::int32_t dayNumber);
  // The last day of that month when the day does not exist in it (31 April, 29 February of a common
  // year); 0 when the month or year is impossible or the day is below 1.
  static CDate Clamped(int day, int month, int year);

  void Set(int day, int month, int year);
  bool IsValid() const { return m_dayNumber != 0; }
  std::int32_t DayNumber() const { return m_dayNumber; }

  int Day() const;
  int Month() const;
  int Year() const;
  void GetDMY(int& day, int& month, int& year) const;
  int DaysInMonth() const;
  int Quarter() const { return (Month() - 1) / 3 + 1; }
  // 1 = Monday ... 7 = Sunday.
  int Weekday() const;
  // (day - 1) / 7 + 1; lastSeven is set when the day is among the last seven of its month.
  int WeekOfMonth(bool& lastSeven) const;

  // "Monday" ... "Sunday" for 1..7, else an empty text.
  static const char* WeekdayName(int weekday);
  static bool IsLeapYear(int year);
  static int DaysInMonth(int month, int year);
  // The day number of a date already known to be valid (no check, no two-digit rule).
  static std::int32_t DayNumberOf(int day, int month, int year);

  CDate operator+(int days) const { return FromDayNumber(m_dayNumber + days); }
  CDate operator-(int days) const { return FromDayNumber(m_dayNumber - days); }
  CDate& operator+=(int days) {
    m_dayNumber += days;
    return *this;
  }
  int operator-(const CDate& other) const { return m_dayNumber - other.m_dayNumber; }
  friend bool operator==(const CDate& a, const CDate& b) = default;
  friend auto operator<=>(const CDate& a, const CDate& b) = default;

private:
  struct Raw {};
  CDate(Raw, std::int32_t dayNumber) : m_dayNumber(dayNumber) {}

  std::int32_t m_dayNumber = 0;
};
