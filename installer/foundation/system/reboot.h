#pragma once

#include <foundation/paths/fpath.h>

#include <windows.h>

// Restarting the session and replacing files at the next start. Both reach the system through one
// seam, so that a test can neither restart the session nor leave a rename for the next start.
class rebootcalls {
public:
  virtual int exitwindows(UINT flags) { return ExitWindowsEx(flags, 0) != 0; }
  // 0 on failure, with the reason in GetLastError.
  virtual int movefileex(const char* source, const char* target, DWORD flags) {
    return MoveFileExA(source, target, flags) != 0;
  }
  // The initialisation file that lists replacements for systems without delayed moves.
  virtual const char* renamefile() { return "wininit.ini"; }

protected:
  ~rebootcalls() = default;
};

// Installs the calls to use (none gives the system's back); answers the previous ones.
rebootcalls* SetRebootCalls(rebootcalls* calls);

// Enables the shutdown privilege when the process token allows it, then restarts; 1 when the restart
// was accepted.
int RestartWindows();
// Replaces `target` by `source` at the next start: a delayed move, else, on systems without delayed
// moves, an entry of section "rename" of "wininit.ini" (key the target, value the source, short names
// where they can be made). 1 when recorded; 0 when a delayed move that exists failed.
int RenameOnReboot(const cpath& source, const cpath& target);
