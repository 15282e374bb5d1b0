#pragma once

#include <string>
#include <vector>

// One program item of a group, and the unit of group listings.
struct ProgramItem {
  static constexpr int NameSize = 60;
  static constexpr int CommandSize = 512;
  static constexpr int PathSize = 260;
  // Its bytes in the operation log: five 4-byte little-endian integers, then the four texts in
  // their fixed sizes.
  static constexpr int ImageSize = 5 * 4 + NameSize + CommandSize + 2 * PathSize;

  int x = 0;
  int y = 0;
  int hotkey = 0;
  int iconindex = 0;
  int minimized = 0;
  char name[NameSize] = {};
  char commandline[CommandSize] = {};
  char iconpath[PathSize] = {};
  char workingfolder[PathSize] = {};

  void toimage(unsigned char (&image)[ImageSize]) const;
  // Every text is terminated within its field, whatever the bytes held.
  void fromimage(const unsigned char (&image)[ImageSize]);
};

using GroupContents = std::vector<ProgramItem>;

// Copies a text into a fixed field, cut to fit and terminated.
template <int N> void SetField(char (&field)[N], const std::string& text) {
  size_t n = text.size() < N - 1 ? text.size() : N - 1;
  text.copy(field, n);
  field[n] = 0;
}

// Splits one line of a Program Manager listing at commas; a double quote toggles quoting and is
// dropped.
std::vector<std::string> SplitListingLine(const std::string& line);
// A group's listing: a first line with the group's fields, its third the item count, then one line
// per item (name, command line, working folder, icon path, x, y, icon index, hot key, minimized).
// Reads no more items than the count or the lines there are.
int ParseGroupContents(const std::string& text, GroupContents& contents);
// The lines of a listing, without their line ends; empty lines dropped.
std::vector<std::string> ListingLines(const std::string& text);
