#include <foundation/windows/threedhook.h>

namespace {

ThreeDHook currentHook = nullptr;

} // namespace

void SetThreeDHook(ThreeDHook hook) { currentHook = hook; }

void ApplyThreeDLook(HWND control) {
  if (currentHook)
    currentHook(control);
}
