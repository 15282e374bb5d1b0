// The uninstaller's two runs through the root of its drive, with the helper's start recorded instead of
// made. They use the root of a drive of their own (test.sh maps K: to a scratch folder, else the
// prefix's C:) and win.ini's "KXMAIN" section, which the end-to-end runs share: one at a time.
#include <engine/tests/TestFolders.h>

#include <engine/controllers/UninstallController.h>
#include <engine/log/OperationLog.h>
#include <engine/script/LanguageSet.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <kxlang/kxlangids.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::removeTree;
using testsupport::writeFile;

namespace {

const char* const Companions[] = {"kxlog3.000", "kxenu.dll", "kuuser.dll"};

std::string Profile(const char* key) {
  char text[MAX_PATH] = "";
  GetProfileStringA("KXMAIN", key, "", text, sizeof text);
  return text;
}

struct Launch {
  std::string from, to;
  int run;
  bool operator==(const Launch& other) const {
    return from == other.from && to == other.to && run == other.run;
  }
};

struct SelfRemoval : ::testing::Test {
  std::string drive = GetDriveTypeA("K:\\") == DRIVE_FIXED ? "K:" : "C:";
  std::string base = drive + "\\kxself";
  std::string home = base + "\\app";
  // A file the log says was installed, to see whether anything was undone.
  std::string installed = base + "\\installed.txt";
  UninstallController controller;
  std::vector<Launch> launches;
  int helperStarts = 1;

  void SetUp() override {
    clean();
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA(home.c_str(), nullptr);
    writeFile(installed, "x");
    controller.launchvaveza = [this](const char* from, const char* to, int run) {
      launches.push_back({from, to, run});
      return helperStarts;
    };
  }
  void TearDown() override { clean(); }

  void clean() {
    for (const char* name : {"kxmain.exe", "kxlog3.000", "kxenu.dll", "kuuser.dll"})
      DeleteFileA(root(name).c_str());
    WriteProfileStringA("KXMAIN", nullptr, nullptr);
    removeTree(base);
  }

  std::string root(const char* name) const { return drive + "\\" + name; }
  std::string at(const std::string& folder, const char* name) const { return folder + "\\" + name; }

  // The uninstaller's files in a folder: a log of one installed file, the language library, kuuser.
  void companions(const std::string& folder) {
    LogHeader header;
    header.dialogmode = 1;
    header.language = LanguageUsEnglish;
    header.product = "Self Demo";
    auto log = LogFileWriter::OpenLogPath(at(folder, "kxlog3.000").c_str(), header);
    ASSERT_TRUE(log);
    log->filecreated(installed.c_str());
    log.reset();
    ASSERT_TRUE(
        CopyFileA((ProgramsFolder() + "\\kxenu.dll").c_str(), at(folder, "kxenu.dll").c_str(), FALSE));
    writeFile(at(folder, "kuuser.dll"), "kuuser");
  }

  // Where each companion is: "h" home, "r" root, "-" nowhere, "b" both.
  std::string where() const {
    std::string places;
    for (const char* name : Companions) {
      bool atHome = fileExists(at(home, name)), inRoot = fileExists(root(name));
      places += atHome && inRoot ? 'b' : atHome ? 'h' : inRoot ? 'r' : '-';
    }
    return places;
  }

