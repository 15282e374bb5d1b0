#include <wincore/Units.h>

#include <windows.h>

namespace wincore {

namespace {

int screenDpi(int index) {
  static int dpi[2] = {0, 0};
  int& value = dpi[index == LOGPIXELSY];
  if (!value) {
    HDC dc = GetDC(nullptr);
    value = GetDeviceCaps(dc, index);
    ReleaseDC(nullptr, dc);
  }
  return value;
}

} // namespace

int twipsToPixelsX(int twips) { return MulDiv(twips, screenDpi(LOGPIXELSX), 1440); }
int twipsToPixelsY(int twips) { return MulDiv(twips, screenDpi(LOGPIXELSY), 1440); }
int pixelsToTwipsX(int pixels) { return MulDiv(pixels, 1440, screenDpi(LOGPIXELSX)); }
int pixelsToTwipsY(int pixels) { return MulDiv(pixels, 1440, screenDpi(LOGPIXELSY)); }

int pointsToFontHeight(double points, int dpi) {
  if (dpi <= 0)
    dpi = screenDpi(LOGPIXELSY);
  return -static_cast<int>(points * dpi / 72 + 0.5);
}

} // namespace wincore
