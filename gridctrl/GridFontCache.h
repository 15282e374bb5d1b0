#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

// Fonts of one face at given heights, made once and kept: a type that tries several heights for every
// cell it draws would otherwise make and delete fonts by the hundred on each paint. At most kMost are
// kept; when one more is needed they all go at once. None of them may stay selected into a device
// context beyond the drawing that selected it.
class CGridFontCache {
public:
  CGridFontCache() = default;
  ~CGridFontCache();
  CGridFontCache(const CGridFontCache&) = delete;
  CGridFontCache& operator=(const CGridFontCache&) = delete;

  // The font of `face` whose lfHeight is `height`.
  HFONT Get(const char* face, int height);

private:
  static const size_t kMost = 128;
  void Clear();

  std::map<std::pair<std::string, int>, HFONT> m_fonts;
};
