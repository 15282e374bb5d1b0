#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/hostlink.h>

#include <foundation/files/dirscan.h>

#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <algorithm>
#include <string>
#include <vector>

using testsupport::fileExists;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Records what reaches it, as paths relative to the walked folder ("d:" for directories), and stops
// after `limit` entries when asked to.
class recorder : public dirscan {
public:
  explicit recorder(const std::string& base) : base_(base + "\\") {}

  int file(const cpath& path) override { return note(path, ""); }
  int dir(const cpath& path) override { return note(path, "d:"); }
  int keepgoing() override { return static_cast<int>(seen.size()) < goOnFor; }

  std::vector<std::string> seen;
  int goOnFor = 1000;
  int entryAnswer = 1;

private:
  int note(const cpath& path, const char* kind) {
    std::string text = path.str();
    if (text.compare(0, base_.size(), base_) == 0)
      text.erase(0, base_.size());
    seen.push_back(kind + text);
    return entryAnswer;
  }

  std::string base_;
};

void makeTree(const TempDir& dir, std::initializer_list<const char*> folders,
              std::initializer_list<const char*> files) {
  for (const char* folder : folders)
    ASSERT_TRUE(CreateDirectoryA(dir.file(folder).c_str(), nullptr)) << folder;
  for (const char* file : files)
    ASSERT_TRUE(writeFile(dir.file(file), "x")) << file;
}

size_t position(const std::vector<std::string>& seen, const std::string& entry) {
  return static_cast<size_t>(std::find(seen.begin(), seen.end(), entry) - seen.begin());
}

} // namespace

TEST(ENUMFILETest, WalkPassesContentsBeforeTheirDirectory) {
  TempDir dir;
  makeTree(dir, {"a", "a\\b", "a\\e"}, {"a\\b\\c.txt", "a\\d.txt", "a\\e\\f.txt"});
  recorder walker(dir.file("a"));
  walker.recurse = 1;
  EXPECT_EQ(1, walker.walk(cpathref(dir.file("a").c_str())));
  std::vector<std::string> sorted = walker.seen;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ((std::vector<std::string>{"b\\c.txt", "d.txt", "d:b", "d:e", "e\\f.txt"}), sorted);
  EXPECT_LT(position(walker.seen, "b\\c.txt"), position(walker.seen, "d:b"));
  EXPECT_LT(position(walker.seen, "e\\f.txt"), position(walker.seen, "d:e"));

  recorder flat(dir.file("a"));
  EXPECT_EQ(1, flat.walk(cpathref(dir.file("a").c_str())));
  sorted = flat.seen;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ((std::vector<std::string>{"d.txt", "d:b", "d:e"}), sorted);
}

TEST(ENUMFILETest, StoppingEndsTheWalkWithZero) {
  TempDir dir;
  makeTree(dir, {"a", "a\\b"}, {"a\\1.txt", "a\\2.txt", "a\\b\\3.txt", "a\\b\\4.txt"});
  struct Case {
    const char* name;
    int goOnFor;
    int entryAnswer;
    size_t seen;
  };
  for (const Case& c : {Case{"keep-going answers 0 at once", 0, 1, 0}, Case{"keep-going after two", 2, 1, 2},
                        Case{"entry answers 0", 1000, 0, 1}}) {
    recorder walker(dir.file("a"));
    walker.recurse = 1;
    walker.goOnFor = c.goOnFor;
    walker.entryAnswer = c.entryAnswer;
    EXPECT_EQ(0, walker.walk(cpathref(dir.file("a").c_str()))) << c.name;
    EXPECT_EQ(c.seen, walker.seen.size()) << c.name;
  }
}

TEST(ENUMFILETest, WalkOfAMissingFolderOrAFile) {
  TempDir dir;
  makeTree(dir, {}, {"plain.txt"});
  CheckRecorder checks;
  recorder walker(dir.path());
  EXPECT_EQ(0, walker.walk(cpathref(dir.file("missing").c_str())));
  EXPECT_TRUE(checks.seen.empty());
  EXPECT_EQ(0, walker.walk(cpathref(dir.file("plain.txt").c_str())));
  EXPECT_EQ((std::vector<CheckRecorder::Pair>{{"ENUMFILE", 47}}), checks.seen);
  EXPECT_TRUE(walker.seen.empty());
}

