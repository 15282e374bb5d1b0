#include <engine/controllers/tests/InstallControllerFixture.h>
#include <engine/log/LogDump.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

TEST_F(ControllerFixture, InitialiseReadsTheSettingsAndRefusesWhatIsMissing) {
  ModalAnswerer answerer;
  answerer.answerAlways("p or sz undefined", IDOK).answerAlways("Invalid packaging-media", IDOK);
  struct Row {
    const char* name;
    const char* settings;
    int result;
  } rows[] = {
      {"empty", "", 0},
      {"no size", "[x]\r\np=C:\\setup\r\n", 0},
      {"disk folder on a CD-ROM", "[x]\r\np=D:\\DISK001\r\nsz=5\r\n", 0},
      {"fine", "[x]\r\np=C:\\setup\\\r\nsz=5\r\ncmdl=one two\r\n", 1},
  };
  controller.drives.type = [](const char* root) { return root[0] == 'D' ? DRIVE_CDROM : DRIVE_FIXED; };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    writeFile(ini(), row.settings);
    EXPECT_EQ(row.result, controller.initialise());
  }
  EXPECT_STREQ("C:\\setup", controller.sourceFolder());
  EXPECT_EQ(0, controller.mediaMode());
  EXPECT_EQ(2, controller.argumentcount());
  char argument[256];
  ASSERT_TRUE(controller.argument(1, argument));
  EXPECT_STREQ("two", argument);
  answerer.answer("No argument at 2", IDOK);
  EXPECT_FALSE(controller.argument(2, argument));
  EXPECT_EQ(4u, answerer.seen().size()) << answerer.describeSeen();
}

TEST_F(ControllerFixture, TheLogIsHandedOverUnderTheFirstFreeNumberOrAppended) {
  std::string uninstall = dir.file("uninst");
  CreateDirectoryA(uninstall.c_str(), nullptr);
  controller.registeruninstaller(uninstall, 0);
  // A stale working log of an earlier run is never taken for this run's.
  writeFile(dir.file("kxlog3.nnn"), "stale");
  EXPECT_EQ(0, controller.handoverlog(1));

  ASSERT_TRUE(controller.openworkinglog());
  controller.closeworkinglog();
  EXPECT_EQ(0, controller.handoverlog(1)) << "a log of the header only is not handed over";

  ASSERT_TRUE(controller.openworkinglog());
  controller.createfolder(dir.file("a").c_str());
  writeFile(uninstall + "\\kxlog3.000", "x");
  writeFile(uninstall + "\\kxlog3.002", "x");
  EXPECT_EQ(1, controller.handoverlog(1));
  EXPECT_NE(std::string::npos, DumpLog((uninstall + "\\kxlog3.001").c_str()).find("dir-created"));
  EXPECT_FALSE(fileExists(dir.file("kxlog3.nnn")));

  // Appended to the newest of the unbroken run from 000.
  DeleteFileA((uninstall + "\\kxlog3.002").c_str());
  ASSERT_TRUE(controller.openworkinglog());
  controller.createfolder(dir.file("b").c_str());
  controller.registeruninstaller(uninstall, 1);
  EXPECT_EQ(1, controller.handoverlog(1));
  std::string appended = DumpLog((uninstall + "\\kxlog3.001").c_str());
  EXPECT_NE(std::string::npos, appended.find("\\a\"")) << appended;
  EXPECT_NE(std::string::npos, appended.find("\\b\"")) << appended;
  EXPECT_FALSE(fileExists(uninstall + "\\kxlog3.002"));
}

TEST_F(ControllerFixture, AHandOverIntoAFullFolderFails) {
  std::string uninstall = dir.file("uninst");
  CreateDirectoryA(uninstall.c_str(), nullptr);
  for (int n = 0; n <= 999; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "\\kxlog3.%03d", n);
    writeFile(uninstall + name, "");
  }
  EXPECT_EQ("", FindFreeLogName(uninstall.c_str()));
  controller.registeruninstaller(uninstall, 0);
  ASSERT_TRUE(controller.openworkinglog());
  controller.createfolder(dir.file("a").c_str());
  EXPECT_EQ(-1, controller.handoverlog(1));
}

TEST_F(ControllerFixture, AnAppendGoesOnlyToALogThatIsThere) {
  std::string log = dir.file("kxlog3.000");
  writeFile(log, "earlier records");
  EXPECT_TRUE(AppendLogRecords(log.c_str(), "more"));
  EXPECT_EQ("earlier recordsmore", readFile(log));
  EXPECT_FALSE(AppendLogRecords(dir.file("none").c_str(), "x"));
  EXPECT_FALSE(fileExists(dir.file("none")));
}

TEST_F(ControllerFixture, TheMainSequenceReportsEachFailingStep) {
  struct Row {
    const char* name;
    int hasDiskMap;
    const char* message;
  } rows[] = {
      {"no disk map", 0, "Unable to get the disk map"},
      {"no language library beside the engine", 1, "Unable to load language DLL"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModalAnswerer answerer;
    answerer.answer(row.message, IDOK);
    controller.hasDiskMap = row.hasDiskMap;
    EXPECT_EQ(1, controller.run());
    EXPECT_EQ("", controller.calls);
  }
}
