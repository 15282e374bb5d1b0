#pragma once

#include <windows.h>

// A device context that knows how to give back what it acquired: a caller's DC is never released, a
// window's DC is released, a created DC is deleted.
//
// Rectangles: rect() and fillrect() take this layer's inclusive form (right and bottom belong to the
// rectangle); gradient() takes Win32 rectangles (right and bottom lie outside), like every other
// drawing call of the foundation.
class dc {
public:
  enum kindcode { attachedkind = 0, windowkind = 1, createdkind = 2, memorykind = 3 };

  // A window's client area (GetDC).
  explicit dc(HWND window);
  // A caller's DC, never released.
  dc(HDC hdc, int width, int height);
  // A memory DC compatible with another (same size).
  struct compatible {};
  dc(const dc& other, compatible);
  ~dc();
  dc(const dc&) = delete;
  dc& operator=(const dc&) = delete;

  HDC hdc() const { return hdc_; }
  int kind() const { return kind_; }
  int width() const { return width_; }
  int height() const { return height_; }
  HWND window() const { return window_; }

  int textout(int x, int y, const char* text) { return textout(x, y, text, lstrlenA(text)); }
  int textout(int x, int y, const char* text, int length) { return TextOutA(hdc_, x, y, text, length); }
  // 0 when the text cannot be measured.
  int textwidth(const char* text) const;
  int textheight(const char* text) const;
  int textmetrics(TEXTMETRICA& metrics) const { return GetTextMetricsA(hdc_, &metrics); }
  int outlinemetrics(UINT size, OUTLINETEXTMETRICA* metrics) const {
    return static_cast<int>(GetOutlineTextMetricsA(hdc_, size, metrics));
  }
  int textface(char* face, int size) const { return GetTextFaceA(hdc_, size, face); }
  HGDIOBJ select(HGDIOBJ object) { return SelectObject(hdc_, object); }
  int setmapmode(int mode) { return SetMapMode(hdc_, mode); }
  int setrop2(int mode) { return SetROP2(hdc_, mode); }
  int setbkmode(int mode) { return SetBkMode(hdc_, mode); }
  COLORREF setbkcolor(COLORREF colour) { return SetBkColor(hdc_, colour); }
  COLORREF getbkcolor() const { return GetBkColor(hdc_); }
  COLORREF settextcolor(COLORREF colour) { return SetTextColor(hdc_, colour); }
  UINT settextalign(UINT align) { return SetTextAlign(hdc_, align); }
  int setpolyfillmode(int mode) { return SetPolyFillMode(hdc_, mode); }
  int setbrushorg(int x, int y) { return SetBrushOrgEx(hdc_, x, y, nullptr); }
  int escape(int code, int size, const char* in, void* out) { return Escape(hdc_, code, size, in, out); }
  int moveto(int x, int y) { return MoveToEx(hdc_, x, y, nullptr); }
  int lineto(int x, int y) { return LineTo(hdc_, x, y); }
  int rectangle(int left, int top, int right, int bottom) {
    return Rectangle(hdc_, left, top, right, bottom);
  }
  int ellipse(int left, int top, int right, int bottom) { return Ellipse(hdc_, left, top, right, bottom); }
  int polygon(const POINT* points, int count) { return Polygon(hdc_, points, count); }
  COLORREF setpixel(int x, int y, COLORREF colour) { return SetPixel(hdc_, x, y, colour); }
  int patblt(int x, int y, int w, int h, DWORD rop) { return PatBlt(hdc_, x, y, w, h, rop); }
  int bitblt(int x, int y, int w, int h, HDC source, int sx, int sy, DWORD rop) {
    return BitBlt(hdc_, x, y, w, h, source, sx, sy, rop);
  }
  int stretchblt(int x, int y, int w, int h, HDC source, int sx, int sy, int sw, int sh, DWORD rop) {
    return StretchBlt(hdc_, x, y, w, h, source, sx, sy, sw, sh, rop);
  }
  HBITMAP createcompatiblebitmap(int w, int h) { return CreateCompatibleBitmap(hdc_, w, h); }

  // Inclusive rectangles.
  int fillrect(const RECT& inclusive, COLORREF colour);
  int fillrect(const RECT& inclusive, HBRUSH brush);
  RECT rect() const { return RECT{0, 0, width_ - 1, height_ - 1}; }

  double pixpermmx() const;
  double pixpermmy() const;
  double pixperpt() const;
  double pixperptx() const { return pixpermmx() * 25.4 / 72; }
  double pixperpty() const { return pixpermmy() * 25.4 / 72; }
  // A font of the face at the size in points for this device.
  HFONT createfont(const char* face, int points, int weight, int italic) const;

  // A four-corner gradient: top-left a, top-right b, bottom-left c, bottom-right d, filled in cells
  // of the given size (at least 1), each in the colour at its centre. The second form fills only
  // `area`, with cells on a grid counted from the DC's origin and colours taken from `gradient`.
  // Win32 rectangles; 0 for an empty gradient rectangle or area.
  int gradient(const RECT& rect, COLORREF a, COLORREF b, COLORREF c, COLORREF d, int cellwidth,
               int cellheight);
  int gradient(const RECT& gradient, const RECT& area, COLORREF a, COLORREF b, COLORREF c, COLORREF d,
               int cellwidth, int cellheight);

private:
  int kind_;
  int width_ = 0;
  int height_ = 0;
  HDC hdc_ = nullptr;
  HWND window_ = nullptr;
};

// The colour of a gradient at (x, y) from its top-left corner, in a rectangle of w x h.
COLORREF GradientColour(COLORREF a, COLORREF b, COLORREF c, COLORREF d, int x, int y, int w, int h);
