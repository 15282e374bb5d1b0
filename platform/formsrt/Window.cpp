#include <formsrt/Window.h>

#include <formsrt/Application.h>
#include <formsrt/RuntimeError.h>

#include <set>
#include <string>

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

void registerOnce(const char* className, UINT classStyle, WNDPROC procedure) {
  static std::set<std::string> registered;
  if (!registered.insert(className).second)
    return;
  WNDCLASSA wc{};
  wc.style = classStyle;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}

} // namespace

int twipsToPixelsX(int twips) { return MulDiv(twips, screenDpi(LOGPIXELSX), 1440); }
int twipsToPixelsY(int twips) { return MulDiv(twips, screenDpi(LOGPIXELSY), 1440); }
int pixelsToTwipsX(int pixels) { return MulDiv(pixels, 1440, screenDpi(LOGPIXELSX)); }
int pixelsToTwipsY(int pixels) { return MulDiv(pixels, 1440, screenDpi(LOGPIXELSY)); }

Window::~Window() {
  if (hwnd_ && IsWindow(hwnd_))
    DestroyWindow(hwnd_);
}

Window* Window::fromHandle(HWND hwnd) {
  if (!hwnd)
    return nullptr;
  WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  if (current != procedure)
    return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HWND Window::createOwn(const char* className, UINT classStyle, DWORD exStyle, const char* text, DWORD style,
                       int x, int y, int width, int height, HWND parent, HMENU idOrMenu) {
  registerOnce(className, classStyle, procedure);
  return CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, idOrMenu,
                         GetModuleHandleA(nullptr), this);
}

HWND Window::createSubclassed(const char* className, DWORD exStyle, const char* text, DWORD style, int x,
                              int y, int width, int height, HWND parent, int id) {
  HWND hwnd =
      CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!hwnd)
    return nullptr;
  bind(hwnd);
  original_ =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
  return hwnd;
}

void Window::bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return callDefault(message, wParam, lParam);
}

LRESULT Window::callDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  if (original_)
    return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    if (auto* self = static_cast<Window*>(create->lpCreateParams))
      self->bind(hwnd);
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self || self->hwnd_ != hwnd)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->handleMessage(message, wParam, lParam);
  } catch (const std::exception&) {
    // Handlers report their own errors; anything else stops here, never inside the system's code.
    runHandler([&] { throw; });
  }
  if (message == WM_NCDESTROY) {
    if (self->original_)
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->original_));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->original_ = nullptr;
    self->onDestroyed();
  }
  return result;
}

} // namespace formsrt
