#include <formsrt/DateTime.h>

#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

#include <clock/Clock.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace formsrt {

namespace {

// Day number of a civil date, counted from 1970-01-01 (Howard Hinnant's algorithm).
int daysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  int era = (y >= 0 ? y : y - 399) / 400;
  int yoe = y - era * 400;
  int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civilFromDays(int z, int& y, int& m, int& d) {
  z += 719468;
  int era = (z >= 0 ? z : z - 146096) / 146097;
  int doe = z - era * 146097;
  int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y = yoe + era * 400 + (m <= 2);
}

const int kEpochOffset = 25569; // 1970-01-01 counted from 1899-12-30

int daysInMonth(int year, int month) {
  return DateSerial(year, month + 1, 1).day - DateSerial(year, month, 1).day;
}

// Turns a runtime date or time pattern into the system's picture: letters other than the pattern's own
// are quoted, "\x" becomes a quoted x.
std::string systemPicture(const std::string& pattern, bool time) {
  std::string picture;
  auto literal = [&](char c) {
    if (c == '\'')
      picture += "''";
    else if (std::isalpha(static_cast<unsigned char>(c)))
      picture += std::string("'") + c + "'";
    else
      picture += c;
  };
  bool afterHour = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::size_t run = 1;
    while (i + run < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + run])) == lower)
      ++run;
    if (c == '\\' && i + 1 < pattern.size()) {
      literal(pattern[++i]);
      continue;
    }
    if (time && UCase(pattern.substr(i, 4)) == "AMPM") {
      picture += "tt";
      i += 3;
      continue;
    }
    std::string letters;
    if (!time && lower == 'd')
      letters = std::string(run, 'd');
    else if (!time && lower == 'm')
      letters = std::string(run, 'M');
    else if (!time && lower == 'y')
      letters = run <= 2 ? "yy" : "yyyy";
    else if (time && lower == 'h') {
      letters = std::string(run, UCase(pattern).find("AMPM") == std::string::npos ? 'H' : 'h');
      afterHour = true;
    } else if (time && (lower == 'n' || (lower == 'm' && afterHour)))
      letters = "mm";
    else if (time && lower == 's')
      letters = "ss";
    if (letters.empty()) {
      literal(c);
      continue;
    }
    picture += letters;
    i += run - 1;
  }
  return picture;
}

} // namespace

Date DateSerial(int year, int month, int day) {
  int zeroMonth = month - 1;
  year += zeroMonth >= 0 ? zeroMonth / 12 : (zeroMonth - 11) / 12;
  zeroMonth = ((zeroMonth % 12) + 12) % 12;
  return Date{daysFromCivil(year, zeroMonth + 1, 1) + kEpochOffset + day - 1, 0};
}

Date FromSystemTime(const SYSTEMTIME& time) {
  Date date = DateSerial(time.wYear, time.wMonth, time.wDay);
  date.seconds = time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
  return date;
}

SYSTEMTIME ToSystemTime(const Date& date) {
  int y, m, d;
  civilFromDays(date.day - kEpochOffset, y, m, d);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(y);
  time.wMonth = static_cast<WORD>(m);
  time.wDay = static_cast<WORD>(d);
  time.wDayOfWeek = static_cast<WORD>(Weekday(date) - 1);
  time.wHour = static_cast<WORD>(date.seconds / 3600);
  time.wMinute = static_cast<WORD>(date.seconds / 60 % 60);
  time.wSecond = static_cast<WORD>(date.seconds % 60);
  return time;
}

Date Now() { return FromSystemTime(platform::Clock::localTime()); }

Date Today() { return Date{Now().day, 0}; }

Date DateValue(const std::string& text) {
  std::vector<int> parts;
  std::string trimmed = Trim(text);
  std::size_t pos = 0;
  while (pos < trimmed.size() && parts.size() < 3) {
    std::size_t end = pos;
    while (end < trimmed.size() && std::isdigit(static_cast<unsigned char>(trimmed[end])))
      ++end;
    if (end == pos || end - pos > 4)
      raiseError(errTypeMismatch);
    parts.push_back(std::stoi(trimmed.substr(pos, end - pos)));
    if (end == trimmed.size())
      break;
    if (trimmed[end] != '/' && trimmed[end] != '-')
      raiseError(errTypeMismatch);
    pos = end + 1;
  }
  if (parts.size() != 3 || pos >= trimmed.size())
    raiseError(errTypeMismatch);
  int year = parts[2];
  if (year < 30)
    year += 2000;
  else if (year < 100)
    year += 1900;
  if (parts[0] < 1 || parts[0] > 12 || parts[1] < 1 || parts[1] > daysInMonth(year, parts[0]))
    raiseError(errTypeMismatch);
  return DateSerial(year, parts[0], parts[1]);
}

Date AddDays(const Date& date, int days) { return Date{date.day + days, date.seconds}; }

Date AddMonths(const Date& date, int months) {
  Date first = DateSerial(Year(date), Month(date) + months, 1);
  int last = daysInMonth(Year(first), Month(first));
  Date moved = DateSerial(Year(first), Month(first), std::min(Day(date), last));
  moved.seconds = date.seconds;
  return moved;
}

int Year(const Date& date) { return ToSystemTime(date).wYear; }
int Month(const Date& date) { return ToSystemTime(date).wMonth; }
int Day(const Date& date) { return ToSystemTime(date).wDay; }

int Weekday(const Date& date) {
  // 30 December 1899 was a Saturday.
  return ((date.day % 7) + 7 + 6) % 7 + 1;
}

std::string Format(const Date& date, const std::string& pattern) {
  SYSTEMTIME time = ToSystemTime(date);
  bool isTime = pattern.find_first_of("hH") != std::string::npos;
  std::string picture = systemPicture(pattern, isTime);
  char buffer[256] = "";
  int length = isTime ? GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, picture.c_str(), buffer, sizeof buffer)
                      : GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, picture.c_str(), buffer, sizeof buffer);
  return length > 0 ? std::string(buffer) : std::string();
}

std::string FormatNumber(long value, const std::string& pattern) {
  std::size_t zeros = 0;
  for (char c : pattern)
    zeros += c == '0';
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (digits.size() < zeros)
    digits.insert(0, zeros - digits.size(), '0');
  if (pattern.find(',') != std::string::npos) {
    char separator[8] = ",";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
      digits.insert(static_cast<std::size_t>(i), separator);
  }
  return value < 0 ? "-" + digits : digits;
}

} // namespace formsrt
