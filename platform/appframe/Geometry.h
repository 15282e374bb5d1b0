#pragma once

#include <windows.h>

// Points, sizes and rectangles as the framework's value types: the Win32 structures with the few
// operations the programs use.

class CPoint : public POINT {
public:
  CPoint() : POINT{0, 0} {}
  CPoint(int px, int py) : POINT{px, py} {}
  CPoint(const POINT& p) : POINT(p) {}
  bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};

class CSize : public SIZE {
public:
  CSize() : SIZE{0, 0} {}
  CSize(int width, int height) : SIZE{width, height} {}
  CSize(const SIZE& s) : SIZE(s) {}
  bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
};

class CRect : public RECT {
public:
  CRect() : RECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
  CRect(const RECT& r) : RECT(r) {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsRectEmpty() const { return right <= left || bottom <= top; }
  bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  CPoint TopLeft() const { return CPoint(left, top); }
  CPoint BottomRight() const { return CPoint(right, bottom); }
  void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
  void DeflateRect(int dx, int dy) { DeflateRect(dx, dy, dx, dy); }
  void DeflateRect(int l, int t, int r, int b) {
    left += l;
    top += t;
    right -= r;
    bottom -= b;
  }
  void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
  void OffsetRect(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  bool operator==(const CRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }
};
