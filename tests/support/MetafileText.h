#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// A text drawn into an enhanced metafile, at its reference point in the page's logical units.
struct DrawnText {
  int x;
  int y;
  std::string text;
};

// Every text output of a metafile, in the order drawn: what a print job put on a page.
std::vector<DrawnText> metafileTexts(HENHMETAFILE metafile);

} // namespace testsupport
