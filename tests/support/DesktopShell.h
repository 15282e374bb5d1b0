#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

// Starts one shell process for the named desktop of this process's window station and answers its
// process handle (the caller closes it), or null when none could be started.
using ShellStart = std::function<HANDLE(const char* desktop)>;

// The system's shell in its desktop role, the process Wine itself would start for a desktop.
HANDLE startExplorer(const char* desktop);

// Gives the named desktop its shell and waits until the shell is ready, which under Wine means the
// desktop's window exists with the display driver attached. Wine starts that shell itself at a desktop's
// first window but waits only 10 seconds for it, and when the shell fails to start or is late, it makes
// a bare desktop window instead: every window of the process then fails to be made, for the rest of
// its life. A shell that ends before it is ready is started again (a few times); one still not ready
// after a generous bound is left to Wine. `report` gets a line for each attempt that went wrong, so that
// a restart shows in the test's output; answers whether a shell was ready.
bool startDesktopShell(const char* desktop, std::string& report, const ShellStart& start = startExplorer);

} // namespace testsupport
