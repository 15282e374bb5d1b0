#include <wincore/BoundWindow.h>

#include <wincore/ErrorReporter.h>

#include <set>
#include <string>

namespace wincore {

namespace {

const char kObjectProperty[] = "wincore.BoundWindow";

} // namespace

BoundWindow::~BoundWindow() {
  if (hwnd_)
    unsubclass();
}

BoundWindow* BoundWindow::fromHandle(HWND hwnd) {
  if (!hwnd)
    return nullptr;
  auto* object = static_cast<BoundWindow*>(GetPropA(hwnd, kObjectProperty));
  return object && object->hwnd_ == hwnd ? object : nullptr;
}

void BoundWindow::registerClass(const char* className, UINT classStyle, HBRUSH background) {
  static std::set<std::string> registered;
  if (!registered.insert(className).second)
    return;
  WNDCLASSA wc{};
  wc.style = classStyle;
  wc.lpfnWndProc = &BoundWindow::procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}

HWND BoundWindow::create(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y,
                         int width, int height, HWND parent, HMENU idOrMenu) {
  if (hwnd_)
    return nullptr;
  HWND hwnd = CreateWindowExA(exStyle, className, text, style, x, y, width, height, parent, idOrMenu,
                              GetModuleHandleA(nullptr), this);
  return hwnd && hwnd_ == hwnd ? hwnd : nullptr;
}

void BoundWindow::bind(HWND hwnd) {
  hwnd_ = hwnd;
  destroying_ = false;
  SetPropA(hwnd, kObjectProperty, this);
}

void BoundWindow::unbind() {
  RemovePropA(hwnd_, kObjectProperty);
  hwnd_ = nullptr;
  original_ = nullptr;
  destroying_ = false;
}

bool BoundWindow::subclass(HWND hwnd) {
  if (hwnd_ || !hwnd || fromHandle(hwnd))
    return false;
  bind(hwnd);
  original_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoundWindow::procedure)));
  if (original_ == &BoundWindow::procedure)
    original_ = nullptr; // a core class window: its default is DefWindowProc
  return true;
}

HWND BoundWindow::unsubclass() {
  HWND hwnd = hwnd_;
  if (!hwnd)
    return nullptr;
  if (original_)
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  unbind();
  return hwnd;
}

bool BoundWindow::destroy() {
  if (!hwnd_ || destroying_)
    return false;
  return DestroyWindow(hwnd_) != 0;
}

LRESULT BoundWindow::callDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  if (original_)
    return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT BoundWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return callDefault(message, wParam, lParam);
}

LRESULT BoundWindow::route(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    HWND hwnd = hwnd_;
    WNDPROC original = original_;
    unsubclass();
    LRESULT result = original ? CallWindowProcA(original, hwnd, message, wParam, lParam)
                              : DefWindowProcA(hwnd, message, wParam, lParam);
    guarded([&] { onFinalMessage(hwnd); });
    return result;
  }
  if (message == WM_DESTROY)
    destroying_ = true;
  try {
    return onMessage(message, wParam, lParam);
  } catch (...) {
    reportError(std::current_exception());
  }
  return 0;
}

LRESULT CALLBACK BoundWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  BoundWindow* object = fromHandle(hwnd);
  if (!object && message == WM_NCCREATE) {
    object = static_cast<BoundWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (object && !object->hwnd_)
      object->bind(hwnd);
    else
      object = nullptr;
  }
  if (!object)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  // The object may be gone when route returns: nothing here touches it afterwards.
  return object->route(message, wParam, lParam);
}

} // namespace wincore
