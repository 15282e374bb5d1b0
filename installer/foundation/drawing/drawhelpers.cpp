#include <foundation/drawing/drawhelpers.h>

#include <algorithm>

void RectClear(RECT& r) { r = RECT{0, 0, 0, 0}; }

RECT RectInclusive(const RECT& r) { return RECT{r.left, r.top, r.right - 1, r.bottom - 1}; }

RECT RectNormalised(const RECT& r) {
  return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

int RectIntersect(const RECT& a, const RECT& b, RECT& out) {
  RECT overlap{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  if (overlap.left >= overlap.right || overlap.top >= overlap.bottom)
    return 0;
  out = overlap;
  return 1;
}

int KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

int ControlDown() { return KeyDown(VK_CONTROL); }

int ShiftDown() { return KeyDown(VK_SHIFT); }

WPARAM MouseKeyFlags() {
  WPARAM flags = 0;
  if (KeyDown(VK_LBUTTON))
    flags |= MK_LBUTTON;
  if (KeyDown(VK_RBUTTON))
    flags |= MK_RBUTTON;
  if (KeyDown(VK_MBUTTON))
    flags |= MK_MBUTTON;
  if (ControlDown())
    flags |= MK_CONTROL;
  if (ShiftDown())
    flags |= MK_SHIFT;
  return flags;
}

int BitmapWidth(HBITMAP bitmap) {
  BITMAP info;
  return GetObjectA(bitmap, sizeof info, &info) ? info.bmWidth : 0;
}

int BitmapHeight(HBITMAP bitmap) {
  BITMAP info;
  return GetObjectA(bitmap, sizeof info, &info) ? info.bmHeight : 0;
}
