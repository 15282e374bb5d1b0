#include <engine/operations/FolderGuard.h>

#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string WindowsFolder() {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, sizeof folder);
  return folder;
}

std::string SystemFolder() {
  char folder[MAX_PATH];
  GetSystemDirectoryA(folder, sizeof folder);
  return folder;
}

TEST(FolderGuardTest, WholeDrivesSystemFoldersAndDottedPathsAreProtected) {
  testsupport::TempDir dir;
  std::string windows = WindowsFolder(), system = SystemFolder();
  std::string ownWindows = dir.file("win");
  struct Case {
    std::string path;
    int protectedFolder;
  } cases[] = {
      {"", 1},
      {"c:\\", 1},
      {"c:", 1},
      {"C:/", 1},
      {"\\", 1},
      {"\\\\server\\share", 1},
      {"\\\\server\\share\\", 1},
      {windows, 1},
      {windows + "\\", 1},
      {system, 1},
      {system + "\\..", 1},
      {windows + "\\..", 1},
      {"C:\\.", 1},
      {".", 1},
      {"..", 1},
      {"x\\..", 1},
      {dir.file("a\\.\\b"), 1},
      {dir.file("a/../b"), 1},
      {ownWindows, 1},
      {dir.path(), 1},
      {dir.file("win.old"), 0},
      {windows + "x", 0},
      {dir.file("a\\b"), 0},
      {dir.file("a..b\\.c"), 0},
      {"\\\\server\\share\\folder", 0},
  };
  for (const Case& c : cases) {
    std::string why;
    EXPECT_EQ(c.protectedFolder, IsProtectedFolder(c.path.c_str(), ownWindows, why)) << '"' << c.path << '"';
    EXPECT_EQ(c.protectedFolder, !why.empty()) << '"' << c.path << '"';
  }
}

} // namespace
