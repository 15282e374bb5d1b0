#include <tests/support/ProgramJob.h>

namespace testsupport {

HANDLE makeJobThatEndsItsProcesses() {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (!job)
    return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

// The handle is never closed here: the system closes it when the program ends, which ends the rest.
bool endStartedProcessesWithThisProgram() {
  HANDLE job = makeJobThatEndsItsProcesses();
  if (job && AssignProcessToJobObject(job, GetCurrentProcess()))
    return true;
  if (job)
    CloseHandle(job);
  return false;
}

} // namespace testsupport
