#pragma once

#include <windows.h>

namespace testsupport {

// A job whose processes are all ended when its last handle closes; null when the system refuses one.
HANDLE makeJobThatEndsItsProcesses();

// Puts this program, and with it every process it starts from now on, into such a job and keeps the
// handle open for the program's life: whatever the program started ends with it. Answers whether it
// could.
bool endStartedProcessesWithThisProgram();

} // namespace testsupport
