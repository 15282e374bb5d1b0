#include <calendar2/EventTypes.h>

#include <formsrt/Colour.h>

#include <algorithm>
#include <array>
#include <utility>

namespace plovera {

const EventType kEventTypes[kTypeCount] = {
    {"01", "ANN", "Anniv"},   {"02", "APP", "Appt"}, {"03", "BIR", "Birth"},
    {"04", "HOL", "Holiday"}, {"05", "WOR", "Work"}, {"99", "OTH", "Other"},
};

namespace {

std::string_view trimmed(std::string_view text) {
  std::size_t last = text.find_last_not_of(' ');
  text = text.substr(0, last == std::string_view::npos ? 0 : last + 1);
  return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

} // namespace

int typeOfCode(std::string_view code) {
  // The table's texts as views, measured once.
  static const auto codes = [] {
    std::array<std::pair<std::string_view, std::string_view>, kTypeCount> views;
    for (int i = 0; i < kTypeCount; ++i)
      views[static_cast<std::size_t>(i)] = {kEventTypes[i].code, kEventTypes[i].letters};
    return views;
  }();
  code = trimmed(code);
  for (int i = 0; i < kTypeCount; ++i) {
    const auto& [digits, letters] = codes[static_cast<std::size_t>(i)];
    if (code == digits || code == letters)
      return i;
  }
  return kOtherType;
}

int typeOfWord(std::string_view word) {
  word = trimmed(word);
  for (int i = 0; i < kTypeCount; ++i) {
    if (word == kEventTypes[i].word)
      return i;
  }
  return kOtherType;
}

int checkedColourIndex(int index) { return index >= 0 && index <= 16 ? index : 16; }

COLORREF colourValue(int index) {
  index = checkedColourIndex(index);
  if (index == 16)
    return 0;
  if (index == 0)
    return 1;
  return formsrt::QBColor(index);
}

} // namespace plovera
