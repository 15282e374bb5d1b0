#pragma once

#include <appframe/CString.h>
#include <appframe/GdiObjects.h>
#include <appframe/Geometry.h>

class CWnd;

// A device context: either one this object made (and deletes) or one it was only given (Attach).
class CDC {
public:
  CDC() = default;
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  bool Attach(HDC dc);
  HDC Detach();
  bool CreateCompatibleDC(CDC* other);
  bool DeleteDC();

  HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
  HGDIOBJ SelectObject(const CGdiObject* object) { return ::SelectObject(m_hDC, object->m_hObject); }
  int SaveDC() { return ::SaveDC(m_hDC); }
  bool RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved) != 0; }

  COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
  COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
  int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

  void FillSolidRect(const RECT& rect, COLORREF colour);
  void FillRect(const RECT& rect, const CBrush* brush) { ::FillRect(m_hDC, &rect, *brush); }
  CPoint MoveTo(int x, int y);
  bool LineTo(int x, int y) { return ::LineTo(m_hDC, x, y) != 0; }
  bool TextOut(int x, int y, const CString& text) { return ::TextOutA(m_hDC, x, y, text, text.GetLength()); }
  bool ExtTextOut(int x, int y, UINT options, const RECT* clip, const char* text, int length) {
    return ::ExtTextOutA(m_hDC, x, y, options, clip, text, static_cast<UINT>(length), nullptr) != 0;
  }
  int DrawText(const CString& text, RECT* rect, UINT format) {
    return ::DrawTextA(m_hDC, text, text.GetLength(), rect, format);
  }
  CSize GetTextExtent(const char* text, int length) const;
  bool GetTextMetrics(TEXTMETRICA* metrics) const { return ::GetTextMetricsA(m_hDC, metrics) != 0; }
  void DrawFocusRect(const RECT& rect) { ::DrawFocusRect(m_hDC, &rect); }
  bool BitBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, source->m_hDC, sx, sy, rop) != 0;
  }
  int IntersectClipRect(const RECT& rect) {
    return ::IntersectClipRect(m_hDC, rect.left, rect.top, rect.right, rect.bottom);
  }
  int GetClipBox(RECT* rect) const { return ::GetClipBox(m_hDC, rect); }
  bool StretchBlt(int x, int y, int width, int height, CDC* source, int sx, int sy, int sWidth, int sHeight,
                  DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, width, height, source->m_hDC, sx, sy, sWidth, sHeight, rop) != 0;
  }
  bool ExtFloodFill(int x, int y, COLORREF colour, UINT type) {
    return ::ExtFloodFill(m_hDC, x, y, colour, type) != 0;
  }
  bool Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count) != 0; }
  COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
  int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

  HDC m_hDC = nullptr;

private:
  bool owned_ = false;
};

// The device context of a WM_PAINT, begun and ended with the object.
class CPaintDC : public CDC {
public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

private:
  HWND hwnd_;
};

// A window's client-area device context for drawing outside WM_PAINT.
class CClientDC : public CDC {
public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

private:
  HWND hwnd_;
};
