#include <vaveza/Vaveza.h>

#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

using testsupport::fileExists;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

struct VavezaFixture : ::testing::Test {
  TempDir dir;
  std::vector<std::string> started;
  VavezaPlatform platform;

  VavezaFixture() {
    platform.start = [this](const std::string& program) {
      started.push_back(program);
      return true;
    };
    platform.waitMilliseconds = 300;
    platform.retryMilliseconds = 10;
    CreateDirectoryA(dir.file("home").c_str(), nullptr);
    CreateDirectoryA(dir.file("root").c_str(), nullptr);
  }
};

TEST_F(VavezaFixture, SettingsAreReadAndTheFileIsGoneBeforeActing) {
  std::string ini = dir.file("vaveza.ini");
  writeFile(ini, "[x]\r\nf=C:\\A\\KXMAIN.EXE\r\nt=D:\r\nx=1\r\n");
  VavezaRequest request;
  ASSERT_TRUE(ReadVavezaSettings(ini, request));
  EXPECT_EQ("C:\\A\\KXMAIN.EXE", request.from);
  EXPECT_EQ("D:", request.to);
  EXPECT_TRUE(request.run);
  EXPECT_FALSE(fileExists(ini));
  EXPECT_FALSE(ReadVavezaSettings(ini, request));
}

TEST_F(VavezaFixture, EachRowOfTheRequestTableDoesItsOneThing) {
  std::string engine = dir.file("home\\kxmain.exe");
  std::string inRoot = dir.file("root\\kxmain.exe");
  struct Row {
    const char* name;
    std::string from, to;
    bool run;
    int result;
    std::string movedTo; // empty: nothing moved
    std::string startedProgram;
    bool fromRemains;
  } rows[] = {
      {"move into a folder and run", engine, dir.file("root"), true, VavezaDone, inRoot, inRoot, false},
      {"run a program (the roll-back)", "", engine, true, VavezaDone, "", engine, true},
      {"move home, no run", engine, dir.file("root"), false, VavezaDone, inRoot, "", false},
      {"move to a full file path", engine, dir.file("root\\other.exe"), false, VavezaDone,
       dir.file("root\\other.exe"), "", false},
      {"delete", engine, "", false, VavezaDone, "", "", false},
      {"nothing to run", "", "", true, VavezaBadRequest, "", "", true},
      {"delete and run makes no sense", engine, "", true, VavezaBadRequest, "", "", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    started.clear();
    DeleteFileA(inRoot.c_str());
    DeleteFileA(dir.file("root\\other.exe").c_str());
    writeFile(engine, "engine");
    VavezaRequest request{row.from, row.to, row.run};
    EXPECT_EQ(row.result, CarryOutVaveza(request, platform));
    EXPECT_EQ(row.fromRemains, fileExists(engine));
    if (!row.movedTo.empty()) {
      EXPECT_EQ("engine", readFile(row.movedTo));
    }
    EXPECT_EQ(row.startedProgram.empty() ? 0u : 1u, started.size());
    if (!row.startedProgram.empty() && !started.empty()) {
      EXPECT_EQ(row.startedProgram, started[0]);
    }
  }
}

TEST_F(VavezaFixture, ADriveTargetMeansItsRootFolder) {
  EXPECT_EQ("D:\\KXMAIN.EXE", VavezaTarget("C:\\PROGRA~1\\KXMAIN.EXE", "D:"));
  EXPECT_EQ(dir.file("root\\a.exe"), VavezaTarget("C:\\x\\a.exe", dir.file("root")));
  EXPECT_EQ(dir.file("root\\a.exe"), VavezaTarget("C:\\x\\a.exe", dir.file("root") + "\\"));
  EXPECT_EQ(dir.file("root\\new.exe"), VavezaTarget("C:\\x\\a.exe", dir.file("root\\new.exe")));
}

TEST_F(VavezaFixture, AFileStillHeldIsWaitedFor) {
  std::string engine = dir.file("home\\kxmain.exe");
  writeFile(engine, "engine");
  HANDLE held =
      CreateFileA(engine.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  platform.waitMilliseconds = 5000;
  std::thread release([held] {
    Sleep(200);
    CloseHandle(held);
  });
  EXPECT_EQ(VavezaDone, CarryOutVaveza({engine, dir.file("root"), true}, platform));
  release.join();
  EXPECT_TRUE(fileExists(dir.file("root\\kxmain.exe")));
  ASSERT_EQ(1u, started.size());
}

TEST_F(VavezaFixture, FailuresAreExitCodesAndDeleteNothingElse) {
  std::string engine = dir.file("home\\kxmain.exe");
  writeFile(engine, "engine");
  writeFile(dir.file("root\\kxmain.exe"), "someone else's");
  EXPECT_EQ(VavezaMoveFailed, CarryOutVaveza({engine, dir.file("root"), true}, platform));
  EXPECT_EQ("someone else's", readFile(dir.file("root\\kxmain.exe")));
  EXPECT_EQ("engine", readFile(engine));
  EXPECT_TRUE(started.empty());

  HANDLE held =
      CreateFileA(engine.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(VavezaDeleteFailed, CarryOutVaveza({engine, "", false}, platform));
  CloseHandle(held);
  EXPECT_TRUE(fileExists(engine));

  platform.start = [](const std::string&) { return false; };
  EXPECT_EQ(VavezaRunFailed, CarryOutVaveza({"", engine, true}, platform));
}

} // namespace
