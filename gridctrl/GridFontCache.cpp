#include "GridFontCache.h"

CGridFontCache::~CGridFontCache() { Clear(); }

void CGridFontCache::Clear() {
  for (const auto& entry : m_fonts)
    DeleteObject(entry.second);
  m_fonts.clear();
}

HFONT CGridFontCache::Get(const char* face, int height) {
  auto key = std::make_pair(std::string(face), height);
  auto found = m_fonts.find(key);
  if (found != m_fonts.end())
    return found->second;
  if (m_fonts.size() >= kMost)
    Clear();
  LOGFONTA logFont{};
  logFont.lfHeight = height;
  lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&logFont);
  m_fonts.emplace(std::move(key), font);
  return font;
}
