#include <tests/support/ModalSteps.h>

#include <gtest/gtest.h>

#include <utility>

namespace testsupport {

namespace {

std::function<void()> pendingSteps;
HWND pendingWindow = nullptr;

void CALLBACK runPendingSteps(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND shown = pendingWindow;
  std::function<void()> now = std::move(pendingSteps);
  pendingSteps = nullptr;
  // A window opened where the last one stood would take the first click at the same spot as the second
  // half of a double click: the user's next click comes later than that.
  Sleep(GetDoubleClickTime() + 50);
  if (now)
    now();
  // Steps that did not end the window would leave the test waiting for ever.
  if (IsWindow(shown) && IsWindowVisible(shown)) {
    ADD_FAILURE() << "the window stayed open after the user's steps";
    if (!EndDialog(shown, IDCANCEL))
      PostMessageA(shown, WM_CLOSE, 0, 0); // a form, not a dialog box
  }
}

} // namespace

void actByUser(ModalAnswerer& answerer, const std::string& match, std::function<void(HWND)> steps) {
  answerer.act(match, [steps](HWND window) {
    pendingWindow = window;
    pendingSteps = [steps, window] { steps(window); };
    SetTimer(nullptr, 0, 1, &runPendingSteps);
  });
}

} // namespace testsupport
