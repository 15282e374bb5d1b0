#include <engine/operations/ProgramGroupsManager.h>

#include <engine/operations/ShellFolderGroups.h>

#include <foundation/registry/osinfo.h>

namespace {

// The process started for Program Manager, so that one that never answers can be ended again.
PROCESS_INFORMATION started = {};

int StartProgman() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOW;
  char command[] = "progman.exe";
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return 0;
  WaitForInputIdle(started.hProcess, 5000);
  return 1;
}

void StopProgman() {
  if (!started.hProcess)
    return;
  TerminateProcess(started.hProcess, 0);
  CloseHandle(started.hProcess);
  CloseHandle(started.hThread);
  started = {};
}

} // namespace

ProgramGroupsManager& ProgramGroupsManager::instance() {
  static ProgramGroupsManager manager;
  return manager;
}

ProgramGroupsManager::Environment ProgramGroupsManager::SystemEnvironment() {
  Environment environment;
  osinfo platform;
  platform.detect();
  environment.progman.start = StartProgman;
  environment.progman.shellIsProgman = !platform.shellreplaced;
  environment.stop = StopProgman;
  // Every platform with the new shell has the Programs folder, not only the Windows 95 family.
  environment.windows95Family = platform.kind == OsWindows95 || platform.newshell;
  return environment;
}

ProgramGroupsManager::ProgramGroupsManager() : environment_(SystemEnvironment()) {}

// Program Manager when it runs already; shell folders on platforms that have them; else Program
// Manager started here, falling back to shell folders when what was started does not answer.
int ProgramGroupsManager::Choose() {
  auto progman = std::make_unique<ProgmanGroups>(environment_.progman);
  if (progman->startup(0)) {
    current_ = std::move(progman);
    return 1;
  }
  auto folders = std::make_unique<ShellFolderGroups>();
  if (environment_.windows95Family) {
    if (!folders->startup(1))
      return 0;
    current_ = std::move(folders);
    return 1;
  }
  if (progman->startup(1)) {
    current_ = std::move(progman);
    startedByUs_ = 1;
    return 1;
  }
  if (environment_.stop)
    environment_.stop();
  if (!folders->startup(1))
    return 0;
  current_ = std::move(folders);
  return 1;
}

int ProgramGroupsManager::acquire() {
  if (useCount_ == 0 && !current_ && !Choose())
    return 0;
  ++useCount_;
  return 1;
}

void ProgramGroupsManager::release(int close) {
  if (useCount_ == 0 || --useCount_ > 0)
    return;
  current_->shutdown(startedByUs_ && close);
  current_.reset();
  startedByUs_ = 0;
}
