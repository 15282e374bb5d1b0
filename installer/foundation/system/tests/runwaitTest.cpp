#include <tests/support/TestProgram.h>

#include <foundation/system/runwait.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

runcommand helper(const std::string& arguments, int useshell = 0) {
  runcommand command;
  std::string line = useshell ? testsupport::testProgramFolder() + "runhelper.exe"
                              : "\"" + testsupport::testProgramFolder() + "runhelper.exe\" " + arguments;
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

DWORD WINAPI runJob(void* parameter) {
  auto* job = static_cast<std::function<void()>*>(parameter);
  (*job)();
  delete job;
  return 0;
}

// Runs `wait` on a thread of its own; 1 when it returned within `milliseconds`. A wait that never ends
// is left behind on its thread, so that the test fails instead of hanging.
int returnsWithin(DWORD milliseconds, std::function<void()> wait) {
  HANDLE thread = CreateThread(nullptr, 0, runJob, new std::function<void()>(std::move(wait)), 0, nullptr);
  int returned = WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
  CloseHandle(thread);
  return returned;
}

// A helper process that has already ended.
HANDLE endedHelper(const std::string& arguments) {
  HANDLE process = nullptr;
  if (!RunProgram(helper(arguments), process))
    return nullptr;
  WaitForSingleObject(process, INFINITE);
  return process;
}

} // namespace

TEST(RunWaitTest, ExitWaitGivesTheExitCode) {
  struct Case {
    const char* name;
    int exitCode;
  };
  for (const Case& c : {Case{"zero", 0}, Case{"seven", 7}, Case{"large", 300}, Case{"still active", 259}}) {
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

TEST(RunWaitTest, TheProcessHandleTellsTheExitEvenWithTheCodeStillActive) {
  HANDLE process = endedHelper("exit 259");
  ASSERT_TRUE(process);
  DWORD code = 0;
  exitwaitpolicy exitWait(&code);
  exitWait.process = process;
  exitWait.running = 1;
  exitWait.poll();
  EXPECT_EQ(0, exitWait.running);
  EXPECT_EQ(259u, code);

  windowwaitpolicy windowWait("KxRunHelper", "Never shown");
  windowWait.begin();
  windowWait.process = process;
  windowWait.running = 1;
  windowWait.poll();
  EXPECT_EQ(0, windowWait.running) << "the program ended without its window";
  CloseHandle(process);
}

TEST(RunWaitTest, WindowWaitEndsWithTheProgramWhenTheWindowIsMissed) {
  struct Case {
    const char* name;
    const char* arguments;
  };
  for (const Case& c :
       {Case{"shown shorter than a poll", "window Brief 200 1"}, Case{"never shown", "exit 0"}}) {
    int result = 0;
    EXPECT_TRUE(returnsWithin(10000, [&] {
      result = RunWaitWindow(helper(c.arguments), "KxRunHelper", "Brief");
    })) << c.name;
    EXPECT_EQ(1, result) << c.name;
  }
}

TEST(RunWaitTest, WaitsSleepWhileOnlyAQuitIsPending) {
  struct Case {
    const char* name;
    std::function<int()> run;
  };
  const Case cases[] = {
      {"exit", [] { return RunWaitExit(helper("window Slow 700 100"), nullptr); }},
      {"window", [] { return RunWaitWindow(helper("window Slow 300 500"), "KxRunHelper", "Slow"); }},
  };
  for (const Case& c : cases) {
    PostQuitMessage(5);
    DWORD start = GetTickCount();
    double cpuBefore = threadTime();
    EXPECT_EQ(1, c.run()) << c.name;
    DWORD elapsed = GetTickCount() - start;
    double cpu = threadTime() - cpuBefore;
    EXPECT_GE(elapsed, 700u) << c.name;
    EXPECT_LT(cpu, elapsed * 0.3) << c.name << ": processor time " << cpu << " ms in " << elapsed << " ms";
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.name << ": the quit is kept";
    EXPECT_EQ(5u, quit.wParam) << c.name;
  }
}
