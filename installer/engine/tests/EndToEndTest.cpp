// Installs the demo product with the real engine, then uninstalls it, checking the machine after each
// step. The engine runs from a drive letter mapped to a scratch folder, because the uninstaller's
// self-removal goes through the root of its drive; these tests share win.ini, "vaveza.ini" and the
// uninstall key, so they run one at a time.
#include "TestFolders.h"
#include <DemoProduct.h>
#include <LogDump.h>
#include <TempDir.h>

#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

using testsupport::fileExists;
using testsupport::readFile;

namespace {

std::string BinFolder() {
  char full[MAX_PATH];
  GetFullPathNameA(ProgramsFolder().c_str(), sizeof full, full, nullptr);
  return full;
}

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

// Presses buttons on the engine's dialogs and message boxes, found by their exact caption, from a
// thread of the test on the test's desktop (which the engine inherits); a rule's button 0 leaves the
// window alone. Every box pressed is recorded and one no rule knows is cancelled, so a run never hangs.
class Clicker {
public:
  struct Rule {
    std::string caption;
    int button;
  };

  explicit Clicker(std::vector<Rule> rules)
      : rules_(withRunWindows(std::move(rules))), desktop_(GetThreadDesktop(GetCurrentThreadId())),
        thread_([this] { loop(); }) {}
  ~Clicker() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }
  std::string describe() {
    std::string text;
    for (const std::string& line : seen())
      text += line + "\n";
    return text;
  }

private:
  // The progress dialog and the screen's captionless activity dialog stay up while the engine works;
  // a Cancel there would stop the run.
  static std::vector<Rule> withRunWindows(std::vector<Rule> rules) {
    rules.push_back({"Progress", 0});
    rules.push_back({"", 0});
    return rules;
  }

  static BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
  }
  static BOOL CALLBACK texts(HWND child, LPARAM out) {
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    if (text[0])
      *reinterpret_cast<std::string*>(out) += std::string(text) + "|";
    return TRUE;
  }

  void loop() {
    SetThreadDesktop(desktop_);
    while (!stop_) {
      std::vector<HWND> windows;
      EnumWindows(collect, reinterpret_cast<LPARAM>(&windows));
      for (HWND window : windows)
        consider(window);
      Sleep(30);
    }
  }

  void consider(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    if (process == GetCurrentProcessId() || std::string(name) != "#32770" || handled_.count(window))
      return;
    // A box is read once it has had time to fill in its texts.
    DWORD now = GetTickCount();
    auto first = firstSeen_.emplace(window, now).first;
    if (now - first->second < 150)
      return;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    std::string body;
    EnumChildWindows(window, texts, reinterpret_cast<LPARAM>(&body));
    handled_.insert(window);
    int button = IDCANCEL;
    for (const Rule& rule : rules_)
      if (rule.caption == caption) {
        button = rule.button;
        break;
      }
    if (!button)
      return;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      seen_.push_back(std::string(caption) + ": " + body);
    }
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(button), 0);
  }

  std::vector<Rule> rules_;
  HDESK desktop_;
  std::set<HWND> handled_;
  std::map<HWND, DWORD> firstSeen_;
  std::mutex mutex_;
  std::vector<std::string> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

DWORD RunAndWait(const std::string& program) { return RunProgram(program, 30000); }

// Waits until the condition holds, up to the time limit.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout = 30000) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout)
      return false;
    Sleep(50);
  }
  return true;
}

std::string RegistryText(HKEY root, const std::string& key, const char* name) {
  char value[512] = "";
  DWORD size = sizeof value;
  if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return "<none>";
  return value;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return false;
  RegCloseKey(handle);
  return true;
}

std::string Section(const char* section) {
  char text[4096] = "";
  GetProfileSectionA(section, text, sizeof text);
  return text;
}

const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

class EndToEnd : public ::testing::Test {
protected:
  static std::string ProgramGroup() {
    char folder[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, folder);
    return std::string(folder) + "\\Kx Demo";
  }

  void SetUp() override {
    testsupport::removeTree(ProgramGroup());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\KxDemo");
    helperWasThere_ = fileExists(WindowsFile("vaveza.exe"));
    // A drive of our own (test.sh maps K: to a scratch folder of the build), else the prefix's C:.
    drive_ = GetDriveTypeA("K:\\") == DRIVE_FIXED ? "K:" : "C:";
    base_ = drive_ + "\\kxe2e";
    testsupport::removeTree(base_);
    CreateDirectoryA(base_.c_str(), nullptr);
    demo_.folder = base_ + "\\dist";
    demo_.binFolder = BinFolder();
    demo_.target = base_ + "\\apps\\KxDemo";
    CreateDirectoryA((base_ + "\\apps").c_str(), nullptr);
  }

