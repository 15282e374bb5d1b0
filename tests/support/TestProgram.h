#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// The folder of the running test program, with its closing backslash: the build puts the fixture
// libraries, pictures and helper programs of its tests there.
inline std::string testProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string program(path, length);
  return program.substr(0, program.rfind('\\') + 1);
}

} // namespace testsupport