TEST(ENUMFILETest, ScanMatchesTheMaskAndRecursesOnlyWhenAsked) {
  TempDir dir;
  makeTree(dir, {"s", "s\\sub", "s\\dir.txt"},
           {"s\\a.txt", "s\\b.dat", "s\\sub\\c.txt", "s\\sub\\d.dat", "s\\dir.txt\\e.txt"});
  std::string pattern = dir.file("s\\*.txt");

  recorder flat(dir.file("s"));
  EXPECT_EQ(1, flat.scan(cpathref(pattern.c_str())));
  EXPECT_EQ((std::vector<std::string>{"a.txt"}), flat.seen);

  recorder deep(dir.file("s"));
  deep.recurse = 1;
  EXPECT_EQ(1, deep.scan(cpathref(pattern.c_str())));
  std::sort(deep.seen.begin(), deep.seen.end());
  EXPECT_EQ((std::vector<std::string>{"a.txt", "dir.txt\\e.txt", "sub\\c.txt"}), deep.seen);

  recorder stopped(dir.file("s"));
  stopped.recurse = 1;
  stopped.goOnFor = 1;
  EXPECT_EQ(0, stopped.scan(cpathref(pattern.c_str())));
  EXPECT_EQ(1u, stopped.seen.size());
}

TEST(ENUMFILETest, APathPastTheLimitStopsTheWalk) {
  TempDir dir;
  std::string deep = dir.path();
  while (deep.size() < 200)
    ASSERT_TRUE(CreateDirectoryA((deep += "\\folder_of_some_length").c_str(), nullptr));
  std::string longName(MAX_PATH - deep.size() + 10, 'n');
  std::string file = deep + "\\" + longName;
  if (!makeHostFile(file))
    GTEST_SKIP() << "the host made no file with a path of " << file.size() << " characters";

  recorder walker(dir.path());
  walker.recurse = 1;
  EXPECT_EQ(0, walker.walk(cpathref(dir.path().c_str())));
  for (const std::string& seen : walker.seen)
    EXPECT_EQ(std::string::npos, seen.find(longName)) << seen;
  EXPECT_EQ(0, fpath::rmtree(cpathref(dir.path().c_str())));
  removeHostLink(file);
}

TEST(ENUMFILETest, RemovalNeverFollowsALinkOutOfTheTree) {
  TempDir dir;
  makeTree(dir, {"target", "tree", "tree\\sub"}, {"target\\keep.txt", "tree\\a.txt", "tree\\sub\\b.txt"});
  if (!makeHostLink(dir.file("target"), dir.file("tree\\sub\\link")))
    GTEST_SKIP() << "no link could be made on the host side";
  int attributes = 0;
  ASSERT_EQ(0, fpath::getattr(cpathref(dir.file("tree\\sub\\link").c_str()), attributes));
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);

  EXPECT_EQ(0, fpath::rmtree(cpathref(dir.file("tree").c_str())));
  EXPECT_TRUE(fileExists(dir.file("target\\keep.txt")));
  removeHostLink(dir.file("tree\\sub\\link"));
}

TEST(ENUMFILETest, RemovalClearsReadOnlyTreesAndRefusesRoots) {
  TempDir dir;
  makeTree(dir, {"tree", "tree\\sub"}, {"tree\\a.txt", "tree\\sub\\b.txt", "keep.txt"});
  SetFileAttributesA(dir.file("tree\\sub\\b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(dir.file("tree\\sub").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(1, fpath::rmtree(cpathref(dir.file("tree").c_str())));
  EXPECT_FALSE(fileExists(dir.file("tree")));
  EXPECT_TRUE(fileExists(dir.file("keep.txt")));

  // A drive's root, on a drive that is only this test's folder.
  HostDrive drive(dir.path());
  if (drive.root().empty())
    GTEST_SKIP() << "no drive could be made for the root";
  std::string root = drive.root();
  std::string bare = root.substr(0, 2);
  ASSERT_TRUE(fileExists(root + "keep.txt"));
  dir.enter();
  SetCurrentDirectoryA(root.c_str());
  for (const std::string& path : {root, bare, std::string("\\"), std::string("")})
    EXPECT_EQ(0, fpath::deletecontents(cpathref(path.c_str()))) << path;
  SetCurrentDirectoryA(dir.path().c_str());
  EXPECT_TRUE(fileExists(dir.file("keep.txt")));
}
