#include <foundation/strings/texthelpers.h>

#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <cstring>
#include <functional>
#include <string>

using testsupport::TempDir;

TEST(TextHelpersTest, BlanksAndTrimming) {
  EXPECT_STREQ("x ", SkipBlanks(" \t x "));
  EXPECT_EQ(1, IsBlank(" \r\n"));
  EXPECT_EQ(0, IsBlank(" \xA0"));
  char first = 0;
  EXPECT_EQ(1, FirstNonBlank("  \xE9t", first));
  EXPECT_EQ('\xE9', first);
  EXPECT_EQ(0, FirstNonBlank("   ", first));

  const char* line = "  key = value  ";
  char out[16];
  EXPECT_EQ(1, TrimCopy(line, line + 5, out, sizeof out));
  EXPECT_STREQ("key", out);
  EXPECT_EQ(1, TrimCopy(line, line + 1, out, sizeof out));
  EXPECT_STREQ("", out);
  char tiny[4];
  EXPECT_EQ(0, TrimCopy(line, line + 14, tiny, sizeof tiny));
  EXPECT_STREQ("", tiny);
}

TEST(TextHelpersTest, PathTextsStayInsideTheirBuffers) {
  // Each helper writes into a buffer of `size` characters.
  struct Case {
    const char* name;
    int size;
    std::function<int(char*, int)> helper;
    int expected;
    const char* expectedOut;
  } cases[] = {
      {"join", 64, [](char* o, int n) { return JoinPath(o, n, "c:\\a", "n"); }, 1, "c:\\a\\n"},
      {"join after a backslash", 64, [](char* o, int n) { return JoinPath(o, n, "c:\\", "n"); }, 1, "c:\\n"},
      {"join to nothing", 64, [](char* o, int n) { return JoinPath(o, n, "", "n"); }, 1, "n"},
      {"join that does not fit", 6, [](char* o, int n) { return JoinPath(o, n, "c:\\a", "n"); }, 0, ""},
      {"dir part, length before the backslash went", 64,
       [](char* o, int n) { return DirPart("c:\\a\\b\\f.txt", o, n); }, 7, "c:\\a\\b"},
      {"dir part of a bare name", 64, [](char* o, int n) { return DirPart("f.txt", o, n); }, 0, ""},
      {"name part", 64, [](char* o, int n) { return NamePart("c:\\a\\f.txt", o, n); }, 1, "f.txt"},
      {"quoted", 64, [](char* o, int n) { return QuoteString(o, n, "a b"); }, 1, "\"a b\""},
      {"quote that does not fit", 5, [](char* o, int n) { return QuoteString(o, n, "a b"); }, 0, ""},
  };
  for (const Case& c : cases) {
    char out[72];
    std::memset(out, '#', sizeof out);
    EXPECT_EQ(c.expected, c.helper(out, c.size)) << c.name;
    EXPECT_STREQ(c.expectedOut, out) << c.name;
    EXPECT_EQ('#', out[c.size]) << c.name;
  }

  EXPECT_EQ(1, HasDrive("c:x"));
  EXPECT_EQ(0, HasDir("c:x"));
  char path[16] = "c:\\a\\old.txt";
  EXPECT_EQ(1, SetNameInPath(path, sizeof path, "new.ini"));
  EXPECT_STREQ("c:\\a\\new.ini", path);
  EXPECT_EQ(0, SetNameInPath(path, sizeof path, "a-much-longer-name.ini"));
}

TEST(TextHelpersTest, MakeDirsAndUniqueNames) {
  TempDir dir;
  std::string deep = dir.file("a\\b\\c");
  EXPECT_EQ(0, MakeDirs(dir.file("top").c_str()));
  EXPECT_EQ(1, MakeDirs(dir.file("top").c_str()));
  EXPECT_EQ(0, MakeDirs(deep.c_str()));
  EXPECT_EQ(1, MakeDirs(deep.c_str()));

  char name[260];
  ASSERT_EQ(1, UniqueNameInDir(dir.path().c_str(), "st", name, sizeof name));
  std::string first = name;
  testsupport::writeFile(first, "");
  ASSERT_EQ(1, UniqueNameBeside(dir.file("x.txt").c_str(), "st", name, sizeof name));
  EXPECT_NE(first, name);
  EXPECT_EQ(0, UniqueNameInDir(dir.path().c_str(), "thirteenchars", name, sizeof name));
  EXPECT_EQ(0, FileLength(name));
  EXPECT_EQ(0, FileLength(dir.file("missing").c_str()));
}
