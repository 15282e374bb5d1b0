#include <formsrt/DateTime.h>

#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

#include <clock/CivilDate.h>
#include <clock/Clock.h>

#include <algorithm>
#include <cctype>
#include <vector>

namespace formsrt {

namespace {

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
  return Date{platform::daysFromCivil(year, zeroMonth + 1, 1) + kEpochOffset + day - 1, 0};
}

Date FromSystemTime(const SYSTEMTIME& time) {
  Date date = DateSerial(time.wYear, time.wMonth, time.wDay);
  date.seconds = time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
  return date;
}

SYSTEMTIME ToSystemTime(const Date& date) {
  return platform::systemTimeOf(date.day - kEpochOffset, date.seconds * 1000);
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
