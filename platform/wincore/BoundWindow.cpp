#include <wincore/BoundWindow.h>

#include <wincore/ErrorReporter.h>

#include <set>
#include <string>

namespace wincore {

namespace {

// The window extra bytes every core class has: the bound object of a window of that class.
constexpr int kObjectSlot = 0;

// The property that holds the bound object of a subclassed window of another class, named by a global
// atom made once, so that no look-up converts or compares a name.
const char* objectProperty() {
  static const ATOM atom = GlobalAddAtomA("wincore.BoundWindow");
  return reinterpret_cast<const char*>(static_cast<ULONG_PTR>(atom)); // MAKEINTATOM, narrow
}

} // namespace

BoundWindow::~BoundWindow() {
  if (hwnd_)
    unsubclass();
}

bool BoundWindow::isOwnClass(HWND hwnd) {
  return GetClassLongPtrA(hwnd, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&BoundWindow::classProcedure);
}

BoundWindow* BoundWindow::boundTo(void* stored, HWND hwnd) {
  auto* object = static_cast<BoundWindow*>(stored);
  return object && object->hwnd_ == hwnd ? object : nullptr;
}

BoundWindow* BoundWindow::fromHandle(HWND hwnd) {
  if (!hwnd)
    return nullptr;
  if (isOwnClass(hwnd))
    return boundTo(reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, kObjectSlot)), hwnd);
  // Another program's window may carry the same property, holding an address in that program.
  DWORD process = 0;
  if (!GetWindowThreadProcessId(hwnd, &process) || process != GetCurrentProcessId())
    return nullptr;
  return boundTo(GetPropA(hwnd, objectProperty()), hwnd);
}

void BoundWindow::registerClass(const char* className, UINT classStyle, HBRUSH background) {
  static std::set<std::string> registered;
  if (!registered.insert(className).second)
    return;
  WNDCLASSA wc{};
  wc.style = classStyle;
  wc.lpfnWndProc = &BoundWindow::classProcedure;
  wc.cbWndExtra = sizeof(LONG_PTR); // kObjectSlot
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
  ownClass_ = isOwnClass(hwnd);
  if (ownClass_)
    SetWindowLongPtrA(hwnd, kObjectSlot, reinterpret_cast<LONG_PTR>(this));
  else
    SetPropA(hwnd, objectProperty(), this);
}

void BoundWindow::unbind() {
  if (ownClass_)
    SetWindowLongPtrA(hwnd_, kObjectSlot, 0);
  else
    RemovePropA(hwnd_, objectProperty());
  hwnd_ = nullptr;
  ownClass_ = false;
  original_ = nullptr;
  destroying_ = false;
}

bool BoundWindow::subclass(HWND hwnd) {
  if (hwnd_ || !hwnd || fromHandle(hwnd))
    return false;
  bind(hwnd);
  if (!ownClass_) // a core class window already runs through the core; its default is DefWindowProc
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BoundWindow::subclassProcedure)));
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

LRESULT CALLBACK BoundWindow::classProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  BoundWindow* object = boundTo(reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, kObjectSlot)), hwnd);
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

LRESULT CALLBACK BoundWindow::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  BoundWindow* object = boundTo(GetPropA(hwnd, objectProperty()), hwnd);
  if (!object)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return object->route(message, wParam, lParam);
}

} // namespace wincore
