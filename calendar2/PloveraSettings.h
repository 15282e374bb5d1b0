#pragma once

#include <string>
#include <vector>

namespace plovera {

// The program's options, one copy for the whole run, kept in the per-user settings store under the
// application "Harnfield", section "Plovera". One-character settings hold "Y" or "N".
struct PloveraSettings {
  char Confirm = 'Y';
  char Grid = 'Y';
  char FontBold = 'N';
  char FontItalic = 'N';
  std::string FontName = "MS Sans Serif";
  int FontSize = 8;
  // Colour numbers by event type (see EventTypes): 0 to 15 palette colours, 16 the grid's own.
  int CB[6] = {16, 16, 16, 16, 16, 16};
  int CF[6] = {16, 16, 16, 16, 16, 16};
  int WDate = 520;
  int WEvent = 2800;
  int WYear = 440;
  int WType = 630;
  int WSeq = 510;
  // 1 or 0, from FontBold and FontItalic; the settings form shows them.
  int FontBoldFlag = 0;
  int FontItalicFlag = 0;
};

extern const char kSettingsApplication[];
extern const char kSettingsSection[];

// Reads every setting; a missing key gives its default. A stored value that cannot be used (not a
// number, outside the 16-bit range, a colour number outside 0 to 16) gives that setting's default and
// the others are read on. Answers the keys that fell back so, for the caller to report.
std::vector<std::string> LoadRegistrySettings(PloveraSettings& settings);
// Writes the 22 settings the settings form edits, in its order; "WSeq" is never written. A failure
// raises the runtime's error and leaves the keys after it unwritten.
void WriteRegistrySettings(const PloveraSettings& settings);

} // namespace plovera
