#include <engine/log/LogDump.h>
#include <engine/operations/StartupMerge.h>
#include <engine/script/LanguageSet.h>
#include <engine/tests/InstallerFixture.h>
#include <foundation/paths/fpath.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

using testsupport::fileExists;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
  return {lines.begin(), lines.end()};
}

TEST(StartupMergeTest, PathLinesAreRecognisedInEveryForm) {
  struct Row {
    const char* line;
    int path;
    const char* folders;
  } rows[] = {
      {"PATH=C:\\DOS", 1, "C:\\DOS"},
      {"path C:\\DOS;C:\\WIN", 1, "C:\\DOS;C:\\WIN"},
      {"  Path = C:\\DOS", 1, "C:\\DOS"},
      {"SET PATH=C:\\DOS", 1, "C:\\DOS"},
      {"set path = D:\\", 1, "D:\\"},
      {"PATHS=C:\\", 0, ""},
      {"SET PATHX=C:\\", 0, ""},
      {"SET TEMP=C:\\TEMP", 0, ""},
      {"rem path", 0, ""},
  };
  for (const Row& row : rows) {
    std::string folders;
    EXPECT_EQ(row.path, IsPathLine(row.line, folders)) << row.line;
    if (row.path) {
      EXPECT_EQ(row.folders, folders) << row.line;
    }
  }
}

TEST(StartupMergeTest, NewLinesMergeIntoTheFileAsTheFileKindAllows) {
  struct Row {
    const char* name;
    int autoexec, first;
    std::vector<std::string> current, added, merged;
  } rows[] = {
      {"equal lines are dropped", 1, 0, Lines({"@ECHO OFF", "SET A=1"}), Lines({"set a=1", "SET B=2"}),
       Lines({"@ECHO OFF", "SET A=1", "SET B=2"})},
      {"a path line gains only missing folders", 1, 0, Lines({"PATH=C:\\D;"}), Lines({"PATH=c:\\d;C:\\T"}),
       Lines({"PATH=C:\\D;C:\\T"})},
      {"a path without = keeps the user's folders", 1, 0, Lines({"PATH C:\\DOS"}),
       Lines({"SET PATH=C:\\APP"}), Lines({"PATH C:\\DOS;C:\\APP"})},
      {"the first of two path lines is merged into", 1, 0, Lines({"PATH=A", "PATH=B"}), Lines({"PATH=C"}),
       Lines({"PATH=A;C", "PATH=B"})},
      {"new lines first", 1, 1, Lines({"X"}), Lines({"Y", "Z"}), Lines({"Y", "Z", "X"})},
      {"config.sys has no merge rule", 0, 0, Lines({"PATH=A"}), Lines({"PATH=B"}),
       Lines({"PATH=A", "PATH=B"})},
      {"an empty file", 1, 0, {}, Lines({"PATH=A"}), Lines({"PATH=A"})},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.merged, MergeStartupLines(row.current, row.added, row.autoexec, row.first)) << row.name;
}

TEST(StartupMergeTest, TheFileIsReplacedAndItsOldTextKeptUnderTheBackupName) {
  InstallerFixture f;
  f.installer.switchlog(&f.log);
  std::string file = f.file("autoexec.bat"), lines = f.file("strs");
  writeFile(lines, "PATH=C:\\APP\r\nSET X=1\r\n");
  writeFile(file, "PATH C:\\DOS\r\n");
  ASSERT_TRUE(EditStartupFile(f.installer, file.c_str(), lines.c_str(), 0, 1));
  EXPECT_EQ("PATH C:\\DOS;C:\\APP\r\nSET X=1\r\n", readFile(file));
  EXPECT_EQ("PATH C:\\DOS\r\n", readFile(f.file("autoexec.bak")));
  ASSERT_EQ(1u, f.log.records.size());
  EXPECT_EQ(LogFileRenamed, f.log.records[0].type());

  // A missing file is an empty one, and the new file is logged as created.
  std::string config = f.file("config.sys");
  writeFile(lines, "FILES=40\r\n");
  ASSERT_TRUE(EditStartupFile(f.installer, config.c_str(), lines.c_str(), 0, 1));
  EXPECT_EQ("FILES=40\r\n", readFile(config));
  ASSERT_EQ(2u, f.log.records.size());
  EXPECT_EQ(LogFileCreated, f.log.records[1].type());
  EXPECT_FALSE(EditStartupFile(f.installer, config.c_str(), f.file("none").c_str(), 0, 1));
}

// The merged copy cannot take the file's place (another program holds it open): the file is moved
// back and nothing is logged, so the uninstall never looks for a rename that did not stand.
TEST(StartupMergeTest, AMergeThatCannotBePutInPlaceLogsNothing) {
  InstallerFixture f;
  f.installer.switchlog(&f.log);
  f.installer.quiet = 1;
  LanguageLibrary library;
  ASSERT_EQ(1, LoadEnglishLibrary(library));
  std::string file = f.file("autoexec.bat"), lines = f.file("strs");
  writeFile(lines, "SET X=1\r\n");
  writeFile(file, "PATH C:\\DOS\r\n");
  // The merged copy's name: the first free one of its stem beside the file.
  fpathbuf copy;
  ASSERT_TRUE(fpath::setuniquebeside(copy, cpathref(file.c_str()), "autox"));
  HANDLE holder = INVALID_HANDLE_VALUE;
  testsupport::ModalAnswerer answerer;
  answerer.act("Start-up File Changes", [&](HWND dialog) {
    holder = CreateFileA(copy.str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_FALSE(EditStartupFile(f.installer, file.c_str(), lines.c_str(), 0, 0));
  EXPECT_NE(INVALID_HANDLE_VALUE, holder);
  CloseHandle(holder);
  EXPECT_EQ("PATH C:\\DOS\r\n", readFile(file));
  EXPECT_FALSE(fileExists(f.file("autoexec.bak")));
  EXPECT_EQ("", f.log.lines());
}

} // namespace
