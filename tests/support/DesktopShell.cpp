#include <tests/support/DesktopShell.h>

#include <string>

namespace testsupport {

namespace {

constexpr int kAttempts = 3;
// A hang guard: a shell is ready in well under a second on an idle machine and in a few on a loaded one.
constexpr DWORD kReadyBoundMs = 60000;

std::string attemptText(const char* desktop, int attempt) {
  return "the shell for desktop \"" + std::string(desktop) + "\" (attempt " + std::to_string(attempt) +
         " of " + std::to_string(kAttempts) + ") ";
}

} // namespace

HANDLE startExplorer(const char* desktop) {
  char station[MAX_PATH] = "";
  GetUserObjectInformationA(GetProcessWindowStation(), UOI_NAME, station, sizeof station, nullptr);
  std::string fullName = std::string(station) + "\\" + desktop;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.lpDesktop = fullName.data();
  char command[] = "C:\\windows\\system32\\explorer.exe /desktop";
  PROCESS_INFORMATION started = {};
  // A 32-bit program starts the same 64-bit shell as Wine does, not a copy from the 32-bit folder.
  void* redirection = nullptr;
  BOOL redirectionOff = Wow64DisableWow64FsRedirection(&redirection);
  BOOL ok = CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, "C:\\windows\\system32",
                           &startup, &started);
  if (redirectionOff)
    Wow64RevertWow64FsRedirection(redirection);
  if (!ok)
    return nullptr;
  CloseHandle(started.hThread);
  return started.hProcess;
}

bool startDesktopShell(const char* desktop, std::string& report, const ShellStart& start) {
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    HANDLE process = start(desktop);
    if (!process) {
      report += attemptText(desktop, attempt) + "could not be started, error " +
                std::to_string(GetLastError()) + "\n";
      continue;
    }
    DWORD waited = WaitForInputIdle(process, kReadyBoundMs);
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    if (exitCode == STILL_ACTIVE && waited == 0)
      return true;
    if (waited == WAIT_TIMEOUT) {
      report += attemptText(desktop, attempt) + "was not ready after " +
                std::to_string(kReadyBoundMs / 1000) + " s\n";
      return false;
    }
    if (exitCode == STILL_ACTIVE) {
      report += attemptText(desktop, attempt) + "runs but cannot be waited for\n";
      return false;
    }
    report += attemptText(desktop, attempt) + "ended before it was ready, exit code " +
              std::to_string(exitCode) + "\n";
  }
  return false;
}

} // namespace testsupport
