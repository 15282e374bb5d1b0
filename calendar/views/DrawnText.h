#pragma once

#include <windows.h>

#include <string>

// What a line of text really covers when drawn in a font. The extent a font reports is not always what
// it draws: a face with bitmap strikes for small sizes draws wider glyphs than its outlines measure,
// so a text fitted to a cell by its extent alone comes out cut. The ink is found by drawing the text.
struct DrawnText {
  SIZE extent{};
  // The drawn pixels, relative to the point the text was drawn from; empty for a text without ink.
  RECT ink{};

  // The box that holds both the advance and the ink: what a cell must find room for.
  RECT Covered() const;

  static DrawnText Measure(HDC dc, HFONT font, const std::string& text);
};
