#pragma once

#include <windows.h>

// The one report of an allocation that failed: a system-modal error box owned by `owner` (may be none).
// The operation that asked then fails.
void FatalOutOfMemory(HWND owner);
