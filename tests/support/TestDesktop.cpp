#include <tests/support/TestDesktop.h>

#include <tlhelp32.h>

namespace testsupport {

std::string testDesktopName(DWORD process) { return "test" + std::to_string(process); }

// Test programs run side by side, and on one shared desktop Wine lets them take activation and focus
// from each other, so a test that checks where the focus went could fail because of its neighbour.
void useOwnDesktop() {
  HDESK desktop = CreateDesktopA(testDesktopName(GetCurrentProcessId()).c_str(), nullptr, nullptr, 0,
                                 GENERIC_ALL, nullptr);
  if (desktop)
    SetThreadDesktop(desktop);
}

namespace {

// Closes what other programs left open on the test's desktop, such as the folder window the shell
// shows for a program group an installer asked it to show. Such a window keeps the desktop, and with
// it the shell's process, alive after the test program ends; that process inherited the program's
// error output, so whoever reads it (CTest) would wait for a test long finished.
BOOL CALLBACK closeOthersWindow(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId() && IsWindowVisible(window))
    PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

// Wine starts a desktop's shell as a child of the process that makes the desktop's first window.
bool startedTheShell() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !found; more = Process32Next(snapshot, &entry))
    found = entry.th32ParentProcessID == GetCurrentProcessId() && !lstrcmpiA(entry.szExeFile, "explorer.exe");
  CloseHandle(snapshot);
  return found;
}

} // namespace

// Wine ends a desktop's shell a second after the desktop's last other user leaves, but only when, at
// that moment, it counts no user besides the shell's own threads: one that still uses the desktop, or a
// count taken while the shell starts a thread of its own, leaves the shell running, with the test's
// error output, and CTest waits on a finished test. Closing the desktop's window is what Wine's own
// close does: the shell leaves its loop and ends. Where the shell never started, asking for the desktop
// window would start one: only the shell this program started is closed.
void leaveOwnDesktop() {
  EnumDesktopWindows(GetThreadDesktop(GetCurrentThreadId()), closeOthersWindow, 0);
  if (startedTheShell())
    PostMessageA(GetDesktopWindow(), WM_CLOSE, 0, 0);
}

} // namespace testsupport
