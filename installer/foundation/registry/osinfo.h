#pragma once

#include <windows.h>

// The platform the engine runs on, detected once at start-up.

enum OsKind { OsWindowsNT, OsWindows95, OsWin32s };

// Reads the unnamed value of a key under HKEY_LOCAL_MACHINE as text into a buffer of `size`
// characters; 1 when it could.
using DefaultValueReader = int (*)(const char* keyPath, char* buffer, int size);

class osinfo {
public:
  // Detects from the system's version and registry.
  void detect();
  // Detects from the given version data, asking `reader` for the registry (Windows NT before 4 only).
  void detect(const OSVERSIONINFOA& version, DefaultValueReader reader);
  // The key of the system's version information under HKEY_LOCAL_MACHINE; none for Win32s.
  const char* versionkey() const;

  int kind = OsWindowsNT;
  int newshell = 0;
  int shellreplaced = 0;
  int major = 0;
  int minor = 0;
};

// The program's one record; the dialog toolkit reads its new-shell flag.
osinfo& SystemInfo();
