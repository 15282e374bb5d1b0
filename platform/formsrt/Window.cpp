#include <formsrt/Window.h>

namespace formsrt {

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
