#include <foundation/registry/osinfo.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char* shellValue = nullptr;
std::string keyAsked;

int fakeReader(const char* keyPath, char* buffer, int size) {
  keyAsked = keyPath;
  if (!shellValue || static_cast<int>(std::strlen(shellValue)) >= size)
    return 0;
  std::strcpy(buffer, shellValue);
  return 1;
}

OSVERSIONINFOA version(DWORD platform, DWORD major, DWORD minor) {
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof v;
  v.dwPlatformId = platform;
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  return v;
}

} // namespace

TEST(OsinfoTest, DetectsKindAndShellFromVersionData) {
  struct Row {
    const char* name;
    DWORD platform, major, minor;
    const char* shell;
    int kind, newshell, shellreplaced;
  };
  const Row rows[] = {
      {"NT 4", VER_PLATFORM_WIN32_NT, 4, 0, nullptr, OsWindowsNT, 1, 1},
      {"NT 6.1", VER_PLATFORM_WIN32_NT, 6, 1, nullptr, OsWindowsNT, 1, 1},
      {"NT 3.51, Program Manager", VER_PLATFORM_WIN32_NT, 3, 51, "PROGMAN.EXE", OsWindowsNT, 1, 0},
      {"NT 3.51, another shell", VER_PLATFORM_WIN32_NT, 3, 51, "explorer.exe", OsWindowsNT, 1, 1},
      {"NT 3.5, no shell value", VER_PLATFORM_WIN32_NT, 3, 50, nullptr, OsWindowsNT, 0, 0},
      {"Windows 95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, nullptr, OsWindows95, 1, 1},
      {"Win32s", VER_PLATFORM_WIN32s, 3, 11, nullptr, OsWin32s, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    shellValue = row.shell;
    osinfo info;
    info.detect(version(row.platform, row.major, row.minor), fakeReader);
    EXPECT_EQ(row.kind, info.kind);
    EXPECT_EQ(row.newshell, info.newshell);
    EXPECT_EQ(row.shellreplaced, info.shellreplaced);
    EXPECT_EQ(static_cast<int>(row.major), info.major);
    EXPECT_EQ(static_cast<int>(row.minor), info.minor);
  }
}

TEST(OsinfoTest, OldNtReadsTheWinLogonKeyOfTheVersionKey) {
  osinfo info;
  info.detect(version(VER_PLATFORM_WIN32_NT, 3, 51), fakeReader);
  EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", info.versionkey());
  EXPECT_EQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WinLogon", keyAsked);
  info.detect(version(VER_PLATFORM_WIN32s, 3, 11), fakeReader);
  EXPECT_EQ(nullptr, info.versionkey());
}

TEST(OsinfoTest, LiveSystemIsANewShellNt) {
  osinfo info;
  info.detect();
  EXPECT_EQ(OsWindowsNT, info.kind);
  EXPECT_EQ(1, info.newshell);
  EXPECT_GE(info.major, 4);
}