  void TearDown() override {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (UninstallKey + std::string("KxDemo")).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\KxDemo");
    testsupport::removeTree(ProgramGroup());
    WriteProfileStringA("KXMAIN", nullptr, nullptr);
    if (!helperWasThere_)
      DeleteFileA(WindowsFile("vaveza.exe").c_str());
    DeleteFileA(WindowsFile("vaveza.ini").c_str());
    testsupport::removeTree(base_);
  }

  std::string root(const char* name) const { return drive_ + "\\" + name; }

  // Installs; the run's result key.
  int install(Clicker& clicker) {
    std::string error;
    EXPECT_TRUE(demo_.make(error)) << error;
    DWORD code = RunAndWait(demo_.folder + "\\kxmain.exe");
    EXPECT_EQ(0u, code) << clicker.describe();
    return GetPrivateProfileIntA("x", "r", -1, (demo_.folder + "\\kxmain.ini").c_str());
  }

  // Starts the uninstaller and waits for both of its runs and the helper to be done.
  void uninstall(const std::string& folder) {
    EXPECT_EQ(1u, RunAndWait(folder + "\\kxmain.exe")) << "the first run hands over and ends with 1";
    EXPECT_TRUE(WaitFor([&] { return !fileExists(root("kxmain.exe")) && !fileExists(root("kxlog3.000")); }));
    EXPECT_TRUE(WaitFor([&] { return !fileExists(WindowsFile("vaveza.ini")); }));
    Sleep(200);
  }

  void expectInstalled() {
    for (const auto& file : demo_.payload)
      EXPECT_EQ(file.second, readFile(file.first)) << file.first;
    const DWORD asked = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    EXPECT_EQ(asked,
              GetFileAttributesA(demo_.payload.back().first.c_str()) & (asked | FILE_ATTRIBUTE_SYSTEM));
    char value[256] = "";
    GetPrivateProfileStringA("Demo", "Folder", "", value, sizeof value, demo_.iniFile().c_str());
    EXPECT_EQ(demo_.target, value);
    EXPECT_EQ(demo_.target, RegistryText(HKEY_LOCAL_MACHINE, demo_.registryKey(), "Folder"));
    std::string key = UninstallKey + std::string("KxDemo");
    EXPECT_EQ("Kx Demo", RegistryText(HKEY_LOCAL_MACHINE, key, "DisplayName"));
    EXPECT_EQ(demo_.uninstallFolder() + "\\kxmain.exe",
              RegistryText(HKEY_LOCAL_MACHINE, key, "UninstallString"));
    EXPECT_TRUE(fileExists(WindowsFile("vaveza.exe")));
  }

  void expectRemoved() {
    for (const auto& file : demo_.payload)
      EXPECT_FALSE(fileExists(file.first)) << file.first;
    EXPECT_FALSE(fileExists(demo_.target));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, demo_.registryKey()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey + std::string("KxDemo")));
    EXPECT_EQ("", Section("KXMAIN"));
    for (const char* name : {"kxmain.exe", "kxlog3.000", "kxenu.dll", "kuuser.dll"})
      EXPECT_FALSE(fileExists(root(name))) << name;
    // The helper stays in the Windows folder: it was installed without a record.
    EXPECT_TRUE(fileExists(WindowsFile("vaveza.exe")));
  }

  std::string drive_;
  std::string base_;
  DemoProduct demo_;
  bool helperWasThere_ = false;
};

TEST_F(EndToEnd, InstallThenUninstallLeavesTheMachineAsBefore) {
  Clicker clicker({{"Confirm Uninstall", IDYES}, {"Uninstall", 0}});
  ASSERT_EQ(0, install(clicker)) << clicker.describe();
  expectInstalled();
  std::string log = DumpLog((demo_.uninstallFolder() + "\\kxlog3.000").c_str());
  std::istringstream lines(log);
  std::string line, kinds;
  while (std::getline(lines, line))
    kinds += line.substr(0, line.find(' ')) + " ";
  // The last payload file is made read-only and hidden (6) after it is created.
  EXPECT_EQ("header 0 0 4 4 4 4 6 4 10 7 16 16 18 12 13 ", kinds) << log;
  EXPECT_FALSE(fileExists(demo_.folder + "\\kxlog3.nnn"));

  uninstall(demo_.uninstallFolder());
  expectRemoved();
  EXPECT_EQ(1u, clicker.seen().size()) << clicker.describe();
}

