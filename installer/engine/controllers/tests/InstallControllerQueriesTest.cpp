#include <engine/controllers/tests/InstallControllerFixture.h>

#include <gtest/gtest.h>

TEST(InstallControllerRules, DrivesClassifyWithSixtyFourBitFreeSpace) {
  struct Row {
    const char* name;
    const char* path;
    UINT type;
    long long free;
    int expected;
  } rows[] = {
      {"floppy", "A:\\setup", DRIVE_REMOVABLE, 1440 * 1024, 0},
      {"large removable", "E:\\setup", DRIVE_REMOVABLE, 4096LL * 10240, 2},
      {"removable above 4 GB", "E:\\setup", DRIVE_REMOVABLE, 6LL << 30, 2},
      {"fixed", "c:\\setup", DRIVE_FIXED, 0, 1},
      {"remote", "N:\\", DRIVE_REMOTE, 0, 3},
      {"CD-ROM", "D:\\disk001", DRIVE_CDROM, 0, 4},
      {"UNC path", "\\\\server\\share\\setup", DRIVE_UNKNOWN, 0, 3},
      {"no drive", "setup", DRIVE_FIXED, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string asked;
    DrivePlatform drives;
    drives.type = [&](const char* root) {
      asked = root;
      return row.type;
    };
    drives.freebytes = [&](const char*) { return row.free; };
    EXPECT_EQ(row.expected, DriveClass(row.path, drives));
  }
  EXPECT_EQ("C:\\", DriveRoot("C:\\x\\y"));
  EXPECT_EQ("C:\\", DriveRoot("C:"));
  EXPECT_EQ("\\\\server\\share\\", DriveRoot("\\\\server\\share\\setup"));
}

TEST(InstallControllerRules, MediaModeFollowsTheDriveAndTheDiskFolder) {
  struct Row {
    int driveClass;
    const char* folder;
    int mode;
  } rows[] = {{0, "setup", 1},   {0, "DISK001", -1}, {1, "setup", 0}, {1, "Disk001", 2},
              {2, "disk001", 2}, {3, "disk001", 2},  {4, "setup", 0}, {4, "disk001", -1}};
  for (const Row& row : rows)
    EXPECT_EQ(row.mode, ChooseMediaMode(row.driveClass, row.folder)) << row.driveClass << " " << row.folder;
}

TEST(InstallControllerRules, ProgressAndFinish) {
  EXPECT_EQ(100, ProgressPercent(0, 0));
  EXPECT_EQ(100, ProgressPercent(7, 0));
  EXPECT_EQ(0, ProgressPercent(0, 10));
  EXPECT_EQ(50, ProgressPercent(5, 10));
  EXPECT_EQ(100, ProgressPercent(12, 10));
  EXPECT_EQ(33, ProgressPercent(1LL << 40, 3LL << 40));
  struct Row {
    int kind, deferred, dos, systemIni, type;
  } rows[] = {{0, 0, 0, 0, 0}, {0, 1, 1, 1, 2}, {0, 0, 1, 1, 4}, {0, 0, 0, 1, 2},
              {1, 1, 1, 1, 0}, {2, 0, 0, 0, 2}, {3, 0, 0, 0, 4}, {4, 0, 0, 0, 1}};
  for (const Row& row : rows)
    EXPECT_EQ(row.type, FinishType(row.kind, row.deferred, row.dos, row.systemIni)) << row.kind;
}

TEST(InstallControllerRules, QuotedPathsInACommandLineTakeTheirShortForm) {
  auto shorten = [](const std::string& path) -> std::string {
    if (path == "C:\\Program Files\\Demo\\demo.exe")
      return "C:\\PROGRA~1\\Demo\\demo.exe";
    if (path == "C:\\My Data")
      return "C:\\MYDATA~1";
    return "";
  };
  struct Row {
    const char* line;
    const char* expected;
  } rows[] = {
      {"notepad.exe readme.txt", "notepad.exe readme.txt"},
      {"\"C:\\Program Files\\Demo\\demo.exe\" -x", "C:\\PROGRA~1\\Demo\\demo.exe -x"},
      {"\"C:\\Program Files\\Demo\\demo.exe\" \"C:\\My Data\"", "C:\\PROGRA~1\\Demo\\demo.exe C:\\MYDATA~1"},
      {"demo.exe \"C:\\Not There\\x\"", "demo.exe \"C:\\Not There\\x\""},
      {"demo.exe \"C:\\My Data", "demo.exe \"C:\\My Data"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.expected, ShortenQuotedPaths(row.line, shorten)) << row.line;
}
