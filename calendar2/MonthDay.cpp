#include <calendar2/MonthDay.h>

namespace plovera {

namespace {

// The character at a 1-based position, 0 past the end.
char at(const std::string& text, std::size_t position) {
  return position <= text.size() ? text[position - 1] : '\0';
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string NormalizeMonthDay(const std::string& input) {
  std::string out = "00/00";
  // out[0..4] are output positions 1 to 5.
  if (char c = at(input, 1); c != '/' && c != '\0')
    out[1] = c;
  if (char c = at(input, 2); c != '/') {
    out[0] = out[1];
    if (c != '\0')
      out[1] = c;
  }
  if (char c = at(input, 3); isDigit(c))
    out[4] = c;
  if (char c = at(input, 4); isDigit(c)) {
    out[3] = out[4];
    out[4] = c;
  }
  if (char c = at(input, 5); isDigit(c) && at(input, 4) != '/') {
    out[3] = out[4];
    out[4] = c;
  }
  return out;
}

} // namespace plovera
