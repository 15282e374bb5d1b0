#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

// Input sent to a window as messages, the way it reaches a window procedure when a user types or
// clicks. Messages are sent, not posted: the handler has run when the call returns. For unit tests of
// one window procedure only: the system adds nothing (no activation, focus or capture), so a flow a
// user makes across windows goes through RealInput.h instead.

// Keeps keys (VK_SHIFT, VK_CONTROL...) down in the thread's keyboard state for one scope, so that
// GetKeyState and GetKeyboardState in handlers see them held.
class HeldKeys {
public:
  HeldKeys(std::initializer_list<int> keys);
  ~HeldKeys();
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

private:
  BYTE saved_[256];
};

// WM_KEYDOWN then WM_KEYUP (WM_SYSKEYDOWN and up when Alt is held).
void pressKey(HWND hwnd, int virtualKey);
// One WM_CHAR per character.
void typeText(HWND hwnd, const std::string& text);
// Button down and up at a client point; `keys` adds MK_SHIFT or MK_CONTROL to the message's flags.
void click(HWND hwnd, int x, int y, WPARAM keys = 0);
void rightClick(HWND hwnd, int x, int y, WPARAM keys = 0);
void doubleClick(HWND hwnd, int x, int y, WPARAM keys = 0);
// Left button down at `from`, moves in `steps` to `to`, button up there.
void drag(HWND hwnd, POINT from, POINT to, int steps = 4);

} // namespace testsupport
