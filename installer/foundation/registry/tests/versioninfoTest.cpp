#include <tests/support/TestProgram.h>

#include <foundation/registry/versioninfo.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string fixture(const char* name) { return testsupport::testProgramFolder() + name + ".dll"; }

// Answers the question as told and records what it was shown; may move the existing file's path.
class fakeask : public askoverwrite {
public:
  int ask(const cpath& newfile, const versionrecord&, fpath& existing, const versionrecord&) override {
    asked.push_back(std::string(newfile.str()) + " | " + existing.str());
    if (!editedPath.empty())
      existing.set(editedPath.c_str());
    return answer;
  }

  int answer = 0;
  std::string editedPath;
  std::vector<std::string> asked;
};

} // namespace

TEST(VersionInfoTest, RecordsOfFilesWithAndWithoutVersions) {
  struct Case {
    const char* name;
    int result;
    WORD language;
    DWORD versionms;
  };
  const Case cases[] = {
      {"vernone", 1, 0, 0},
      {"vernotranslation", 1, 0, 0x00010000},
      {"ver1000", 0, 0x0409, 0x00010000},
      {"ver1000de", 0, 0x0407, 0x00010000},
  };
  for (const Case& c : cases) {
    versionrecord record;
    EXPECT_EQ(c.result, ReadVersionInfo(cpathref(fixture(c.name).c_str()), record)) << c.name;
    EXPECT_EQ(c.language, record.language) << c.name;
    EXPECT_EQ(c.versionms, record.versionms) << c.name;
    if (c.result == 0) {
      EXPECT_EQ(1252, record.codepage) << c.name;
      EXPECT_EQ(static_cast<DWORD>(VFT_DLL), record.filetype) << c.name;
    }
  }
  versionrecord record;
  EXPECT_EQ(1, ReadVersionInfo(cpathref("c:\\no\\such.dll"), record));
}

TEST(VersionInfoTest, CompareVersionsAsk) {
  struct Case {
    const char* name;
    const char* newer;
    const char* existing;
    int answer; // the user's, when asked
    int result;
    bool asked;
  };
  const Case cases[] = {
      {"higher", "ver2000", "ver1000", 0, 1, false},
      {"lower", "ver1000", "ver2000", 0, -1, false},
      {"equal", "ver1000", "ver1000", 0, 0, false},
      {"low half decides", "ver1005", "ver1000", 0, 1, false},
      {"compared unsigned", "verhigh", "ver2000", 0, 1, false},
      {"only the existing has a version", "vernone", "ver1000", 0, -1, false},
      {"only the new has a version", "ver1000", "vernotranslation", 0, 1, false},
      {"neither", "vernone", "vernotranslation", 0, 0, false},
      {"languages differ, user installs", "ver1000de", "ver2000", 0, 1, true},
      {"languages differ, user keeps", "ver2000", "ver1000de", 1, -1, true},
      {"languages differ, no dialog", "ver1000de", "ver1000", 2, 2, true},
  };
  for (const Case& c : cases) {
    fakeask ask;
    ask.answer = c.answer;
    fpathbuf existing(fixture(c.existing).c_str());
    EXPECT_EQ(c.result, CompareVersionsAsk(cpathref(fixture(c.newer).c_str()), existing, ask)) << c.name;
    EXPECT_EQ(c.asked, !ask.asked.empty()) << c.name;
  }

  fakeask ask;
  ask.editedPath = "c:\\elsewhere\\file.dll";
  fpathbuf existing(fixture("ver1000").c_str());
  EXPECT_EQ(1, CompareVersionsAsk(cpathref(fixture("ver1000de").c_str()), existing, ask));
  ASSERT_EQ(1u, ask.asked.size());
  EXPECT_EQ(fixture("ver1000de") + " | " + fixture("ver1000"), ask.asked[0]);
  EXPECT_STREQ("c:\\elsewhere\\file.dll", existing.str());
}
