#include <foundation/registry/screeninfo.h>

#include <windows.h>

namespace {

int desktopCaps(int index) {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  int value = GetDeviceCaps(dc, index);
  ReleaseDC(desktop, dc);
  return value;
}

int pointsToPixels(int points, int pixelsIndex, int millimetresIndex) {
  int millimetres = MulDiv(points, 254, 720);
  return MulDiv(millimetres, desktopCaps(pixelsIndex), desktopCaps(millimetresIndex));
}

} // namespace

screeninfo::screeninfo() {
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  width = GetDeviceCaps(dc, HORZRES);
  height = GetDeviceCaps(dc, VERTRES);
  bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  ReleaseDC(desktop, dc);
}

int PointsToPixelsX(int points) { return pointsToPixels(points, HORZRES, HORZSIZE); }
int PointsToPixelsY(int points) { return pointsToPixels(points, VERTRES, VERTSIZE); }
