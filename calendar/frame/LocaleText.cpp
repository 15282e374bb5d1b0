#include <calendar/frame/LocaleText.h>

#include <windows.h>

namespace localetext {

std::string Date(const CDate& date, const char* picture) {
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(date.Year());
  time.wMonth = static_cast<WORD>(date.Month());
  time.wDay = static_cast<WORD>(date.Day());
  time.wDayOfWeek = static_cast<WORD>(date.Weekday() % 7);
  char text[80] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, picture ? 0 : DATE_SHORTDATE, &time, picture, text, sizeof text);
  return text;
}

std::string Time(int minutes) { return Time(minutes, -1); }

std::string Time(int minutes, int clock) {
  const char* picture = clock == 0 ? "h:mm tt" : clock == 1 ? "HH:mm" : nullptr;
  SYSTEMTIME time{};
  time.wYear = 2000;
  time.wMonth = 1;
  time.wDay = 1;
  time.wHour = static_cast<WORD>(minutes / 60);
  time.wMinute = static_cast<WORD>(minutes % 60);
  char text[80] = "";
  GetTimeFormatA(LOCALE_USER_DEFAULT, picture ? 0 : TIME_NOSECONDS, &time, picture, text, sizeof text);
  return text;
}

std::string MonthName(int month) { return Date(CDate(1, month, 2000), "MMMM"); }

} // namespace localetext
