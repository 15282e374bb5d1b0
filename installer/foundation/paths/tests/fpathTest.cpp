#include <foundation/tests/checkrecorder.h>

#include <foundation/paths/fpath.h>
#include <foundation/registry/systime.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::fileExists;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// One operation on a path that starts as `start`: its answer and the path it leaves.
struct PathCase {
  const char* name;
  const char* start;
  std::function<int(fpathbuf&)> operation;
  int result;
  const char* expected;
};

void runCases(const std::vector<PathCase>& cases) {
  for (const PathCase& c : cases) {
    fpathbuf path(c.start);
    int result = c.operation(path);
    EXPECT_EQ(c.result, result) << c.name;
    if (c.expected) {
      EXPECT_STREQ(c.expected, path.str()) << c.name;
    }
  }
}

// A query of `source` that sets an output path, which starts as "unchanged".
std::function<int(fpathbuf&)> into(int (*query)(const cpath&, fpath&)) {
  return [query](fpathbuf& path) {
    fpathbuf out("unchanged");
    int result = query(fpathbuf(path), out);
    path = out;
    return result;
  };
}

} // namespace

TEST(FPATHTest, PartsOfAPath) {
  runCases({
      {"dir of a file", "c:\\a\\b.txt", into(fpath::getdir), 1, "c:\\a"},
      {"dir of a file in the root", "c:\\b.txt", into(fpath::getdir), 1, "c:"},
      {"dir of a bare name", "b.txt", into(fpath::getdir), 1, ""},
      {"name with extension", "c:\\a\\b.txt", into(fpath::getname), 1, "b.txt"},
      {"root of a path", "c:\\a\\b.txt", into(fpath::getroot), 1, "c:\\"},
      {"root of a bare drive", "d:", into(fpath::getroot), 1, "d:\\"},
      {"parent", "c:\\a\\b", into(fpath::getparent), 1, "c:\\a"},
      {"parent by slash", "c:/a/b", into(fpath::getparent), 1, "c:/a"},
      {"parent of a file in the root", "c:\\a", into(fpath::getparent), 1, "c:"},
      {"no parent of a bare drive", "c:", into(fpath::getparent), 0, "unchanged"},
      {"no parent without a separator", "abc", into(fpath::getparent), 0, "unchanged"},
  });
}

TEST(FPATHTest, ExtensionsNamesAndJoins) {
  runCases({
      {"extension with its dot", "c:\\a\\b.txt", [](fpathbuf& p) { return fpath::setext(p, ".dat"); }, 1,
       "c:\\a\\b.dat"},
      {"extension without its dot", "c:\\a\\b.txt", [](fpathbuf& p) { return fpath::setext(p, "dat"); }, 1,
       "c:\\a\\b.dat"},
      {"extension added", "c:\\a\\b", [](fpathbuf& p) { return fpath::setext(p, "dat"); }, 1, "c:\\a\\b.dat"},
      {"extension stripped", "c:\\a.b\\c.txt", [](fpathbuf& p) { return fpath::stripext(p); }, 1,
       "c:\\a.b\\c"},
      {"last letter of a three-letter extension", "x\\f.dll",
       [](fpathbuf& p) { return fpath::setextlastchar(p, '_'); }, 1, "x\\f.dl_"},
      {"letter after a one-letter extension", "x\\f.c",
       [](fpathbuf& p) { return fpath::setextlastchar(p, '_'); }, 1, "x\\f.c_"},
      {"suffix to the name", "c:\\a\\b.txt", [](fpathbuf& p) { return fpath::appendtoname(p, "2"); }, 1,
       "c:\\a\\b2.txt"},
      {"moved to a folder", "c:\\a\\b.txt",
       [](fpathbuf& p) { return fpath::movetodir(p, cpathref("d:\\x\\")); }, 1, "d:\\x\\b.txt"},
      {"name replaced", "c:\\a\\b.txt", [](fpathbuf& p) { return fpath::setname(p, cpathref("n.ini")); }, 1,
       "c:\\a\\n.ini"},
      {"join adds one backslash", "", [](fpathbuf& p) { return fpath::setjoin(p, "c:\\a", "b"); }, 1,
       "c:\\a\\b"},
      {"join keeps a backslash", "", [](fpathbuf& p) { return fpath::setjoin(p, "c:\\", "b"); }, 1, "c:\\b"},
      {"join to an empty folder", "", [](fpathbuf& p) { return fpath::setjoin(p, "", "b"); }, 1, "b"},
      {"drive", "", [](fpathbuf& p) { return fpath::setdrive(p, 3); }, 1, "d:"},
      {"drive root", "", [](fpathbuf& p) { return fpath::setdriveroot(p, 2); }, 1, "c:\\"},
      {"relative to a base", "c:\\base\\x\\y\\f.txt",
       [](fpathbuf& p) { return fpath::relativeto(fpathbuf(p), cpathref("C:\\BASE"), p); }, 1, "x\\y\\f.txt"},
      {"relative to a base it is not under", "c:\\other\\f.txt",
       [](fpathbuf& p) { return fpath::relativeto(fpathbuf(p), cpathref("c:\\base"), p); }, 0, nullptr},
  });
}

