#include <tests/support/TestDesktop.h>
#include <tests/support/TestProgram.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <thread>

using namespace testsupport;

namespace {

// Holds a thread on another program's desktop until released: to the system, a program that still
// uses that desktop.
class DesktopUser {
public:
  explicit DesktopUser(HDESK desktop)
      : joined_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this, desktop] {
          SetThreadDesktop(desktop);
          SetEvent(joined_);
          WaitForSingleObject(release_, INFINITE);
        }) {
    WaitForSingleObject(joined_, 10000);
  }
  ~DesktopUser() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(joined_);
    CloseHandle(release_);
  }

private:
  HANDLE joined_, release_;
  std::thread thread_;
};

// Reads a pipe to its end on a thread of its own; `ended` is set when every writer has closed it.
class PipeReader {
public:
  explicit PipeReader(HANDLE pipe)
      : ended(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this, pipe] {
          char buffer[4096];
          DWORD read = 0;
          while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read)
            output.append(buffer, read);
          SetEvent(ended);
        }) {}
  ~PipeReader() {
    thread_.join();
    CloseHandle(ended);
  }

  HANDLE ended;
  std::string output;

private:
  std::thread thread_;
};

} // namespace

// CTest reads a test program's output until every process that holds it has closed it, and the shell of
// the program's desktop holds its error output. The shell must end with the program, even where the
// system would keep it: here another program still uses the desktop when the test program ends.
TEST(TestDesktopTest, TheShellOfAProgramsDesktopEndsWithTheProgram) {
  std::string base = "desktop-shell-" + std::to_string(GetCurrentProcessId());
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, (base + "-ready").c_str());
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, (base + "-go").c_str());
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  SetEnvironmentVariableA("DESKTOP_SHELL_EVENTS", base.c_str());
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  PROCESS_INFORMATION child{};
  std::string command = "\"" + testProgramFolder() + "desktopshellchild.exe" + "\"";
  BOOL started =
      CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
  SetEnvironmentVariableA("DESKTOP_SHELL_EVENTS", nullptr);
  CloseHandle(writeEnd);
  ASSERT_TRUE(started) << GetLastError();
  PipeReader reader(readEnd);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, 60000));

  HDESK desktop = OpenDesktopA(testDesktopName(child.dwProcessId).c_str(), 0, FALSE, GENERIC_ALL);
  ASSERT_NE(nullptr, desktop);
  {
    DesktopUser stays(desktop);
    SetEvent(go);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.hProcess, 60000));
    DWORD code = 1;
    GetExitCodeProcess(child.hProcess, &code);
    EXPECT_EQ(0u, code) << reader.output;
    // Far above the moment it takes; without the close the output stays open as long as the desktop
    // has its other user.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(reader.ended, 20000))
        << "the child's output is still open after it ended";
  }
  WaitForSingleObject(reader.ended, 60000);
  CloseDesktop(desktop);
  CloseHandle(child.hProcess);
  CloseHandle(child.hThread);
  CloseHandle(ready);
  CloseHandle(go);
}
