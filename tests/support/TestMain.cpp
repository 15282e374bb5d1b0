#include <windows.h>

#include <gmock/gmock.h>

// Every test program runs on a desktop of its own. Test programs run side by side, and on one shared
// desktop Wine lets them take activation and focus from each other, so a test that checks where the
// focus went could fail because of its neighbour.
static void useOwnDesktop() {
  char name[64];
  wsprintfA(name, "test%lu", GetCurrentProcessId());
  HDESK desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desktop)
    SetThreadDesktop(desktop);
}

// Closes what other programs left open on the test's desktop, such as the folder window the shell
// shows for a program group an installer asked it to show. Such a window keeps the desktop, and with
// it the shell's process, alive after the test program ends; that process inherited the program's
// error output, so whoever reads it (CTest) would wait for a test long finished.
static BOOL CALLBACK closeOthersWindow(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() && IsWindowVisible(window))
    PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

int main(int argc, char** argv) {
  useOwnDesktop();
  testing::InitGoogleMock(&argc, argv);
  int result = RUN_ALL_TESTS();
  EnumDesktopWindows(GetThreadDesktop(GetCurrentThreadId()), closeOthersWindow, 0);
  return result;
}
