#include <tests/support/TempDir.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// The folder this test program was started from, where the build puts its sibling programs.
std::string ownFolder() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

// Runs the command to its end (a bound only against a hang) and answers its exit code, or -1.
long runToItsEnd(std::string command) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started))
    return -1;
  CloseHandle(started.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(started.hProcess, 120000) == WAIT_OBJECT_0)
    GetExitCodeProcess(started.hProcess, &code);
  CloseHandle(started.hProcess);
  return static_cast<long>(code);
}

} // namespace

// A program a test starts inherits the test program's error output; left running, it keeps whoever reads
// that output waiting for a test long finished. Whatever a test program started ends with it.
TEST(ProgramJobTest, WhatATestProgramStartedEndsWithIt) {
  testsupport::TempDir dir;
  std::string pidFile = dir.file("pid.txt");
  SetEnvironmentVariableA("LEFT_RUNNING_PID_FILE", pidFile.c_str());
  ASSERT_EQ(runToItsEnd("\"" + ownFolder() +
                        "\\leftrunning.exe\" --gtest_filter=LeftRunning.StartsAProgramAndLeavesItRunning"),
            0);
  SetEnvironmentVariableA("LEFT_RUNNING_PID_FILE", nullptr);
  DWORD pid = 0;
  std::ifstream(pidFile) >> pid;
  ASSERT_NE(pid, 0u) << "the test program started nothing";
  HANDLE left = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
  if (!left)
    return;
  DWORD waited = WaitForSingleObject(left, 10000);
  if (waited != WAIT_OBJECT_0)
    TerminateProcess(left, 1);
  CloseHandle(left);
  EXPECT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0))
      << "the program it started was still running 10 s later";
}
