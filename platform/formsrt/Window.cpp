#include <formsrt/Window.h>

namespace formsrt {

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

Window::~Window() {
  if (hwnd())
    DestroyWindow(hwnd());
}

HWND Window::createOwn(const char* className, UINT classStyle, DWORD exStyle, const char* text, DWORD style,
                       int x, int y, int width, int height, HWND parent, HMENU idOrMenu) {
  registerClass(className, classStyle, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return create(exStyle, className, text, style, x, y, width, height, parent, idOrMenu);
}

HWND Window::createSubclassed(const char* className, DWORD exStyle, const char* text, DWORD style, int x,
                              int y, int width, int height, HWND parent, int id) {
  HWND hwnd =
      CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  return hwnd && subclass(hwnd) ? hwnd : nullptr;
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return callDefault(message, wParam, lParam);
}

} // namespace formsrt
