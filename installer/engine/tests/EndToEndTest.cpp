// Installs the demo product with the real engine, then uninstalls it, checking the machine after each
// step. The engine runs from a drive letter mapped to a scratch folder, because the uninstaller's
// self-removal goes through the root of its drive. Each run starts from a machine a user has lived on
// (a file of their own where a payload file goes, another product's program group) and compares the
// whole machine before the install and after the uninstall from outside; the tests run alone, so
// nothing else changes it meanwhile.
#include <engine/log/LogDump.h>
#include <engine/tests/MachineSnapshot.h>
#include <engine/tests/TestFolders.h>
#include <engine/tools/DemoProduct.h>
#include <tests/support/TempDir.h>

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

std::string Section(const char* section) {
  char text[4096] = "";
  GetProfileSectionA(section, text, sizeof text);
  return text;
}

const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string ProgramsFolder() {
  char folder[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, folder);
  return folder;
}

// What Wine itself writes while programs run, whatever they do: its menu builder records every shortcut
// it has turned into a menu entry of the host, and keeps the record when the shortcut goes. On an X
// display its driver keeps the mouse settings it found in a volatile key of its own once a window
// appears, and the folder window its Program Manager opens for a group it is told to show keeps the
// view settings every folder window reads.
std::vector<std::string> WinesOwnRemainders() {
  return {"HKCU\\Software\\Wine\\MenuFiles", "HKCU\\Software\\Wine\\Temporary System Parameters",
          "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"};
}

// What the user had before the install.
const char* const UsersOwnFile = "The user's own notes, kept in the product's folder.\r\n";
const char* const OtherProductsGroup = "Other Product";
// What another program writes into the product's INI file after the install.
const char* const OtherProgramsSection = "[Other]\r\nKey=1\r\n";

class EndToEnd : public ::testing::Test {
protected:
  static std::string ProgramGroup() { return ProgramsFolder() + "\\Kx Demo"; }
  static std::string OtherGroup() { return ProgramsFolder() + "\\" + OtherProductsGroup; }

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
    CreateDirectoryA(demo_.target.c_str(), nullptr);
    testsupport::writeFile(demo_.target + "\\file0.txt", UsersOwnFile);
    SHCreateDirectoryExA(nullptr, OtherGroup().c_str(), nullptr);
    testsupport::writeFile(OtherGroup() + "\\Other.lnk", "not the demo's");
  }

  void TearDown() override {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (UninstallKey + std::string("KxDemo")).c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\KxDemo");
    testsupport::removeTree(ProgramGroup());
    testsupport::removeTree(OtherGroup());
    WriteProfileStringA("KXMAIN", nullptr, nullptr);
    if (!helperWasThere_)
      DeleteFileA(WindowsFile("vaveza.exe").c_str());
    DeleteFileA(WindowsFile("vaveza.ini").c_str());
    testsupport::removeTree(base_);
  }

  std::string root(const char* name) const { return drive_ + "\\" + name; }

  // The whole machine: the prefix's drive and the engine's own, the machine's and the user's software keys.
  MachineSnapshot snapshot() const {
    std::vector<std::string> folders = {"C:"};
    if (drive_ != "C:")
      folders.push_back(drive_);
    return MachineSnapshot::take(
        folders, {{HKEY_LOCAL_MACHINE, "HKLM", "Software"}, {HKEY_CURRENT_USER, "HKCU", "Software"}});
  }

  // The distribution, and the machine as it is before the install.
  void prepare() {
    std::string error;
    ASSERT_TRUE(demo_.make(error)) << error;
    before_ = snapshot();
  }

  // Installs, then another program writes into the product's INI file; the run's result key.
  int install(Clicker& clicker) {
    if (before_.size() == 0)
      prepare();
    DWORD code = RunAndWait(demo_.folder + "\\kxmain.exe");
    EXPECT_EQ(0u, code) << clicker.describe();
    int result = GetPrivateProfileIntA("x", "r", -1, (demo_.folder + "\\kxmain.ini").c_str());
    if (othersWriteIni_ && fileExists(demo_.iniFile()))
      WritePrivateProfileStringA("Other", "Key", "1", demo_.iniFile().c_str());
    return result;
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

  // The machine equals the one before the install, but for what stays by design, each named here.
  void expectRemoved() {
    std::vector<std::string> remainders = {
        // The helper was installed into the Windows folder without a record: other products share it.
        WindowsFile("vaveza.exe"),
        // The run's result for whatever started the engine.
        demo_.folder + "\\kxmain.ini",
        // Another program's section; the file stays with it (checked below).
        demo_.iniFile(),
    };
    for (const std::string& wines : WinesOwnRemainders())
      remainders.push_back(wines);
    EXPECT_EQ("", DescribeDifferences(before_.differences(snapshot(), remainders)));
    if (fileExists(demo_.iniFile())) {
      EXPECT_EQ(OtherProgramsSection, readFile(demo_.iniFile()));
    }
    EXPECT_EQ(UsersOwnFile, readFile(demo_.target + "\\file0.txt"));
  }

  std::string drive_;
  std::string base_;
  DemoProduct demo_;
  MachineSnapshot before_;
  bool helperWasThere_ = false;
  bool othersWriteIni_ = true;
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
  // The target folder was there; the user's file0.txt is renamed aside (2) before the new one is
  // logged as created. The last payload file is made read-only and hidden (6) after it is created.
  EXPECT_EQ("header 0 2 4 4 4 4 6 4 10 7 16 16 18 12 13 ", kinds) << log;
  EXPECT_FALSE(fileExists(demo_.folder + "\\kxlog3.nnn"));

  uninstall(demo_.uninstallFolder());
  expectRemoved();
  // The confirmation, and the note that the INI file another program wrote to stays.
  std::vector<std::string> seen = clicker.seen();
  ASSERT_EQ(2u, seen.size()) << clicker.describe();
  EXPECT_EQ(0u, seen[1].find("File kept: ")) << clicker.describe();
  EXPECT_NE(std::string::npos, seen[1].find(demo_.iniFile())) << clicker.describe();
}

