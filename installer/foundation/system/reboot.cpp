#include <foundation/system/reboot.h>

namespace {

class systemrebootcalls : public rebootcalls {};

systemrebootcalls systemCalls;
rebootcalls* currentCalls = &systemCalls;

// The short form of a path; the long form when the short one cannot be made (a target that does
// not exist yet has no short name).
void shortOrLong(const cpath& path, fpathbuf& out) {
  if (out.set(path.str()) && fpath::toshort(out))
    return;
  out.set(path.str());
}

} // namespace

rebootcalls* SetRebootCalls(rebootcalls* calls) {
  rebootcalls* previous = currentCalls;
  currentCalls = calls ? calls : &systemCalls;
  return previous;
}

int RestartWindows() {
  HANDLE token;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_WRITE | TOKEN_QUERY, &token)) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
      AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
  }
  return currentCalls->exitwindows(EWX_REBOOT);
}

// The rename list is carried out only by systems that have no delayed move (their MoveFileExA is a stub
// that answers ERROR_CALL_NOT_IMPLEMENTED). Where the delayed move exists and fails (no rights to
// record it), the list would never be read, and the failure is the answer.
int RenameOnReboot(const cpath& source, const cpath& target) {
  if (currentCalls->movefileex(source.str(), target.str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT))
    return 1;
  if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
    return 0;
  fpathbuf shortSource, shortTarget;
  shortOrLong(source, shortSource);
  shortOrLong(target, shortTarget);
  return WritePrivateProfileStringA("rename", shortTarget.str(), shortSource.str(),
                                    currentCalls->renamefile()) != 0;
}
