#pragma once

#include <windows.h>

#include <string>

// The folder of the test program, where the build puts the fixture libraries and helper programs.
inline std::string testFolder() {
  char self[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string path = self;
  return path.substr(0, path.rfind('\\') + 1);
}
