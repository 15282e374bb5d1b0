#include <tests/support/SentInput.h>

namespace testsupport {

namespace {

LPARAM point(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

LPARAM keyData(int virtualKey, bool up) {
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC)) << 16;
  LPARAM data = 1 | scan;
  if (up)
    data |= (1L << 30) | (1L << 31);
  return data;
}

} // namespace

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
  GetKeyboardState(saved_);
  BYTE state[256];
  GetKeyboardState(state);
  for (int key : keys)
    state[key] |= 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

void pressKey(HWND hwnd, int virtualKey) {
  bool alt = GetKeyState(VK_MENU) < 0;
  SendMessageA(hwnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, keyData(virtualKey, false));
  if (IsWindow(hwnd))
    SendMessageA(hwnd, alt ? WM_SYSKEYUP : WM_KEYUP, virtualKey, keyData(virtualKey, true));
}

void typeText(HWND hwnd, const std::string& text) {
  for (char c : text)
    SendMessageA(hwnd, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void click(HWND hwnd, int x, int y, WPARAM keys) {
  SendMessageA(hwnd, WM_MOUSEMOVE, keys, point(x, y));
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON | keys, point(x, y));
  if (IsWindow(hwnd))
    SendMessageA(hwnd, WM_LBUTTONUP, keys, point(x, y));
}

void rightClick(HWND hwnd, int x, int y, WPARAM keys) {
  SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON | keys, point(x, y));
  if (IsWindow(hwnd))
    SendMessageA(hwnd, WM_RBUTTONUP, keys, point(x, y));
}

void doubleClick(HWND hwnd, int x, int y, WPARAM keys) {
  click(hwnd, x, y, keys);
  if (!IsWindow(hwnd))
    return;
  SendMessageA(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON | keys, point(x, y));
  if (IsWindow(hwnd))
    SendMessageA(hwnd, WM_LBUTTONUP, keys, point(x, y));
}

void drag(HWND hwnd, POINT from, POINT to, int steps) {
  SendMessageA(hwnd, WM_MOUSEMOVE, 0, point(from.x, from.y));
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point(from.x, from.y));
  for (int i = 1; i <= steps && IsWindow(hwnd); ++i) {
    int x = from.x + (to.x - from.x) * i / steps;
    int y = from.y + (to.y - from.y) * i / steps;
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, point(x, y));
  }
  if (IsWindow(hwnd))
    SendMessageA(hwnd, WM_LBUTTONUP, 0, point(to.x, to.y));
}

} // namespace testsupport
