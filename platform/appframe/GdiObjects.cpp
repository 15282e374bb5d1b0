#include <appframe/GdiObjects.h>

bool CGdiObject::Attach(HGDIOBJ handle) {
  DeleteObject();
  m_hObject = handle;
  return handle != nullptr;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ handle = m_hObject;
  m_hObject = nullptr;
  return handle;
}

bool CGdiObject::DeleteObject() {
  if (!m_hObject)
    return false;
  ::DeleteObject(Detach());
  return true;
}

bool CPen::CreatePen(int style, int width, COLORREF colour) {
  return Attach(::CreatePen(style, width, colour));
}

bool CBrush::CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }

bool CFont::CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }

int CFont::GetLogFont(LOGFONTA* font) const { return ::GetObjectA(m_hObject, sizeof *font, font); }

bool CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc, width, height));
}

int CBitmap::GetBitmap(BITMAP* info) const { return ::GetObjectA(m_hObject, sizeof *info, info); }
