#include <formsrt/Text.h>

#include <formsrt/RuntimeError.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace formsrt {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

double roundHalfEven(double value) {
  double floorValue = std::floor(value);
  double fraction = value - floorValue;
  if (fraction > 0.5)
    return floorValue + 1;
  if (fraction < 0.5)
    return floorValue;
  return std::fmod(floorValue, 2.0) == 0 ? floorValue : floorValue + 1;
}

// Reads [sign] digits [. digits] [E [sign] digits] from `text` at `pos`, skipping the blanks that `skip`
// allows; answers false when no digit was read.
bool scanNumber(const std::string& text, std::size_t& pos, bool skipInside, std::string& number) {
  auto skip = [&] {
    while (skipInside && pos < text.size() && (isBlank(text[pos]) || text[pos] == '\n' || text[pos] == '\r'))
      ++pos;
  };
  bool digits = false;
  skip();
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
    number += text[pos++];
  skip();
  for (; pos < text.size(); skip()) {
    if (isDigit(text[pos])) {
      digits = true;
      number += text[pos++];
    } else if (text[pos] == '.' && number.find('.') == std::string::npos) {
      number += text[pos++];
    } else {
      break;
    }
  }
  if (digits && pos < text.size() &&
      (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
    std::size_t mark = pos;
    std::string exponent = "e";
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
      exponent += text[pos++];
    bool expDigits = false;
    while (pos < text.size() && isDigit(text[pos])) {
      expDigits = true;
      exponent += text[pos++];
    }
    if (expDigits)
      number += exponent;
    else
      pos = mark;
  }
  return digits;
}

} // namespace

std::string LTrim(const std::string& text) {
  std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

std::string RTrim(const std::string& text) {
  std::size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string Trim(const std::string& text) { return LTrim(RTrim(text)); }

std::string UCase(const std::string& text) {
  std::string upper = text;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

std::string Left(const std::string& text, std::size_t length) { return text.substr(0, length); }

std::string Right(const std::string& text, std::size_t length) {
  return length >= text.size() ? text : text.substr(text.size() - length);
}

std::string Mid(const std::string& text, std::size_t start, std::size_t length) {
  if (start < 1)
    raiseError(errInvalidCall);
  if (start > text.size())
    return std::string();
  return text.substr(start - 1, length);
}

std::string Chr(int code) { return std::string(1, static_cast<char>(code)); }

double Val(const std::string& text) {
  std::size_t pos = 0;
  std::string number;
  if (!scanNumber(text, pos, true, number))
    return 0;
  return std::strtod(number.c_str(), nullptr);
}

int CInt(double value) {
  double rounded = roundHalfEven(value);
  if (!(rounded >= -32768 && rounded <= 32767))
    raiseError(errOverflow);
  return static_cast<int>(rounded);
}

int CInt(const std::string& text) {
  std::string trimmed = Trim(text);
  std::size_t pos = 0;
  std::string number;
  if (!scanNumber(trimmed, pos, false, number) || pos != trimmed.size())
    raiseError(errTypeMismatch);
  return CInt(std::strtod(number.c_str(), nullptr));
}

long CLng(double value) {
  double rounded = roundHalfEven(value);
  if (!(rounded >= INT_MIN && rounded <= INT_MAX))
    raiseError(errOverflow);
  return static_cast<long>(rounded);
}

std::string CStr(long value) { return std::to_string(value); }

} // namespace formsrt
