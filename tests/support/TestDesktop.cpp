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

// The shell of the program's desktop: Wine starts it as a child of the process that makes the
// desktop's first window. Null where this program started none.
HANDLE openShellProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE)
    return nullptr;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  HANDLE shell = nullptr;
  for (BOOL more = Process32First(snapshot, &entry); more && !shell; more = Process32Next(snapshot, &entry))
    if (entry.th32ParentProcessID == GetCurrentProcessId() && !lstrcmpiA(entry.szExeFile, "explorer.exe"))
      shell = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
  CloseHandle(snapshot);
  return shell;
}

} // namespace

// Wine ends a desktop's shell a second after the desktop's last other user leaves, but only when, at
// that moment, it counts no user besides the shell's own threads: one that still uses the desktop, or a
// count taken while the shell starts a thread of its own, leaves the shell running, with the test's
// error output, and CTest waits on a finished test. So the program ends its shell itself: it closes the
// desktop's window, as Wine's own close does, and a shell still busy starting up, which may not get to
// that message, is ended after a while. Where the shell never started, asking for the desktop window
// would start one: only the shell this program started is closed.
void leaveOwnDesktop() {
  EnumDesktopWindows(GetThreadDesktop(GetCurrentThreadId()), closeOthersWindow, 0);
  HANDLE shell = openShellProcess();
  if (!shell)
    return;
  PostMessageA(GetDesktopWindow(), WM_CLOSE, 0, 0);
  if (WaitForSingleObject(shell, 2000) == WAIT_TIMEOUT)
    TerminateProcess(shell, 0);
  CloseHandle(shell);
}

} // namespace testsupport
