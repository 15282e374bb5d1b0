#include "EventTypes.h"

#include <formsrt/Colour.h>
#include <formsrt/Text.h>

namespace plovera {

const EventType kEventTypes[kTypeCount] = {
    {"01", "ANN", "Anniv"},   {"02", "APP", "Appt"}, {"03", "BIR", "Birth"},
    {"04", "HOL", "Holiday"}, {"05", "WOR", "Work"}, {"99", "OTH", "Other"},
};

int typeOfCode(const std::string& code) {
  std::string trimmed = formsrt::Trim(code);
  for (int i = 0; i < kTypeCount; ++i) {
    if (trimmed == kEventTypes[i].code || trimmed == kEventTypes[i].letters)
      return i;
  }
  return kOtherType;
}

int typeOfWord(const std::string& word) {
  std::string trimmed = formsrt::Trim(word);
  for (int i = 0; i < kTypeCount; ++i) {
    if (trimmed == kEventTypes[i].word)
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
