#pragma once

#include <windows.h>

// Drawing objects that own their GDI handle and delete it when they go.
class CGdiObject {
public:
  CGdiObject() = default;
  virtual ~CGdiObject() { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  bool Attach(HGDIOBJ handle);
  HGDIOBJ Detach();
  bool DeleteObject();

  HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
public:
  CPen() = default;
  CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
  bool CreatePen(int style, int width, COLORREF colour);
  operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
  CBrush() = default;
  explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
  bool CreateSolidBrush(COLORREF colour);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
  bool CreateFontIndirect(const LOGFONTA* font);
  int GetLogFont(LOGFONTA* font) const;
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
  bool CreateCompatibleBitmap(HDC dc, int width, int height);
  int GetBitmap(BITMAP* info) const;
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};
