#include <gridctrl/GridFontCache.h>

CGridFontCache::~CGridFontCache() { Clear(); }

void CGridFontCache::Clear() {
  for (const auto& entry : m_fonts)
    DeleteObject(entry.second.font);
  m_fonts.clear();
}

CGridFontCache::Font& CGridFontCache::Entry(const char* face, int height) {
  auto key = std::make_pair(std::string(face), height);
  auto found = m_fonts.find(key);
  if (found != m_fonts.end())
    return found->second;
  if (m_fonts.size() >= kMost)
    Clear();
  LOGFONTA logFont{};
  logFont.lfHeight = height;
  lstrcpynA(logFont.lfFaceName, face, LF_FACESIZE);
  Font& font = m_fonts[std::move(key)];
  font.font = CreateFontIndirectA(&logFont);
  return font;
}

HFONT CGridFontCache::Get(const char* face, int height) { return Entry(face, height).font; }

int CGridFontCache::TextWidth(HDC dc, const char* face, int height, const char* text, int length) {
  Font& font = Entry(face, height);
  if (!font.measured) {
    HGDIOBJ old = SelectObject(dc, font.font);
    font.measured = GetCharWidth32A(dc, 0, 255, font.widths.data()) != FALSE;
    if (!font.measured) { // no widths to be had: measured text by text
      SIZE extent{};
      GetTextExtentPoint32A(dc, text, length, &extent);
      SelectObject(dc, old);
      return extent.cx;
    }
    SelectObject(dc, old);
  }
  int width = 0;
  for (int i = 0; i < length; ++i)
    width += font.widths[static_cast<unsigned char>(text[i])];
  return width;
}
