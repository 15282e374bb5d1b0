#include <foundation/system/reboot.h>

#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <string>
#include <vector>

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Records the calls; delayed moves fail with `error` (as on systems without them) unless told
// otherwise, and the rename list goes to a file of the test.
class fakereboot : public rebootcalls {
public:
  explicit fakereboot(std::string list) : list_(std::move(list)) { previous_ = SetRebootCalls(this); }
  ~fakereboot() { SetRebootCalls(previous_); }

  int exitwindows(UINT flags) override {
    calls.push_back("exit " + std::to_string(flags));
    return 1;
  }
  int movefileex(const char* source, const char* target, DWORD flags) override {
    calls.push_back(std::string("move ") + source + " " + target + " " + std::to_string(flags));
    if (!moves)
      SetLastError(error);
    return moves;
  }
  const char* renamefile() override { return list_.c_str(); }

  std::vector<std::string> calls;
  int moves = 0;
  DWORD error = ERROR_CALL_NOT_IMPLEMENTED;

private:
  std::string list_;
  rebootcalls* previous_;
};

std::string shortName(const std::string& path) {
  char buffer[MAX_PATH] = "";
  GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return buffer;
}

} // namespace

TEST(RebootTest, RestartGoesThroughTheSeam) {
  TempDir dir;
  fakereboot calls(dir.file("wininit.ini"));
  EXPECT_EQ(1, RestartWindows());
  EXPECT_EQ((std::vector<std::string>{"exit " + std::to_string(EWX_REBOOT)}), calls.calls);
}

TEST(RebootTest, DelayedMoveWhenTheSystemHasIt) {
  TempDir dir;
  fakereboot calls(dir.file("wininit.ini"));
  calls.moves = 1;
  EXPECT_EQ(1, RenameOnReboot(cpathref("c:\\new.dll"), cpathref("c:\\old.dll")));
  EXPECT_EQ(
      (std::vector<std::string>{"move c:\\new.dll c:\\old.dll " +
                                std::to_string(MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)}),
      calls.calls);
  EXPECT_FALSE(testsupport::fileExists(dir.file("wininit.ini")));
}

TEST(RebootTest, WithoutDelayedMovesTheRenameListTakesShortNames) {
  TempDir dir;
  std::string list = dir.file("wininit.ini");
  fakereboot calls(list);
  std::string source = dir.file("a long source name.tmp");
  std::string target = dir.file("a long target name.dll");
  ASSERT_TRUE(writeFile(source, "new"));
  ASSERT_TRUE(writeFile(target, "old"));
  EXPECT_EQ(1, RenameOnReboot(cpathref(source.c_str()), cpathref(target.c_str())));
  std::string shortSource = shortName(source), shortTarget = shortName(target);
  ASSERT_NE(source, shortSource);
  EXPECT_EQ("[rename]\r\n" + shortTarget + "=" + shortSource + "\r\n", readFile(list));

  // A target that does not exist yet has no short name: its long name is listed.
  std::string fresh = dir.file("not there yet.dll");
  EXPECT_EQ(1, RenameOnReboot(cpathref(source.c_str()), cpathref(fresh.c_str())));
  EXPECT_NE(std::string::npos, readFile(list).find(fresh + "=" + shortSource + "\r\n"));
}

TEST(RebootTest, AFailedDelayedMoveIsAFailureNotARenameList) {
  struct Case {
    const char* name;
    DWORD error;
  };
  for (const Case& c : {Case{"no rights", ERROR_ACCESS_DENIED}, Case{"no such file", ERROR_FILE_NOT_FOUND}}) {
    TempDir dir;
    fakereboot calls(dir.file("wininit.ini"));
    calls.error = c.error;
    EXPECT_EQ(0, RenameOnReboot(cpathref("c:\\new.dll"), cpathref("c:\\old.dll"))) << c.name;
    EXPECT_FALSE(testsupport::fileExists(dir.file("wininit.ini"))) << c.name;
  }
}
