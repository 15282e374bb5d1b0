#include <tests/support/TempDir.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace testsupport {

TempDir::TempDir() {
  char base[MAX_PATH] = "";
  GetTempPathA(sizeof base, base);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    char name[MAX_PATH];
    wsprintfA(name, "%st%lu_%u_%u", base, GetCurrentProcessId(), GetTickCount(), ++counter);
    if (CreateDirectoryA(name, nullptr)) {
      path_ = name;
      return;
    }
  }
  ADD_FAILURE() << "no temporary folder could be made under " << base;
}

TempDir::~TempDir() {
  if (!previousDirectory_.empty())
    SetCurrentDirectoryA(previousDirectory_.c_str());
  if (!path_.empty())
    removeTree(path_);
}

std::string TempDir::file(const std::string& name) const { return path_ + "\\" + name; }

void TempDir::enter() {
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof current, current);
  if (previousDirectory_.empty())
    previousDirectory_ = current;
  EXPECT_TRUE(SetCurrentDirectoryA(path_.c_str())) << path_;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void removeTree(const std::string& path) {
  WIN32_FIND_DATAA found{};
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(child);
        continue;
      }
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(child.c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

} // namespace testsupport
