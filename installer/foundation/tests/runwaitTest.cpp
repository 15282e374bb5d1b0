#include "testfolder.h"

#include <runwait.h>

#include <gtest/gtest.h>

#include <string>

namespace {

runcommand helper(const std::string& arguments, int useshell = 0) {
  runcommand command;
  std::string line =
      useshell ? testFolder() + "runhelper.exe" : "\"" + testFolder() + "runhelper.exe\" " + arguments;
  lstrcpynA(command.command, line.c_str(), sizeof command.command);
  command.useshell = useshell;
  command.show = SW_HIDE;
  return command;
}

// Processor time of this thread, in milliseconds.
double threadTime() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

} // namespace

TEST(RunWaitTest, ExitWaitGivesTheExitCode) {
  struct Case {
    const char* name;
    int exitCode;
  };
  for (const Case& c : {Case{"zero", 0}, Case{"seven", 7}, Case{"large", 300}}) {
    DWORD code = 12345;
    EXPECT_EQ(1, RunWaitExit(helper("exit " + std::to_string(c.exitCode)), &code)) << c.name;
    EXPECT_EQ(static_cast<DWORD>(c.exitCode), code) << c.name;
  }
  EXPECT_EQ(THREAD_PRIORITY_NORMAL, GetThreadPriority(GetCurrentThread()));
  EXPECT_EQ(1, RunWaitExit(helper("exit 3"), nullptr));
}

TEST(RunWaitTest, ThroughTheShellTheProcessIsWaitedFor) {
  // The shell opens the file alone, without arguments: the helper ends with its usage code 2.
  DWORD code = 99;
  EXPECT_EQ(1, RunWaitExit(helper("", 1), &code));
  EXPECT_EQ(2u, code);
}

TEST(RunWaitTest, WindowWaitEndsWhenTheWindowHasComeAndGoneWithoutSpinning) {
  DWORD start = GetTickCount();
  double cpuBefore = threadTime();
  EXPECT_EQ(1, RunWaitWindow(helper("window \"Run helper\" 300 600"), "KxRunHelper", "Run helper"));
  DWORD elapsed = GetTickCount() - start;
  double cpu = threadTime() - cpuBefore;
  EXPECT_GE(elapsed, 800u);
  EXPECT_FALSE(FindWindowA("KxRunHelper", "Run helper"));
  EXPECT_LT(cpu, elapsed * 0.3) << "processor time " << cpu << " ms in " << elapsed << " ms";

  // An empty class name matches any class.
  EXPECT_EQ(1, RunWaitWindow(helper("window \"Other title\" 100 200"), "", "Other title"));
  EXPECT_FALSE(FindWindowA(nullptr, "Other title"));
}

TEST(RunWaitTest, ExitWaitSleepsOnTheProcess) {
  DWORD start = GetTickCount();
  double cpuBefore = threadTime();
  DWORD code = 99;
  EXPECT_EQ(1, RunWaitExit(helper("window Slow 500 100"), &code));
  DWORD elapsed = GetTickCount() - start;
  double cpu = threadTime() - cpuBefore;
  EXPECT_EQ(0u, code);
  EXPECT_GE(elapsed, 500u);
  EXPECT_LT(cpu, elapsed * 0.3) << "processor time " << cpu << " ms in " << elapsed << " ms";
}

TEST(RunWaitTest, NoWaitAndFailures) {
  EXPECT_EQ(1, RunNoWait(helper("exit 0")));
  runcommand missing;
  lstrcpyA(missing.command, "c:\\no\\such\\program.exe");
  DWORD code = 99;
  EXPECT_EQ(0, RunWaitExit(missing, &code));
  EXPECT_EQ(99u, code);
  EXPECT_EQ(THREAD_PRIORITY_NORMAL, GetThreadPriority(GetCurrentThread()));

  exitwaitpolicy noProcess(&code);
  noProcess.running = 1;
  noProcess.poll();
  EXPECT_EQ(0, noProcess.running);
  EXPECT_EQ(99u, code);
}
