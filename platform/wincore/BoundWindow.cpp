#include <wincore/BoundWindow.h>

#include <wincore/ErrorReporter.h>

#include <set>
#include <string>
#include <unordered_map>

namespace wincore {

namespace {

// The window extra bytes every core class has: the bound object of a window of that class.
constexpr int kObjectSlot = 0;

// The bound objects of subclassed windows of other classes, for this process only: the core's procedure
// runs only in the process that subclassed the window. One table behind a reader-writer lock rather than
// one per thread, because an object may be looked up, bound or let go on a thread other than the
// window's (a destructor, a test, a worker asking for a window's object); every message only reads.
class SubclassedWindows {
public:
  BoundWindow* find(HWND hwnd) {
    AcquireSRWLockShared(&lock_);
    auto found = objects_.find(hwnd);
    BoundWindow* object = found == objects_.end() ? nullptr : found->second;
    ReleaseSRWLockShared(&lock_);
    return object;
  }
  // False when the window already has an object.
  bool add(HWND hwnd, BoundWindow* object) {
    AcquireSRWLockExclusive(&lock_);
    bool added = objects_.emplace(hwnd, object).second;
    ReleaseSRWLockExclusive(&lock_);
    return added;
  }
  void remove(HWND hwnd, BoundWindow* object) {
    AcquireSRWLockExclusive(&lock_);
    auto found = objects_.find(hwnd);
    if (found != objects_.end() && found->second == object)
      objects_.erase(found);
    ReleaseSRWLockExclusive(&lock_);
  }

private:
  SRWLOCK lock_ = SRWLOCK_INIT;
  std::unordered_map<HWND, BoundWindow*> objects_;
};

SubclassedWindows& subclassedWindows() {
  static SubclassedWindows table;
  return table;
}

bool inThisProcess(HWND hwnd) {
  DWORD process = 0;
  return GetWindowThreadProcessId(hwnd, &process) && process == GetCurrentProcessId();
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
  // Only windows of this process enter the table, so another program's window is never found there.
  return boundTo(subclassedWindows().find(hwnd), hwnd);
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

bool BoundWindow::bind(HWND hwnd) {
  bool ownClass = isOwnClass(hwnd);
  if (ownClass)
    SetWindowLongPtrA(hwnd, kObjectSlot, reinterpret_cast<LONG_PTR>(this));
  else if (!subclassedWindows().add(hwnd, this)) // another thread bound it first
    return false;
  hwnd_ = hwnd;
  destroying_ = false;
  ownClass_ = ownClass;
  return true;
}

void BoundWindow::unbind() {
  if (ownClass_)
    SetWindowLongPtrA(hwnd_, kObjectSlot, 0);
  else
    subclassedWindows().remove(hwnd_, this);
  hwnd_ = nullptr;
  ownClass_ = false;
  original_ = nullptr;
  destroying_ = false;
}

bool BoundWindow::subclass(HWND hwnd) {
  // Another program's window is refused: its procedure cannot be ours, and the table is this process's.
  if (hwnd_ || !hwnd || !inThisProcess(hwnd) || fromHandle(hwnd) || !bind(hwnd))
    return false;
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
    if (!object || object->hwnd_ || !object->bind(hwnd))
      object = nullptr;
  }
  if (!object)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  // The object may be gone when route returns: nothing here touches it afterwards.
  return object->route(message, wParam, lParam);
}

LRESULT CALLBACK BoundWindow::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  BoundWindow* object = boundTo(subclassedWindows().find(hwnd), hwnd);
  if (!object)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return object->route(message, wParam, lParam);
}

} // namespace wincore
