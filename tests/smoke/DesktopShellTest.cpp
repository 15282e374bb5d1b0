#include <tests/support/DesktopShell.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::startDesktopShell;

namespace {

// A shell that failed to start: its process has ended, with this exit code, by the time it is handed over.
HANDLE startEndedShell(const char*) {
  char command[] = "C:\\windows\\system32\\cmd.exe /c exit 3";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &started))
    return nullptr;
  CloseHandle(started.hThread);
  WaitForSingleObject(started.hProcess, 60000);
  return started.hProcess;
}

HANDLE startNothing(const char*) {
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

enum class Kind { Ended, Explorer, Nothing };

// A desktop of the test's own and the shells started for it, in order.
class ShellFixture {
public:
  explicit ShellFixture(std::vector<Kind> kinds) : kinds_(std::move(kinds)) {
    static int serial = 0;
    name_ = "shelltest" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    desktop_ = CreateDesktopA(name_.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  }
  ~ShellFixture() {
    if (desktop_)
      CloseDesktop(desktop_);
  }
  const char* name() const { return name_.c_str(); }
  bool made() const { return desktop_ != nullptr; }

  testsupport::ShellStart start() {
    return [this](const char* desktop) {
      Kind kind = calls_ < kinds_.size() ? kinds_[calls_] : Kind::Nothing;
      ++calls_;
      HANDLE process = kind == Kind::Ended      ? startEndedShell(desktop)
                       : kind == Kind::Explorer ? testsupport::startExplorer(desktop)
                                                : startNothing(desktop);
      if (kind == Kind::Explorer && process)
        shells_.push_back(GetProcessId(process));
      return process;
    };
  }
  size_t calls() const { return calls_; }
  const std::vector<DWORD>& explorers() const { return shells_; }

  // The process behind the desktop's own window, as a thread of that desktop sees it.
  DWORD desktopWindowProcess() {
    HANDLE thread = CreateThread(nullptr, 0, &ShellFixture::readDesktopWindow, this, 0, nullptr);
    WaitForSingleObject(thread, 60000);
    CloseHandle(thread);
    return windowProcess_;
  }

private:
  static DWORD WINAPI readDesktopWindow(void* self) {
    auto* fixture = static_cast<ShellFixture*>(self);
    if (SetThreadDesktop(fixture->desktop_))
      GetWindowThreadProcessId(GetDesktopWindow(), &fixture->windowProcess_);
    return 0;
  }

  std::vector<Kind> kinds_;
  std::string name_;
  HDESK desktop_ = nullptr;
  size_t calls_ = 0;
  std::vector<DWORD> shells_;
  DWORD windowProcess_ = 0;
};

struct ShellCase {
  const char* name;
  std::vector<Kind> starts;
  bool ready;
  size_t attempts;
  std::vector<const char*> reported;
};

// Starts the row's shells for the fixture's desktop and checks what every row shares: the answer, the
// number of attempts and the lines reported for them; answers the report.
std::string startAndCheck(ShellFixture& fixture, const ShellCase& row) {
  std::string report;
  EXPECT_EQ(startDesktopShell(fixture.name(), report, fixture.start()), row.ready);
  EXPECT_EQ(fixture.calls(), row.attempts);
  for (const char* line : row.reported)
    EXPECT_NE(report.find(line), std::string::npos) << report;
  return report;
}

// Without a shell of its own a desktop gets a bare window from Wine, and no window of the program that
// asked for it can then be made: a shell that ends before it is ready is started again, and the desktop's
// window is the one of the shell that came up.
TEST(DesktopShellTest, TheDesktopsWindowComesFromAShellThatCameUp) {
  const ShellCase cases[] = {
      {"a shell ready at once", {Kind::Explorer}, true, 1, {}},
      {"a shell that ends at its start, then one that comes up",
       {Kind::Ended, Kind::Explorer},
       true,
       2,
       {"(attempt 1 of 3) ended before it was ready, exit code 3"}},
  };
  for (const ShellCase& row : cases) {
    SCOPED_TRACE(row.name);
    ShellFixture fixture(row.starts);
    ASSERT_TRUE(fixture.made());
    std::string report = startAndCheck(fixture, row);
    if (row.reported.empty()) {
      EXPECT_EQ(report, "");
    }
    ASSERT_EQ(fixture.explorers().size(), 1u);
    EXPECT_EQ(fixture.desktopWindowProcess(), fixture.explorers()[0]);
  }
}

// A shell that never comes up ends the attempts after a few, each one named, instead of waiting for ever.
TEST(DesktopShellTest, AShellThatNeverComesUpIsGivenUpWithEveryAttemptReported) {
  const ShellCase cases[] = {
      {"shells that end at their start",
       {Kind::Ended, Kind::Ended, Kind::Ended, Kind::Explorer},
       false,
       3,
       {"(attempt 1 of 3) ended before it was ready, exit code 3",
        "(attempt 3 of 3) ended before it was ready, exit code 3"}},
      {"no shell process at all",
       {Kind::Nothing, Kind::Nothing, Kind::Nothing},
       false,
       3,
       {"(attempt 3 of 3) could not be started, error 2"}},
  };
  for (const ShellCase& row : cases) {
    SCOPED_TRACE(row.name);
    ShellFixture fixture(row.starts);
    ASSERT_TRUE(fixture.made());
    std::string report = startAndCheck(fixture, row);
    EXPECT_NE(report.find(fixture.name()), std::string::npos) << report;
  }
}

} // namespace
