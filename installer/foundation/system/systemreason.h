#pragma once

#include <windows.h>

#include <string>

// The system's own words for an error code (GetLastError's), for a report that says why an operation
// failed ("There is not enough space on the disk."): one line, without the trailing line end; the
// code's number when the system has no text for it.
std::string SystemReason(DWORD error);
