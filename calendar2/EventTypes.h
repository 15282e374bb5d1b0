#pragma once

#include <windows.h>

#include <string_view>

namespace plovera {

// The event types: the two-digit code stored in the data file, the three-letter form older files may
// hold, and the word the grid shows. The index is the type's place in the colour settings.
struct EventType {
  const char* code;
  const char* letters;
  const char* word;
};

const int kTypeCount = 6;
extern const EventType kEventTypes[kTypeCount];
// "Other": the type of every code and word not in the table.
const int kOtherType = kTypeCount - 1;

// By a stored code ("01" or "ANN"...), exact and case-sensitive after trimming blanks.
int typeOfCode(std::string_view code);
// By a type word of the grid ("Anniv"...).
int typeOfWord(std::string_view word);

// A colour number of the settings as a grid colour: 16 (and anything outside 0 to 16) is the grid's own
// colour, 0; black is 1, so that it is not taken for the grid's own colour; 1 to 15 are the palette's.
COLORREF colourValue(int index);
// Keeps a stored colour number inside 0 to 16; anything else means the grid's own colour.
int checkedColourIndex(int index);

} // namespace plovera
