#include <foundation/windows/subclasser.h>

#include <wincore/ErrorReporter.h>

#include <exception>

namespace {

const char objectProperty[] = "subclrobjptr";

} // namespace

subclasser* GetSubclassObject(HWND window) {
  return static_cast<subclasser*>(GetPropA(window, objectProperty));
}

int SetSubclassObject(HWND window, subclasser* object) {
  return SetPropA(window, objectProperty, object) != 0;
}

subclasser::~subclasser() { detach(); }

void subclasser::attach(HWND window) {
  window_ = window;
  previous_ = GetSubclassObject(window);
  previousProc_ = nullptr;
  if (!previous_)
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassproc)));
  SetSubclassObject(window, this);
}

int subclasser::detach() {
  if (!window_)
    return 1;
  subclasser* top = IsWindow(window_) ? GetSubclassObject(window_) : nullptr;
  if (top == this) {
    if (previous_) {
      SetSubclassObject(window_, previous_);
    } else {
      RemovePropA(window_, objectProperty);
      SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
    }
  } else {
    // Detached out of order: the object above this one takes over what this one passed on to.
    for (subclasser* above = top; above; above = above->previous_) {
      if (above->previous_ != this)
        continue;
      above->previous_ = previous_;
      above->previousProc_ = previousProc_;
      break;
    }
  }
  window_ = nullptr;
  previous_ = nullptr;
  previousProc_ = nullptr;
  return 1;
}

LRESULT subclasser::defproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (previous_)
    return previous_->wndproc(window, message, wParam, lParam);
  return CallWindowProcA(previousProc_, window, message, wParam, lParam);
}

int subclasser::isattached() const { return window_ && GetSubclassObject(window_) == this; }

LRESULT CALLBACK subclasser::subclassproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  subclasser* object = GetSubclassObject(window);
  if (!object)
    return DefWindowProcA(window, message, wParam, lParam);
  try {
    return object->wndproc(window, message, wParam, lParam);
  } catch (...) {
    // The user hears of it and the window goes on, the message answered 0.
    wincore::reportError(std::current_exception());
  }
  return 0;
}
