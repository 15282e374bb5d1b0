#pragma once

#include <foundation/drawing/dc.h>

#include <windows.h>

// A font by its description, created on demand, selected into a DC or set on a window, and put back
// and deleted when it goes.
class font {
public:
  font() = default;
  ~font() { free(); }
  font(const font&) = delete;
  font& operator=(const font&) = delete;

  // The description; the height is in pixels, or in points until createfor() converts it.
  void set(const char* face, int height, int bold, int italic, int escapement);
  // A new font of the description (a font made before is freed first); 1 when made.
  int create(int width = 0);
  // Converts a height in points for the device (a negative height stays a character height), then
  // creates.
  int createfor(HWND window);
  int createfor(const dc& device);
  // Into a DC, remembering the font it replaces; only a created font that is not yet in use.
  int select(dc& device);
  // As the window's font (redrawn), remembering the window's own.
  int setonwindow(HWND window);
  // Gives the DC or window its previous font back.
  void deselect();
  void free();
  // Narrows or widens the characters so that the text measures `wanted` pixels in the DC. A text
  // that measures nothing keeps the font as it is (0).
  int fitwidth(dc& device, const char* text, int wanted);
  // Measured in this font on a DC of the desktop (the font is created when needed).
  int textwidth(const char* text);
  int textheight(const char* text);

  HFONT handle() const { return font_; }

  int height = 0;
  int escapement = 0;
  int bold = 0;
  int italic = 0;
  char face[LF_FACESIZE] = "";

private:
  SIZE measure(const char* text);

  HFONT font_ = nullptr;
  HFONT previous_ = nullptr;
  dc* selectedin_ = nullptr;
  HWND window_ = nullptr;
};
