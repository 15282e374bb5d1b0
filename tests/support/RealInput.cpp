#include <tests/support/RealInput.h>
#include <tests/support/WindowText.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testsupport::realinput {

INPUT keyStroke(int virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtualKey);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

namespace {

INPUT mouseInput(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

bool under(HWND hwnd, POINT screen) {
  HWND found = WindowFromPoint(screen);
  return found == hwnd || IsChild(hwnd, found);
}

// The window at a screen point, as a failure names it.
std::string describeWindowAt(POINT screen) {
  HWND found = WindowFromPoint(screen);
  if (!found)
    return "no window";
  char name[64] = "";
  GetClassNameA(found, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(found, &process);
  return std::string("a window of class ") + name + " \"" + windowText(found) + "\"" +
         (process == GetCurrentProcessId() ? "" : " of another process");
}

// Waits until `hwnd` is what lies under a screen point: a window that has just been activated may not be
// shown or in its place yet, and a click there would go to whatever is behind it. On a loaded machine a
// new window can take seconds to be shown, so the wait is only a guard against one that never comes.
void waitUntilUnder(HWND hwnd, POINT screen) {
  const ULONGLONG end = GetTickCount64() + 30000;
  while (!under(hwnd, screen) && GetTickCount64() < end)
    settle(20);
  if (!under(hwnd, screen))
    ADD_FAILURE() << "the point " << screen.x << "," << screen.y << " is not on the window to click but on "
                  << describeWindowAt(screen);
}

// Moves the pointer to a client point of `hwnd`; a zero relative move then makes the server report the
// pointer's new place, as a real mouse does. A press is made only on the window itself; the moves of a
// drag may leave it.
void pointAt(HWND hwnd, POINT at, bool toPress = true) {
  ClientToScreen(hwnd, &at);
  if (toPress)
    waitUntilUnder(hwnd, at);
  SetCursorPos(at.x, at.y);
  INPUT move = mouseInput(MOUSEEVENTF_MOVE);
  SendInput(1, &move, sizeof move);
}

// Sends `inputs` with `held` keys down around them, then waits for them to be handled.
void send(std::vector<INPUT> inputs, std::initializer_list<int> held) {
  std::vector<INPUT> all;
  for (int key : held)
    all.push_back(keyStroke(key, false));
  all.insert(all.end(), inputs.begin(), inputs.end());
  for (auto key = std::rbegin(held); key != std::rend(held); ++key)
    all.push_back(keyStroke(*key, true));
  SendInput(static_cast<UINT>(all.size()), all.data(), sizeof(INPUT));
  settle();
}

// Where and when the last press went: two separate clicks a user makes at one place are apart by more
// than the double-click time, or the system takes the second for a double click.
POINT t_lastPress = {-1, -1};
ULONGLONG t_lastPressAt = 0;

void waitOutDoubleClick(HWND hwnd, POINT at) {
  ClientToScreen(hwnd, &at);
  bool sameSpot = std::abs(at.x - t_lastPress.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                  std::abs(at.y - t_lastPress.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
  ULONGLONG apart = t_lastPressAt + GetDoubleClickTime() + 50;
  if (sameSpot && GetTickCount64() < apart)
    settle(static_cast<unsigned>(apart - GetTickCount64()));
  while (sameSpot && GetTickCount64() < apart)
    Sleep(10);
  t_lastPress = at;
}

void clickWith(HWND hwnd, POINT at, DWORD down, DWORD up, int times, std::initializer_list<int> held) {
  bringToFront(hwnd);
  waitOutDoubleClick(hwnd, at);
  pointAt(hwnd, at);
  std::vector<INPUT> inputs;
  for (int i = 0; i < times; ++i) {
    inputs.push_back(mouseInput(down));
    inputs.push_back(mouseInput(up));
  }
  send(inputs, held);
  t_lastPressAt = GetTickCount64();
}

} // namespace

// Dispatches this thread's waiting messages as the loop that would have taken them does: a message for a
// dialog box (or a message box) goes through IsDialogMessage, which also runs the dialog's message
// filter hooks, as the modal loop of a dialog does; other messages are translated and dispatched.
int pumpAsLoopsDo() {
  MSG msg;
  int count = 0;
  while (count < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ++count;
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for whoever runs the loop
      break;
    }
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    char name[16] = "";
    if (root)
      GetClassNameA(root, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsDialogMessageA(root, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return count;
}

void settle(unsigned milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  // Input reaches the queue through the server a moment after SendInput returns: the queue counts as
  // empty only when it stays empty for a few polls in a row.
  int quiet = 0;
  while (quiet < 3 && GetTickCount64() < end) {
    int handled = pumpAsLoopsDo();
    if (handled == 0 && GetQueueStatus(QS_ALLINPUT) == 0)
      ++quiet;
    else
      quiet = 0;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void bringToFront(HWND hwnd) {
  HWND top = GetAncestor(hwnd, GA_ROOT);
  if (!top)
    return;
  if (GetForegroundWindow() != top) {
    SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(top);
  }
  settle(500);
}

POINT centreOf(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(GetParent(child), &centre);
  return centre;
}

void click(HWND hwnd, POINT at, std::initializer_list<int> held) {
  clickWith(hwnd, at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1, held);
}

void doubleClick(HWND hwnd, POINT at, std::initializer_list<int> held) {
  clickWith(hwnd, at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2, held);
}

void rightClick(HWND hwnd, POINT at, std::initializer_list<int> held) {
  clickWith(hwnd, at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1, held);
}

void drag(HWND hwnd, POINT from, POINT to, int steps) {
  bringToFront(hwnd);
  pointAt(hwnd, from);
  send({mouseInput(MOUSEEVENTF_LEFTDOWN)}, {});
  for (int i = 1; i <= steps; ++i) {
    POINT step = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    pointAt(hwnd, step, false);
    settle();
  }
  send({mouseInput(MOUSEEVENTF_LEFTUP)}, {});
}

void sendAtOnce(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void pressKey(int virtualKey, std::initializer_list<int> held) {
  send({keyStroke(virtualKey, false), keyStroke(virtualKey, true)}, held);
}

std::vector<INPUT> keysOf(const std::string& text) {
  std::vector<INPUT> keys;
  for (char c : text) {
    SHORT scan = VkKeyScanA(c);
    if (scan == -1) {
      ADD_FAILURE() << "no key types '" << c << "'";
      continue;
    }
    const int key = LOBYTE(scan);
    const bool shifted = (HIBYTE(scan) & 1) != 0;
    if (shifted)
      keys.push_back(keyStroke(VK_SHIFT, false));
    keys.push_back(keyStroke(key, false));
    keys.push_back(keyStroke(key, true));
    if (shifted)
      keys.push_back(keyStroke(VK_SHIFT, true));
  }
  return keys;
}

void typeText(const std::string& text) {
  for (char c : text)
    send(keysOf(std::string(1, c)), {});
}

void clickControl(HWND control) { click(GetParent(control), centreOf(control)); }

void typeOver(HWND field, const std::string& text) {
  clickControl(field);
  pressKey(VK_END);
  pressKey(VK_HOME, {VK_SHIFT});
  if (text.empty())
    pressKey(VK_DELETE);
  else
    typeText(text);
}

bool sendThroughLoop(std::vector<INPUT> inputs, const ProgramLoop& loop, const std::function<bool()>& done,
                     unsigned guardMilliseconds) {
  sendAtOnce(std::move(inputs));
  const ULONGLONG guard = GetTickCount64() + guardMilliseconds;
  // The loop waits for messages: a thread timer wakes it to look at `done` again when none come.
  const UINT_PTR wake = SetTimer(nullptr, 0, 20, nullptr);
  loop([&] { return !done() && GetTickCount64() < guard; });
  KillTimer(nullptr, wake);
  return done();
}

} // namespace testsupport::realinput
