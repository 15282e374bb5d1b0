#include <foundation/registry/osinfo.h>

#include <foundation/registry/regkey.h>

#include <cstdio>

namespace {

int readDefaultValue(const char* keyPath, char* buffer, int size) {
  regkey key;
  return key.set(RegLocalMachine, keyPath) && key.querystring(nullptr, buffer, size);
}

} // namespace

void osinfo::detect() {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExA(&version);
  detect(version, readDefaultValue);
}

void osinfo::detect(const OSVERSIONINFOA& version, DefaultValueReader reader) {
  major = static_cast<int>(version.dwMajorVersion);
  minor = static_cast<int>(version.dwMinorVersion);
  switch (version.dwPlatformId) {
  case VER_PLATFORM_WIN32_NT: {
    kind = OsWindowsNT;
    if (major >= 4) {
      newshell = shellreplaced = 1;
      return;
    }
    newshell = major == 3 && minor > 50;
    char key[RegPathSize], shell[RegPathSize];
    std::snprintf(key, sizeof key, "%s\\WinLogon", versionkey());
    shellreplaced = reader(key, shell, sizeof shell) && lstrcmpiA(shell, "progman.exe") != 0;
    return;
  }
  case VER_PLATFORM_WIN32_WINDOWS:
    kind = OsWindows95;
    newshell = shellreplaced = 1;
    return;
  case VER_PLATFORM_WIN32s:
    kind = OsWin32s;
    newshell = shellreplaced = 0;
    return;
  }
}

const char* osinfo::versionkey() const {
  return kind == OsWin32s ? nullptr : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

osinfo& SystemInfo() {
  static osinfo info;
  return info;
}