// The install creates the product's folder and the user saves a document there. Answering No to
// removing the folder keeps the document and its folder; everything else of the product goes, its
// Uninstall key and its logs with it, and the last box says what was kept. Under an install over an
// install, the later log is undone first, as always.
TEST_F(EndToEnd, KeepingTheUsersDocumentStillRemovesTheProduct) {
  struct Case {
    const char* name;
    int installs;
  } cases[] = {
      {"one install", 1},
      {"an install over an install", 2},
  };
  othersWriteIni_ = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::removeTree(demo_.target);
    prepare();
    Clicker clicker({{"Confirm Uninstall", IDYES},
                     {"Remove Folder", IDNO},
                     {"Uninstall Finished", IDOK},
                     {"Uninstall", 0}});
    for (int n = 0; n < c.installs; ++n)
      ASSERT_EQ(0, install(clicker)) << clicker.describe();
    std::string letter = demo_.target + "\\letter.txt";
    testsupport::writeFile(letter, "The user's letter.\r\n");
    if (c.installs == 2) {
      EXPECT_EQ(0u, RunAndWait(demo_.uninstallFolder() + "\\kxmain.exe")) << clicker.describe();
      EXPECT_FALSE(fileExists(demo_.uninstallFolder() + "\\kxlog3.001"));
    }
    uninstall(demo_.uninstallFolder());

    std::vector<std::string> remainders = {WindowsFile("vaveza.exe"), demo_.folder + "\\kxmain.ini"};
    for (const std::string& wines : WinesOwnRemainders())
      remainders.push_back(wines);
    std::vector<std::string> left = before_.differences(snapshot(), remainders);
    ASSERT_EQ(2u, left.size()) << DescribeDifferences(left);
    EXPECT_EQ(0u, left[0].find("+ dir " + demo_.target + ":")) << DescribeDifferences(left);
    EXPECT_EQ(0u, left[1].find("+ file " + letter + ":")) << DescribeDifferences(left);
    EXPECT_EQ("The user's letter.\r\n", readFile(letter));
    EXPECT_EQ("<none>",
              RegistryText(HKEY_LOCAL_MACHINE, UninstallKey + std::string("KxDemo"), "UninstallString"));
    std::vector<std::string> seen = clicker.seen();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(0u, seen.back().find("Uninstall Finished: ")) << clicker.describe();
    EXPECT_NE(std::string::npos, seen.back().find(demo_.target)) << clicker.describe();
  }
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
  EXPECT_TRUE(
      WaitFor([&] { return fileExists(root("kxmain.exe")) || !fileExists(demo_.uninstallFolder()); }));
  EXPECT_TRUE(WaitFor([&] { return !fileExists(root("kxmain.exe")) && !fileExists(root("kxlog3.000")); }));
  EXPECT_TRUE(WaitFor([&] { return !fileExists(WindowsFile("vaveza.ini")); }));
  Sleep(200);
  expectRemoved();
}

// A run that fails while no uninstaller is registered is undone by the engine itself, asking nothing
// in an unattended run, and leaves no working log for a later run to find.
TEST_F(EndToEnd, AFailureWithoutARegisteredUninstallerIsRolledBackAtOnce) {
  struct Case {
    const char* name;
    int uninstallerLast;
    int withoutUninstaller;
  } cases[] = {
      {"the uninstaller comes after the failure", 1, 0},
      {"the script has no uninstaller", 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Clicker clicker({{"Error", IDOK}});
    demo_.failLast = 1;
    demo_.uninstallerLast = c.uninstallerLast;
    demo_.withoutUninstaller = c.withoutUninstaller;
    prepare();
    EXPECT_EQ(1, install(clicker)) << clicker.describe();
    EXPECT_FALSE(fileExists(demo_.folder + "\\kxlog3.nnn"));
    expectRemoved();
    std::vector<std::string> seen = clicker.seen();
    EXPECT_EQ(1u, seen.size()) << "only the failure is shown\n" << clicker.describe();
  }
}

TEST_F(EndToEnd, AnUninstallerRegisteredLastUndoesEverything) {
  Clicker clicker({{"Confirm Uninstall", IDYES}, {"Uninstall", 0}});
  demo_.uninstallerLast = 1;
  ASSERT_EQ(0, install(clicker)) << clicker.describe();
  expectInstalled();
  uninstall(demo_.uninstallFolder());
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
  prepare();
  DeleteFileA((demo_.folder + "\\lzpunz2.dll").c_str());
  before_ = snapshot();
  EXPECT_EQ(0u, RunAndWait(demo_.folder + "\\kxmain.exe"));
  int result = GetPrivateProfileIntA("x", "r", -1, (demo_.folder + "\\kxmain.ini").c_str());
  EXPECT_EQ(6, result) << clicker.describe();
  std::vector<std::string> seen = clicker.seen();
  EXPECT_EQ(1, std::count_if(seen.begin(), seen.end(),
                             [](const std::string& box) { return box.rfind("Query Abort:", 0) == 0; }))
      << clicker.describe();
  EXPECT_EQ(0u, RunAndWait(WindowsFile("vaveza.exe")));
  EXPECT_TRUE(WaitFor([&] {
    return !fileExists(root("kxmain.exe")) && !fileExists(demo_.uninstallFolder()) &&
           !fileExists(WindowsFile("vaveza.ini"));
  })) << clicker.describe();
  Sleep(200);
  expectRemoved();
}

} // namespace
