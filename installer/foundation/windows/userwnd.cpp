#include <foundation/windows/userwnd.h>

#include <foundation/strings/textresource.h>

#include <wincore/ErrorReporter.h>

#include <exception>

namespace {

thunk* objectOf(HWND window) { return reinterpret_cast<thunk*>(GetWindowLongPtrA(window, 0)); }

void reportFault(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_SYSTEMMODAL | MB_ICONERROR); }

// A handler's error goes to the program's reporter and the message gets the default answer, so that
// the user hears of it and the window goes on (and still lets go of its object at WM_DESTROY).
LRESULT handled(thunk& object, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return object.handle(message, wParam, lParam);
  } catch (...) {
    wincore::reportError(std::current_exception());
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (thunk* object = objectOf(window)) {
    LRESULT result = handled(*object, window, message, wParam, lParam);
    // The handler may have destroyed its object, which lets go of the window on the way.
    if (message == WM_DESTROY && objectOf(window) == object)
      object->detach();
    return result;
  }
  if (message != WM_CREATE)
    return DefWindowProcA(window, message, wParam, lParam);
  auto* object = static_cast<thunk*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
  if (!object)
    return DefWindowProcA(window, message, wParam, lParam);
  object->attach(window);
  return handled(*object, window, message, wParam, lParam);
}

} // namespace

ATOM wndclass::registerclass() const {
  WNDCLASSA description = {};
  description.style = style;
  description.lpfnWndProc = proc();
  description.cbWndExtra = sizeof(void*);
  description.hInstance = EngineModule();
  description.hIcon = icon;
  description.hCursor = cursor;
  description.hbrBackground = background;
  description.lpszMenuName = menu;
  description.lpszClassName = name;
  return RegisterClassA(&description);
}

thunk::~thunk() {
  if (!window_)
    return;
  reportFault("thunk::~thunk() called but it hasn't been detached");
  HWND window = window_;
  detach();
  if (IsWindow(window))
    DestroyWindow(window);
}

void thunk::attach(HWND window) {
  window_ = window;
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(this));
}

void thunk::detach() {
  if (!window_)
    return;
  if (IsWindow(window_) && objectOf(window_) == this)
    SetWindowLongPtrA(window_, 0, 0);
  window_ = nullptr;
}

void thunk::destroy() {
  if (window_)
    DestroyWindow(window_);
}

userwnd::~userwnd() {
  if (!window_ || !IsWindow(window_))
    return;
  // From here on the window must not reach this half-destroyed object, not even while the report shows.
  SetWindowLongPtrA(window_, 0, 0);
  reportFault("del() must be called before userwnd::~userwnd()");
}

LRESULT userwnd::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  return wndproc(message, wParam, lParam);
}

int userwnd::create(const wndclass& windowClass, wndcreate& parameters) {
  parameters.param = static_cast<thunk*>(this);
  HWND window = CreateWindowExA(0, windowClass.name, parameters.title, parameters.style, parameters.x,
                                parameters.y, parameters.width, parameters.height, parameters.parent,
                                parameters.menu, EngineModule(), parameters.param);
  if (!window)
    return 0;
  window_ = window;
  return 1;
}

LRESULT CALLBACK userwnd::windowproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return route(window, message, wParam, lParam);
}
