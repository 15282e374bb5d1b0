#include <engine/controllers/InstallController.h>
#include <engine/tests/TestFolders.h>

#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using testsupport::fileExists;
using testsupport::readFile;
using testsupport::TempDir;

namespace {

std::string WindowsFile(const char* name) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  return std::string(windows) + "\\" + name;
}

std::string Short(const std::string& path) {
  char text[MAX_PATH] = "";
  GetShortPathNameA(path.c_str(), text, sizeof text);
  return text;
}

// The Windows folder's "vaveza.exe" and "vaveza.ini" are set aside while a test runs and put back
// after it, whatever the test left there.
class WindowsFolderHelper {
public:
  explicit WindowsFolderHelper(const TempDir& dir) : kept_(dir.file("kept")) {
    CreateDirectoryA(kept_.c_str(), nullptr);
    for (const char* name : names_)
      MoveFileA(WindowsFile(name).c_str(), (kept_ + "\\" + name).c_str());
  }
  ~WindowsFolderHelper() {
    for (const char* name : names_) {
      // The stand-in may still be ending, its program file still in use.
      std::string path = WindowsFile(name);
      for (int waited = 0; waited < 5000 && fileExists(path) && !DeleteFileA(path.c_str()); waited += 20)
        Sleep(20);
      MoveFileA((kept_ + "\\" + name).c_str(), WindowsFile(name).c_str());
    }
  }
  WindowsFolderHelper(const WindowsFolderHelper&) = delete;
  WindowsFolderHelper& operator=(const WindowsFolderHelper&) = delete;

  // The recording stand-in becomes the helper.
  bool installRecorder() {
    std::string recorder = testsupport::testProgramFolder() + "vavezarecorder.exe";
    return CopyFileA(recorder.c_str(), WindowsFile("vaveza.exe").c_str(), FALSE) != 0;
  }

private:
  const char* names_[2] = {"vaveza.exe", "vaveza.ini"};
  std::string kept_;
};

// The record the stand-in wrote, waiting for it a while; "" when none came.
std::string AwaitRecord(const std::string& path) {
  for (int waited = 0; waited < 10000 && !fileExists(path); waited += 20)
    Sleep(20);
  return fileExists(path) ? readFile(path) : "";
}

TEST(LaunchVavezaTest, TheHelperStartsFromTheWindowsFolderWithItsSettingsInShortForm) {
  TempDir dir;
  WindowsFolderHelper helper(dir);
  ASSERT_TRUE(helper.installRecorder());
  std::string folder = dir.file("Uninstaller Folder Long");
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string engine = folder + "\\kxmain.exe";
  testsupport::writeFile(engine, "engine");
  std::string command = "command \"" + WindowsFile("vaveza.exe") + "\"\n";
  struct Row {
    const char* name;
    std::string from, to;
    int run;
    std::string seen;
  } rows[] = {
      {"move into the drive root and run", engine, "K:", 1, "f " + Short(engine) + "\nt K:\nx 1\n"},
      {"run the engine again (the roll-back)", "", engine, 1, "f \nt " + Short(engine) + "\nx 1\n"},
      {"move home without running", engine, folder, 0,
       "f " + Short(engine) + "\nt " + Short(folder) + "\nx 0\n"},
      {"delete", engine, "", 0, "f " + Short(engine) + "\nt \nx 0\n"},
  };
  ASSERT_NE(engine, Short(engine)) << "the folder's name must have a short form of its own";
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string record = dir.file("record" + std::to_string(n++) + ".txt");
    SetEnvironmentVariableA("VAVEZA_RECORD", record.c_str());
    EXPECT_EQ(1, LaunchVaveza(row.from.c_str(), row.to.c_str(), row.run));
    EXPECT_EQ(command + row.seen, AwaitRecord(record));
  }
  SetEnvironmentVariableA("VAVEZA_RECORD", nullptr);
}

TEST(LaunchVavezaTest, AMissingHelperAnswersZero) {
  TempDir dir;
  WindowsFolderHelper helper(dir);
  EXPECT_EQ(0, LaunchVaveza("", "C:\\somewhere\\kxmain.exe", 1));
}

} // namespace
