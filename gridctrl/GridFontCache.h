#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <utility>

// Fonts of one face at given heights, made once and kept with the advance widths of their characters:
// a type that tries several heights for every cell it draws would otherwise make, select and delete
// fonts by the hundred on each paint. At most kMost are kept; when one more is needed they all go at
// once. None of them may stay selected into a device context beyond the drawing that selected it.
class CGridFontCache {
public:
  CGridFontCache() = default;
  ~CGridFontCache();
  CGridFontCache(const CGridFontCache&) = delete;
  CGridFontCache& operator=(const CGridFontCache&) = delete;

  // The font of `face` whose lfHeight is `height`.
  HFONT Get(const char* face, int height);
  // The width of `text` in that font, as GetTextExtentPoint32 measures it: the sum of its characters'
  // advances (`dc` measures them the first time).
  int TextWidth(HDC dc, const char* face, int height, const char* text, int length);

private:
  struct Font {
    HFONT font = nullptr;
    bool measured = false;
    std::array<INT, 256> widths{};
  };
  static const size_t kMost = 128;
  Font& Entry(const char* face, int height);
  void Clear();

  std::map<std::pair<std::string, int>, Font> m_fonts;
};
