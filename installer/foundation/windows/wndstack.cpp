#include <foundation/windows/wndstack.h>

void wndstack::push(HWND window) {
  if (count_ >= MaxStackedWindows) {
    ++overflow_;
    return;
  }
  windows_[count_++] = window;
}

void wndstack::pop() {
  if (overflow_ > 0) {
    --overflow_;
    return;
  }
  if (count_ > 0)
    windows_[--count_] = nullptr;
}

wndstack& WindowStack() {
  static wndstack stack;
  return stack;
}
