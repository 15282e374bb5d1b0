#pragma once

#include <windows.h>

// Small helpers of the drawing layer. Rectangles here are Win32 rectangles unless a name says
// inclusive.

void RectClear(RECT& r);
// The inclusive form of a Win32 rectangle (right and bottom minus one).
RECT RectInclusive(const RECT& r);
// left <= right and top <= bottom.
RECT RectNormalised(const RECT& r);
// The overlap of two rectangles into `out`; 0 when they do not overlap.
int RectIntersect(const RECT& a, const RECT& b, RECT& out);

int KeyDown(int key);
int ControlDown();
int ShiftDown();
// The MK_ flags that a mouse message would carry for the keys and buttons held now.
WPARAM MouseKeyFlags();

int BitmapWidth(HBITMAP bitmap);
int BitmapHeight(HBITMAP bitmap);
