#include <tests/support/MessagePump.h>

#include <windows.h>

namespace testsupport {

int pumpMessages(int limit) {
  MSG msg;
  int count = 0;
  while (count < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for whoever runs the loop
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    ++count;
  }
  return count;
}

void pumpFor(unsigned milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    pumpMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool pumpUntil(const std::function<bool()>& done, unsigned guardMilliseconds) {
  const ULONGLONG guard = GetTickCount64() + guardMilliseconds;
  while (!done()) {
    if (GetTickCount64() >= guard)
      return false;
    pumpMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

namespace {

thread_local std::function<void()> t_later;
thread_local ULONGLONG t_laterBy = 0;

// A dialog box is activated before its modal loop shows it, which happens only once that loop finds no
// message waiting: the work waits (on a timer, so that the loop does go idle) until the active window
// shows, for two seconds at the most.
void CALLBACK runLaterNow(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND active = GetActiveWindow();
  if (active && !IsWindowVisible(active) && GetTickCount64() < t_laterBy)
    return;
  KillTimer(nullptr, timer);
  std::function<void()> work = std::move(t_later);
  if (work)
    work();
}

} // namespace

void runLater(std::function<void()> work) {
  t_later = std::move(work);
  t_laterBy = GetTickCount64() + 2000;
  SetTimer(nullptr, 0, 10, runLaterNow);
}

} // namespace testsupport
