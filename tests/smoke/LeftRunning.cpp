// A test program whose first test starts a program that would run for minutes (this program, in its
// second test) and leaves it running, writing its process id into the file the environment's
// LEFT_RUNNING_PID_FILE names. `ProgramJobTest` runs it to see whether what a test program started
// outlives it; CTest never runs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

TEST(LeftRunning, StartsAProgramAndLeavesItRunning) {
  char pidFile[MAX_PATH] = "";
  ASSERT_NE(GetEnvironmentVariableA("LEFT_RUNNING_PID_FILE", pidFile, sizeof pidFile), 0u);
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string command = "\"" + std::string(self) + "\" --gtest_filter=LeftRunning.WaitsToBeEnded";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &started));
  std::ofstream(pidFile) << started.dwProcessId;
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
}

TEST(LeftRunning, WaitsToBeEnded) { Sleep(300000); }
