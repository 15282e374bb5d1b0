#include <foundation/system/runwait.h>

#include <foundation/paths/pathparts.h>
#include <foundation/windows/msgloop.h>

#include <shellapi.h>

namespace {

// Longest sleep between polls of a policy that has nothing to wait on; messages wake it sooner.
constexpr DWORD PollInterval = 50;

// A quit that the pump posted again for the loop that owns it counts as new posted input and would wake
// the wait at once, every time: while it is pending, posted messages do not wake the wait (the next poll
// still handles them).
DWORD wakeMask() {
  MSG quit;
  if (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
    return QS_ALLINPUT & ~QS_POSTMESSAGE;
  return QS_ALLINPUT;
}

void waitForWork(const waitpolicy& policy) {
  HANDLE object = policy.waitobject();
  MsgWaitForMultipleObjects(object ? 1 : 0, object ? &object : nullptr, FALSE, PollInterval, wakeMask());
}

// The handle tells a real exit: a program may end with the code STILL_ACTIVE itself.
int hasEnded(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

} // namespace

windowwaitpolicy::windowwaitpolicy(const char* windowclass, const char* title) {
  lstrcpynA(class_, windowclass ? windowclass : "", sizeof class_);
  lstrcpynA(title_, title ? title : "", sizeof title_);
}

int windowwaitpolicy::begin() {
  seen_ = 0;
  return 1;
}

// A window shown for less than one poll, or a program that ends without showing it, would keep the
// wait going for ever: the wait also ends when the program has ended and no such window is up.
void windowwaitpolicy::poll() {
  int found = FindWindowA(class_[0] ? class_ : nullptr, title_[0] ? title_ : nullptr) != nullptr;
  if ((seen_ && !found) || (!found && process && hasEnded(process)))
    running = 0;
  seen_ = found;
}

int exitwaitpolicy::begin() {
  priority_ = GetThreadPriority(GetCurrentThread());
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST);
  return 1;
}

void exitwaitpolicy::poll() {
  if (!process) {
    running = 0;
    return;
  }
  if (!hasEnded(process))
    return;
  DWORD exitCode;
  if (code_ && GetExitCodeProcess(process, &exitCode))
    *code_ = exitCode;
  running = 0;
}

void exitwaitpolicy::end() { SetThreadPriority(GetCurrentThread(), priority_); }

int RunProgram(const runcommand& command, HANDLE& process) {
  process = nullptr;
  if (command.useshell) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOCLOSEPROCESS;
    request.lpFile = command.command;
    request.nShow = command.show;
    if (!ShellExecuteExA(&request))
      return 0;
    process = request.hProcess;
    return 1;
  }
  char line[sizeof command.command];
  CopyText(line, sizeof line, command.command);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(command.show);
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return 0;
  CloseHandle(started.hThread);
  process = started.hProcess;
  return 1;
}

int RunAndWait(waitpolicy& policy, const runcommand& command) {
  policy.process = nullptr;
  if (!policy.begin())
    return 0;
  policy.running = 1;
  if (!RunProgram(command, policy.process)) {
    policy.end();
    return 0;
  }
  for (;;) {
    MessageLoop().pump(1);
    policy.poll();
    if (!policy.running)
      break;
    waitForWork(policy);
  }
  if (policy.process)
    CloseHandle(policy.process);
  policy.process = nullptr;
  policy.end();
  return 1;
}

int RunNoWait(const runcommand& command) {
  nowaitpolicy policy;
  return RunAndWait(policy, command);
}

int RunWaitWindow(const runcommand& command, const char* windowclass, const char* title) {
  windowwaitpolicy policy(windowclass, title);
  return RunAndWait(policy, command);
}

int RunWaitExit(const runcommand& command, DWORD* code) {
  exitwaitpolicy policy(code);
  return RunAndWait(policy, command);
}
