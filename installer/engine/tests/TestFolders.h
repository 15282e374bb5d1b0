#pragma once

#include <windows.h>

#include <string>

// The folder of the running test program, without a trailing backslash.
inline std::string TestProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path, n);
  return text.substr(0, text.find_last_of('\\'));
}

// The build's program folder, where the engine, its helper and the libraries are made.
inline std::string ProgramsFolder() { return TestProgramFolder() + "\\..\\..\\..\\bin"; }