TEST_F(EndToEnd, ASecondInstallIntoTheSameFolderIsUndoneFirst) {
  Clicker clicker({{"Confirm Uninstall", IDYES}, {"Uninstall", 0}});
  demo_.shortcut = 0;
  ASSERT_EQ(0, install(clicker)) << clicker.describe();
  std::string first = demo_.target;
  ASSERT_EQ(0, install(clicker)) << clicker.describe();
  EXPECT_TRUE(fileExists(demo_.uninstallFolder() + "\\kxlog3.001"));

  // The newer log is undone and deleted; the uninstaller stays for the older one.
  EXPECT_EQ(0u, RunAndWait(demo_.uninstallFolder() + "\\kxmain.exe")) << clicker.describe();
  EXPECT_FALSE(fileExists(demo_.uninstallFolder() + "\\kxlog3.001"));
  EXPECT_TRUE(fileExists(demo_.uninstallFolder() + "\\kxmain.exe"));
  uninstall(demo_.uninstallFolder());
  expectRemoved();
}

TEST_F(EndToEnd, AFailureAfterTheUninstallerIsRegisteredRollsBackThroughTheHelper) {
  Clicker clicker({{"Confirm Uninstall", IDYES}, {"Uninstall", 0}, {"Error", IDOK}});
  demo_.failAfterUninstaller = 1;
  ASSERT_EQ(6, install(clicker)) << clicker.describe();
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  // The launcher's part: r = 6 starts the helper, which runs the uninstaller.
  EXPECT_EQ(0u, RunAndWait(WindowsFile("vaveza.exe")));
  EXPECT_TRUE(WaitFor([&] { return fileExists(root("kxmain.exe")) || !fileExists(demo_.target); }));
  EXPECT_TRUE(WaitFor([&] { return !fileExists(root("kxmain.exe")) && !fileExists(root("kxlog3.000")); }));
  EXPECT_TRUE(WaitFor([&] { return !fileExists(WindowsFile("vaveza.ini")); }));
  Sleep(200);
  expectRemoved();
}

TEST_F(EndToEnd, CancelInTheBackUpRunPutsEverythingBackHome) {
  auto clicker =
      std::make_unique<Clicker>(std::vector<Clicker::Rule>{{"Confirm Uninstall", IDNO}, {"Uninstall", 0}});
  demo_.dialogMode = 2;
  ASSERT_EQ(0, install(*clicker)) << clicker->describe();
  EXPECT_EQ(1u, RunAndWait(demo_.uninstallFolder() + "\\kxmain.exe"));
  EXPECT_TRUE(WaitFor([&] {
    return fileExists(demo_.uninstallFolder() + "\\kxmain.exe") &&
           fileExists(demo_.uninstallFolder() + "\\kxlog3.000") && !fileExists(WindowsFile("vaveza.ini"));
  })) << clicker->describe();
  Sleep(200);
  EXPECT_FALSE(fileExists(root("kxmain.exe")));
  EXPECT_EQ("", Section("KXMAIN"));
  expectInstalled();
  // And it can still be uninstalled.
  clicker.reset();
  Clicker yes({{"Confirm Uninstall", IDYES}, {"Uninstall", 0}});
  uninstall(demo_.uninstallFolder());
  expectRemoved();
}

TEST_F(EndToEnd, ACompressedMemberWithoutTheLibraryFailsTheInstall) {
  // The failed item asks whether to abort, even in an unattended build: Yes ends the install.
  Clicker clicker({{"Error", IDOK}, {"Query Abort", IDYES}, {"Confirm Uninstall", IDYES}, {"Uninstall", 0}});
  std::string error;
  ASSERT_TRUE(demo_.make(error)) << error;
  DeleteFileA((demo_.folder + "\\lzpunz2.dll").c_str());
  EXPECT_EQ(0u, RunAndWait(demo_.folder + "\\kxmain.exe"));
  int result = GetPrivateProfileIntA("x", "r", -1, (demo_.folder + "\\kxmain.ini").c_str());
  EXPECT_EQ(6, result) << clicker.describe();
  std::vector<std::string> seen = clicker.seen();
  EXPECT_EQ(1, std::count_if(seen.begin(), seen.end(),
                             [](const std::string& box) { return box.rfind("Query Abort:", 0) == 0; }))
      << clicker.describe();
  EXPECT_EQ(0u, RunAndWait(WindowsFile("vaveza.exe")));
  EXPECT_TRUE(WaitFor([&] {
    return !fileExists(root("kxmain.exe")) && !fileExists(demo_.target) &&
           !fileExists(WindowsFile("vaveza.ini"));
  })) << clicker.describe();
}

} // namespace