TEST(FPATHTest, Predicates) {
  struct Case {
    const char* name;
    int result;
    int expected;
  } cases[] = {
      {"under its folder", fpath::isunder(cpathref("C:\\Dir\\file"), cpathref("c:\\dir")), 6},
      {"the folder itself", fpath::isunder(cpathref("c:\\dir"), cpathref("c:\\dir")), 6},
      {"a sibling with a longer name", fpath::isunder(cpathref("c:\\dir2\\file"), cpathref("c:\\dir")), 0},
      {"bare drive", fpath::isdriveonly(cpathref("c:")), 1},
      {"drive root", fpath::isdriveonly(cpathref("c:\\")), 0},
      {"extension in any case", fpath::hasext(cpathref("A.DLL"), ".dll"), 1},
      {"extension as the whole name", fpath::hasext(cpathref(".dll"), ".dll"), 0},
      {"ocx", fpath::isocx(cpathref("x.ocx")), 1},
      {"equal in any case", fpath::equals(cpathref("C:\\A"), cpathref("c:\\a")), 1},
      {"drive number", fpath::drive(cpathref("D:\\x")), 3},
      {"empty", fpath::isempty(cpathref("")), 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, c.result) << c.name;
}

TEST(FPATHTest, ExtensionWithoutItsDotIsAFailedCheckAndStillTested) {
  CheckRecorder recorder;
  EXPECT_EQ(1, fpath::hasext(cpathref("a.dll"), "dll"));
  EXPECT_THAT(recorder.seen, testing::ElementsAre(CheckRecorder::Pair{"FPATH", 851}));
}

// A truncated path can name another, existing file, so a path that does not fit is refused.
TEST(FPATHTest, OverLongPathsAreRefusedNeverCut) {
  std::string fits(127, 'a'), tooLong(128, 'a');
  fpathbuf path("c:\\old");
  EXPECT_EQ(1, path.set(fits.c_str()));
  EXPECT_EQ(fits, path.str());
  EXPECT_EQ(0, path.set(tooLong.c_str()));
  EXPECT_STREQ("", path.str());

  fpathbuf joined;
  EXPECT_EQ(0, fpath::setjoin(joined, std::string(120, 'd').c_str(), "name.txt"));
  EXPECT_STREQ("", joined.str());
  EXPECT_EQ(0, fpath::setf(joined, "%s\\%s", fits.c_str(), "x"));

  char small[8];
  EXPECT_EQ(0, fpath::copyto(cpathref("c:\\longer"), small, sizeof small));
  EXPECT_STREQ("", small);
}

TEST(FPATHTest, FoldersOfTheEngine) {
  TempDir deep;
  std::string folder = deep.path();
  while (folder.size() < 140) {
    folder += "\\deeper";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  }
  EXPECT_EQ(2, fpath::mkdirs(cpathref((folder + "\\more").c_str())));

  fpathbuf module, moduleDir, windows;
  EXPECT_EQ(1, fpath::setmodule(module));
  EXPECT_EQ(1, fpath::setmoduledir(moduleDir));
  EXPECT_EQ(1, fpath::isunder(module, moduleDir) > 0);
  EXPECT_EQ(1, fpath::setwindir(windows));
  EXPECT_EQ(1, fpath::isdir(windows));

  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  fpathbuf here("unchanged");
  EXPECT_EQ(0, fpath::setcurdir(here));
  SetCurrentDirectoryA(current);
  EXPECT_EQ(1, fpath::setcurdir(here));
  EXPECT_TRUE(fpath::equals(here, cpathref(current)));
}

TEST(FPATHTest, DirectoriesAreMadeLevelByLevel) {
  TempDir dir;
  std::string a = dir.file("a"), abc = dir.file("a\\b\\c");
  EXPECT_EQ(1, fpath::exists(cpathref("q:")));
  EXPECT_EQ(0, fpath::mkdir(cpathref(a.c_str())));
  EXPECT_EQ(1, fpath::mkdir(cpathref(a.c_str())));
  EXPECT_EQ(2, fpath::mkdir(cpathref(dir.file("x\\y").c_str())));
  EXPECT_EQ(0, fpath::mkdirs(cpathref(abc.c_str())));
  EXPECT_EQ(1, fpath::isdir(cpathref(abc.c_str())));
  EXPECT_EQ(1, fpath::mkdirs(cpathref(abc.c_str())));

  EXPECT_EQ(0, fpath::hasentries(cpathref(abc.c_str())));
  EXPECT_EQ(1, fpath::hasentries(cpathref(a.c_str())));
  EXPECT_EQ(0, fpath::rmdir(cpathref(a.c_str())));
  EXPECT_EQ(1, fpath::rmdir(cpathref(abc.c_str())));
  EXPECT_FALSE(fileExists(abc));
  EXPECT_EQ(1, fpath::rmdir(cpathref(abc.c_str())));
}

// Removing a directory first leaves it as the current directory; a relative name still means the
// directory it named before.
TEST(FPATHTest, RelativeDirectoryIsRemovedFromWhereItWasNamed) {
  TempDir dir;
  ASSERT_EQ(1, fpath::chdir(cpathref(dir.path().c_str())));
  fpathbuf here;
  ASSERT_EQ(1, fpath::setcurdir(here));
  EXPECT_TRUE(fpath::equals(here, cpathref(dir.path().c_str())));

  ASSERT_EQ(0, fpath::mkdir(cpathref("rel")));
  EXPECT_EQ(1, fpath::rmdir(cpathref("rel")));
  EXPECT_FALSE(fileExists(dir.file("rel")));
}

TEST(FPATHTest, TreeRemovalStaysInsideItsTree) {
  TempDir dir;
  for (const char* folder : {"tree", "tree\\sub", "tree\\sub\\deep", "tree2", "keep"})
    ASSERT_TRUE(CreateDirectoryA(dir.file(folder).c_str(), nullptr));
  for (const char* file : {"tree\\a.txt", "tree\\sub\\b.txt", "tree\\sub\\deep\\c.txt", "tree2\\d.txt",
                           "keep\\e.txt", "tree.txt"})
    ASSERT_TRUE(writeFile(dir.file(file), "x"));
  SetFileAttributesA(dir.file("tree\\sub\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);

  EXPECT_EQ(1, fpath::rmtree(cpathref(dir.file("tree").c_str())));
  EXPECT_FALSE(fileExists(dir.file("tree")));
  for (const char* survivor : {"tree2\\d.txt", "keep\\e.txt", "tree.txt"})
    EXPECT_TRUE(fileExists(dir.file(survivor))) << survivor;

  EXPECT_EQ(0, fpath::deletecontents(cpathref(dir.file("keep\\e.txt").c_str())));
  EXPECT_TRUE(fileExists(dir.file("keep\\e.txt")));
}

// A script path that expands to a root or to where the program stands names no tree of its own: the
// walk would empty a drive or a folder nobody named.
TEST(FPATHTest, RootsAndTheCurrentDirectoryAreNeverEmptied) {
  TempDir dir;
  ASSERT_TRUE(CreateDirectoryA(dir.file("here").c_str(), nullptr));
  ASSERT_TRUE(writeFile(dir.file("here\\kept.txt"), "x"));
  ASSERT_EQ(1, fpath::chdir(cpathref(dir.file("here").c_str())));
  for (const char* path : {"", "c:", ".", ".\\", "./", "..\\here", "\\", "/", "c:\\", "C:/",
                           "c:\\windows\\..", "\\\\server\\share", "\\\\server\\share\\"})
    EXPECT_EQ(0, fpath::deletecontents(cpathref(path))) << path;
  EXPECT_TRUE(fileExists(dir.file("here\\kept.txt")));
  ASSERT_EQ(1, fpath::chdir(cpathref(dir.path().c_str())));
}

TEST(FPATHTest, BackupAndUniqueNamesNeverReuseAnExistingName) {
  TempDir dir;
  std::string source = dir.file("data.ini");
  ASSERT_TRUE(writeFile(dir.file("data.bak"), ""));
  ASSERT_TRUE(writeFile(dir.file("data.000"), ""));
  fpathbuf backup;
  EXPECT_EQ(1, fpath::setbackupname(backup, cpathref(source.c_str())));
  EXPECT_EQ(dir.file("data.001"), backup.str());

  ASSERT_TRUE(writeFile(dir.file("kx000.000"), ""));
  ASSERT_TRUE(writeFile(dir.file("kx000.001"), ""));
  fpathbuf unique;
  EXPECT_EQ(1, fpath::setuniquebeside(unique, cpathref(source.c_str()), "kx"));
  EXPECT_EQ(dir.file("kx000.002"), unique.str());
}

TEST(FPATHTest, FileQueriesAndChanges) {
  TempDir dir;
  std::string file = dir.file("f.bin");
  std::string bytes(5000, 'x');
  bytes.replace(4094, 5, "NEEDL");
  bytes.replace(4500, 6, "NEEDLE");
  ASSERT_TRUE(writeFile(file, bytes));

  EXPECT_EQ(5000, fpath::size(cpathref(file.c_str())));
  EXPECT_EQ(-1, fpath::size(cpathref(dir.file("none").c_str())));
  EXPECT_EQ(4500, fpath::findbytes(cpathref(file.c_str()), "NEEDLE"));
  EXPECT_EQ(4094, fpath::findbytes(cpathref(file.c_str()), "NEEDL"));
  EXPECT_EQ(-1, fpath::findbytes(cpathref(file.c_str()), "absent"));
  EXPECT_EQ(1, fpath::setsize(cpathref(file.c_str()), 10));
  EXPECT_EQ(10, fpath::size(cpathref(file.c_str())));

  systime when;
  when.wYear = 2001;
  when.wMonth = 2;
  when.wDay = 3;
  when.wHour = 4;
  when.wMinute = 5;
  when.wSecond = 6;
  ASSERT_EQ(1, fpath::settime(cpathref(file.c_str()), when));
  systime read;
  ASSERT_EQ(1, fpath::gettime(cpathref(file.c_str()), read));
  EXPECT_EQ(0, systime::compare(when, read));
  ASSERT_TRUE(writeFile(dir.file("newer"), ""));
  EXPECT_EQ(-1, fpath::comparetimes(cpathref(file.c_str()), cpathref(dir.file("newer").c_str())));
  EXPECT_EQ(1, fpath::comparetimes(cpathref(file.c_str()), cpathref(dir.file("missing").c_str())));

  EXPECT_EQ(1, fpath::renamein(cpathref(dir.path().c_str()), cpathref("f.bin"), cpathref("g.bin")));
  EXPECT_TRUE(fileExists(dir.file("g.bin")));
  SetFileAttributesA(dir.file("g.bin").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(1, fpath::remove(cpathref(dir.file("g.bin").c_str())));
  EXPECT_FALSE(fileExists(dir.file("g.bin")));
}

TEST(FPATHTest, ShortAndLongNamesNameTheSameFile) {
  TempDir dir;
  ASSERT_TRUE(CreateDirectoryA(dir.file("A long folder name").c_str(), nullptr));
  std::string file = dir.file("A long folder name\\a long file name.text");
  ASSERT_TRUE(writeFile(file, "x"));

  fpathbuf path(file.c_str());
  ASSERT_EQ(1, fpath::toshort(path));
  EXPECT_EQ(std::string::npos, std::string(path.str()).find(' ')) << path.str();
  EXPECT_EQ(1, fpath::exists(path));
  ASSERT_EQ(1, fpath::setlongname(path));
  EXPECT_TRUE(std::string(path.str()).ends_with("\\a long file name.text")) << path.str();

  fpathbuf missing(dir.file("none.txt").c_str());
  EXPECT_EQ(0, fpath::shortenlast(missing));
}

TEST(FPATHTest, SharedAndCommonFilesFolders) {
  fpathbuf shared, common;
  EXPECT_EQ(1, fpath::setshareddir(shared));
  EXPECT_EQ(1, fpath::setcommonfilesdir(common));
  EXPECT_EQ(1, fpath::isdir(common)) << common.str();
}
