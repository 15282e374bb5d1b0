#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Every test program runs on a desktop of its own, named after its process.
std::string testDesktopName(DWORD process);
// Moves the calling (main) thread onto the program's own desktop, before its first window.
void useOwnDesktop();
// Closes what is left on the program's desktop when its tests have run, its shell last.
void leaveOwnDesktop();

} // namespace testsupport