  // The second run as the engine starts it from the root; its run's answer, -1 when it did not get
  // that far.
  int backupRun() {
    controller.setengine(root("kxmain.exe").c_str());
    if (!controller.initialise())
      return -1;
    int answer = controller.run();
    controller.finish();
    return answer;
  }
};

TEST_F(SelfRemoval, TheFirstRunMovesTheCompanionsToTheRootAndHandsOver) {
  companions(home);
  controller.setengine(at(home, "kxmain.exe").c_str());
  EXPECT_EQ(0, controller.initialise());
  EXPECT_EQ("rrr", where());
  EXPECT_EQ(home, Profile("b"));
  EXPECT_EQ("1", Profile("k"));
  EXPECT_EQ((std::vector<Launch>{{at(home, "kxmain.exe"), drive, 1}}), launches);
}

TEST_F(SelfRemoval, TheFirstRunRefusesOrPutsBackOnEachFailure) {
  struct Case {
    const char* name;
    std::function<void(SelfRemoval&)> prepare;
    int helperStarts;
    std::string message;
    std::string where;
    size_t launches;
  } cases[] = {
      {"engine already in the root", [](SelfRemoval& t) { writeFile(t.root("kxmain.exe"), "theirs"); }, 1,
       "kxmain.exe exists", "hhh", 0},
      {"a companion's name taken in the root",
       [](SelfRemoval& t) { writeFile(t.root("kxenu.dll"), "theirs"); }, 1, "kxenu.dll exists", "hbh", 0},
      {"language library missing", [](SelfRemoval& t) { DeleteFileA(t.at(t.home, "kxenu.dll").c_str()); }, 1,
       "kxenu.dll not found", "h-h", 0},
      {"the helper does not start", [](SelfRemoval&) {}, 0, "Unable to launch vaveza", "hhh", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clean();
    SetUp();
    launches.clear();
    companions(home);
    c.prepare(*this);
    helperStarts = c.helperStarts;
    {
      ModalAnswerer answerer;
      answerer.answer(c.message, IDOK);
      controller.setengine(at(home, "kxmain.exe").c_str());
      EXPECT_EQ(0, controller.initialise());
    }
    EXPECT_EQ(c.where, where());
    EXPECT_EQ(c.launches, launches.size());
    EXPECT_EQ("", Profile("b"));
    // Nobody else's file in the root was touched.
    for (const char* name : {"kxenu.dll", "kxmain.exe"}) {
      if (fileExists(root(name))) {
        EXPECT_EQ("theirs", readFile(root(name))) << name;
      }
    }
  }
}

TEST_F(SelfRemoval, EveryFailureOfTheBackUpRunSendsEverythingHome) {
  struct Case {
    const char* name;
    std::function<void(SelfRemoval&)> prepare;
    int helperStarts;
    bool dialog; // cancelled by the user
    const char* message;
    std::string where;
  } cases[] = {
      {"cancel in the dialog", [](SelfRemoval&) {}, 1, true, nullptr, "hhh"},
      {"the log unreadable", [](SelfRemoval& t) { writeFile(t.root("kxlog3.000"), "junk"); }, 1, false,
       "Log file contains bad data", "hhh"},
      {"the language library unusable", [](SelfRemoval& t) { writeFile(t.root("kxenu.dll"), "junk"); }, 1,
       false, "Unable to load language DLL", "hhh"},
      {"the home folder gone", [](SelfRemoval& t) { removeTree(t.home); }, 1, true, nullptr, "hhh"},
      {"a companion's name taken at home",
       [](SelfRemoval& t) { writeFile(t.at(t.home, "kxenu.dll"), "theirs"); }, 1, true, "kxenu.dll exists",
       "hbh"},
      {"the helper does not start", [](SelfRemoval&) {}, 0, true, "Unable to launch vaveza", "hhh"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clean();
    SetUp();
    launches.clear();
    companions(base);
    for (const char* name : Companions)
      ASSERT_TRUE(MoveFileA(at(base, name).c_str(), root(name).c_str()));
    WriteProfileStringA("KXMAIN", "b", home.c_str());
    WriteProfileStringA("KXMAIN", "k", "1");
    c.prepare(*this);
    helperStarts = c.helperStarts;
    {
      ModalAnswerer answerer;
      if (c.dialog)
        answerer.answer("Uninstall", IDCANCEL);
      if (c.message)
        answerer.answer(c.message, IDOK);
      EXPECT_LE(backupRun(), 0);
    }
    EXPECT_EQ(c.where, where());
    if (fileExists(at(home, "kxenu.dll")) && fileExists(root("kxenu.dll"))) {
      EXPECT_EQ("theirs", readFile(at(home, "kxenu.dll")));
    }
    EXPECT_EQ("", Profile("b"));
    EXPECT_EQ((std::vector<Launch>{{root("kxmain.exe"), home, 0}}), launches);
    EXPECT_TRUE(fileExists(installed)) << "nothing undone";
  }
}

TEST_F(SelfRemoval, WithoutItsWayHomeTheBackUpRunTouchesNothing) {
  companions(base);
  for (const char* name : Companions)
    ASSERT_TRUE(MoveFileA(at(base, name).c_str(), root(name).c_str()));
  ModalAnswerer answerer;
  answerer.answer("Back dir is undefined", IDOK);
  EXPECT_EQ(-1, backupRun());
  EXPECT_EQ("rrr", where());
  EXPECT_TRUE(launches.empty());
}

} // namespace
