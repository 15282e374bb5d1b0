#include <engine/operations/IniFile.h>
#include <engine/operations/TextFile.h>
#include <foundation/tests/checkrecorder.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

using testsupport::fileExists;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Files are written and read in text mode: "\n" on the disk is "\r\n".
std::string OnDisk(const std::string& text) {
  std::string bytes;
  for (char c : text) {
    if (c == '\n')
      bytes += '\r';
    bytes += c;
  }
  return bytes;
}

std::string FromDisk(const std::string& bytes) {
  std::string text;
  for (char c : bytes)
    if (c != '\r')
      text += c;
  return text;
}

const char* const Missing = "<missing>";

struct EditCase {
  const char* name;
  const char* input; // Missing: no file
  std::function<int(const char*)> operation;
  const char* expected; // Missing: no file
  int answer;
};

const EditCase EditCases[] = {
    {"set replaces the entry in a header with other case and blanks",
     "[Other]\na=1\n  [sec]  \nkey = old\nb=2\n",
     [](const char* f) { return IniSetEntry(f, "Sec", "KEY", "new", 0); },
     "[Other]\na=1\n  [sec]  \nKEY=new\nb=2\n", 1},
    {"a header with text after it is no header", "[Sec] x\nkey=1\n",
     [](const char* f) { return IniSetEntry(f, "Sec", "key", "2", 0); }, "[Sec] x\nkey=1\n\n[Sec]\nkey=2\n",
     1},
    {"a comment is no entry", "[Sec]\n; key=value\n",
     [](const char* f) { return IniSetEntry(f, "Sec", "key", "v", 0); }, "[Sec]\n; key=value\nkey=v\n", 1},
    {"second occurrence of a single key is appended", "[Sec]\nkey=1\nother=2\n",
     [](const char* f) { return IniSetEntry(f, "Sec", "key", "3", 1); }, "[Sec]\nkey=1\nother=2\nkey=3\n", 1},
    {"one empty line before the next section", "[Sec]\nkey=1\n\n\n\n[Next]\nx=1\n",
     [](const char* f) { return IniSetEntry(f, "Sec", "new", "2", 0); },
     "[Sec]\nkey=1\nnew=2\n\n[Next]\nx=1\n", 1},
    {"a last line without newline gets one", "[Sec]\nkey=1",
     [](const char* f) { return IniSetEntry(f, "Sec", "key", "2", 0); }, "[Sec]\nkey=2\n", 1},
    {"set in a missing section appends it", "[A]\nx=1\n",
     [](const char* f) { return IniSetEntry(f, "B", "k", "v", 0); }, "[A]\nx=1\n\n[B]\nk=v\n", 1},
    {"set in a missing file creates it", Missing,
     [](const char* f) { return IniSetEntry(f, "B", "k", "v", 0); }, "[B]\nk=v\n", 1},
    {"insert goes before the occurrence", "[Sec]\nkey=1\nkey=2\n",
     [](const char* f) { return IniInsertEntry(f, "Sec", "key", "x", 1); }, "[Sec]\nkey=1\nkey=x\nkey=2\n",
     1},
    {"delete entry leaves the other occurrences", "[Sec]\nkey=1\nkey=2\nkey=3\n",
     [](const char* f) { return IniDeleteEntry(f, "Sec", "key", 1); }, "[Sec]\nkey=1\nkey=3\n", 1},
    {"delete entry touches only the target section", "[A]\nkey=1\n[Sec]\nkey=2\n",
     [](const char* f) { return IniDeleteEntry(f, "Sec", "key", 0); }, "[A]\nkey=1\n[Sec]\n", 1},
    {"delete key removes every occurrence", "[Sec]\nkey=1\nx=0\n KEY =2\n",
     [](const char* f) { return IniDeleteKey(f, "Sec", "key"); }, "[Sec]\nx=0\n", 1},
    {"delete in a missing file succeeds", Missing,
     [](const char* f) { return IniDeleteKey(f, "Sec", "key"); }, Missing, 1},
    {"delete section stops at the next header", "[A]\na=1\n[Sec]\nb=2\n\n[C]\nc=3\n",
     [](const char* f) { return IniDeleteSection(f, "Sec"); }, "[A]\na=1\n[C]\nc=3\n", 1},
    {"delete section of a missing file succeeds", Missing,
     [](const char* f) { return IniDeleteSection(f, "Sec"); }, Missing, 1},
    {"add section appends after one empty line", "[A]\na=1\n",
     [](const char* f) { return IniAddSection(f, "B"); }, "[A]\na=1\n\n[B]\n", 1},
    {"add an existing section changes nothing", "[A]\na=1\n",
     [](const char* f) { return IniAddSection(f, "a"); }, "[A]\na=1\n", 1},
    {"add section to a missing file creates it", Missing, [](const char* f) { return IniAddSection(f, "B"); },
     "[B]\n", 1},
};

class IniEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(IniEditTest, RewritesTheFile) {
  const EditCase& c = GetParam();
  TempDir dir;
  std::string file = dir.file("test.ini");
  if (c.input != Missing) {
    ASSERT_TRUE(writeFile(file, OnDisk(c.input)));
  }
  EXPECT_EQ(c.answer, c.operation(file.c_str()));
  if (c.expected == Missing) {
    EXPECT_FALSE(fileExists(file));
  } else {
    EXPECT_EQ(c.expected, FromDisk(readFile(file)));
  }
  // Nothing is left behind but the file itself.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(dir.file("ini*").c_str(), &found);
  EXPECT_EQ(INVALID_HANDLE_VALUE, search);
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniEditTest, ::testing::ValuesIn(EditCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p)
                             name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

const char* const QueryText = "[Top]\nkey=0\n[Sec]\nkey = one\n; key=comment\n\nother=x\nKEY=two\n"
                              "[Next]\nkey=three\n";

TEST(IniQueryTest, ValuesEntriesAndLinesOfTheSection) {
  TempDir dir;
  std::string file = dir.file("q.ini");
  ASSERT_TRUE(writeFile(file, OnDisk(QueryText)));
  const char* f = file.c_str();
  std::string value, key;
  EXPECT_EQ(1, IniGetValue(f, "sec", "key", 1, value));
  EXPECT_EQ("two", value);
  EXPECT_EQ(0, IniGetValue(f, "sec", "key", 2, value));
  EXPECT_EQ(2, IniCountEntries(f, "Sec", "key"));
  EXPECT_EQ(3, IniCountEntries(f, "Sec", nullptr));
  EXPECT_EQ(-1, IniCountEntries(f, "None", nullptr));
  EXPECT_EQ(1, IniGetEntry(f, "Sec", 1, key, value));
  EXPECT_EQ("other", key);
  EXPECT_EQ("x", value);
  EXPECT_EQ(4, IniCountLines(f, "Sec"));
  EXPECT_EQ(1, IniGetLine(f, "Sec", 1, value));
  EXPECT_EQ("; key=comment", value);
  EXPECT_EQ(-1, IniCountLines(f, "None"));
}

TEST(IniQueryTest, MissingFileAnswersZeroOrMinusOne) {
  TempDir dir;
  const std::string file = dir.file("none.ini");
  std::string value, key;
  EXPECT_EQ(0, IniGetValue(file.c_str(), "Sec", "key", 0, value));
  EXPECT_EQ(0, IniGetEntry(file.c_str(), "Sec", 0, key, value));
  EXPECT_EQ(0, IniGetLine(file.c_str(), "Sec", 0, value));
  EXPECT_EQ(-1, IniCountEntries(file.c_str(), "Sec", nullptr));
  EXPECT_EQ(-1, IniCountLines(file.c_str(), "Sec"));
}

TEST(IniQueryTest, ReadOnlyFileCanBeQueriedButNotEdited) {
  TempDir dir;
  std::string file = dir.file("ro.ini");
  ASSERT_TRUE(writeFile(file, OnDisk("[Sec]\nkey=1\n")));
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  std::string value;
  EXPECT_EQ(1, IniGetValue(file.c_str(), "Sec", "key", 0, value));
  EXPECT_EQ(0, IniSetEntry(file.c_str(), "Sec", "key", "2", 0));
  EXPECT_EQ(0, IniDeleteSection(file.c_str(), "Sec"));
  EXPECT_EQ("[Sec]\nkey=1\n", FromDisk(readFile(file)));
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(IniEditAttributesTest, RewriteKeepsTheFileAttributes) {
  TempDir dir;
  std::string file = dir.file("h.ini");
  ASSERT_TRUE(writeFile(file, OnDisk("[Sec]\nkey=1\n")));
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(1, IniSetEntry(file.c_str(), "Sec", "key", "2", 0));
  EXPECT_EQ("[Sec]\nkey=2\n", FromDisk(readFile(file)));
  EXPECT_TRUE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(IniEditAttributesTest, FileLockedByAnotherWriterIsLeftAlone) {
  TempDir dir;
  std::string file = dir.file("lock.ini");
  ASSERT_TRUE(writeFile(file, OnDisk("[Sec]\nkey=1\n")));
  HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  EXPECT_EQ(0, IniSetEntry(file.c_str(), "Sec", "key", "2", 0));
  CloseHandle(lock);
  EXPECT_EQ("[Sec]\nkey=1\n", FromDisk(readFile(file)));
}

// Text mode ends a file at a Ctrl-Z and a line copied as a C string ends at a NUL: a file that holds
// either (any UTF-16 text does) is refused whole rather than rewritten without what follows.
TEST(IniEditAttributesTest, FileTheEditorCannotReadFaithfullyIsLeftAlone) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"a NUL byte", std::string("[a]\r\nk=1\r\nx=ab\0cd\r\n[b]\r\ny=2\r\n[c]\r\nz=3\r\n", 39)},
      {"a Ctrl-Z", "[a]\r\nk=1\r\n[b]\r\ny=2\x1a tail\r\n[c]\r\nz=3\r\n"},
      {"UTF-16 text", std::string("\xff\xfe[\0a\0]\0\r\0\n\0k\0=\0\x31\0\r\0\n\0", 22)},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::string file = dir.file("odd.ini");
    ASSERT_TRUE(writeFile(file, c.bytes));
    EXPECT_EQ(0, IniSetEntry(file.c_str(), "a", "k", "2", 0)) << c.name;
    EXPECT_EQ(0, IniDeleteSection(file.c_str(), "c")) << c.name;
    EXPECT_EQ(c.bytes, readFile(file)) << c.name;
  }
}

TEST(IniEditAttributesTest, LongLineSurvivesWhole) {
  TempDir dir;
  std::string file = dir.file("long.ini");
  std::string longValue(1500, 'v');
  longValue += "[x]";
  ASSERT_TRUE(writeFile(file, OnDisk("[Sec]\nlong=" + longValue + "\nkey=1\n")));
  EXPECT_EQ(1, IniSetEntry(file.c_str(), "Sec", "key", "2", 0));
  EXPECT_EQ("[Sec]\nlong=" + longValue + "\nkey=2\n", FromDisk(readFile(file)));
  std::string value;
  EXPECT_EQ(1, IniGetValue(file.c_str(), "Sec", "long", 0, value));
  EXPECT_EQ(longValue, value);
}

TEST(TextFileTest, LinesAreSeparatedAndReadBack) {
  TempDir dir;
  std::string file = dir.file("t.txt");
  {
    TextFile out;
    ASSERT_EQ(1, out.open(file.c_str(), 1));
    EXPECT_EQ(1, out.writeline("one"));
    EXPECT_EQ(1, out.writeline(std::string(2000, 'x').c_str()));
    EXPECT_EQ(1, out.writeline("three"));
  }
  EXPECT_EQ("one\n" + std::string(2000, 'x') + "\nthree", FromDisk(readFile(file)));
  TextFile in;
  ASSERT_EQ(1, in.open(file.c_str(), 0));
  char small[8];
  std::string line;
  EXPECT_EQ(1, in.readline(small, sizeof small));
  EXPECT_STREQ("one", small);
  EXPECT_EQ(1, in.readline(small, sizeof small));
  EXPECT_STREQ("xxxxxxx", small);
  EXPECT_EQ(1, in.readline(line));
  EXPECT_EQ("three", line);
  EXPECT_EQ(0, in.readline(line));
}

TEST(TextFileTest, OpeningAnOpenHelperFailsAndKeepsItsFile) {
  TempDir dir;
  std::string file = dir.file("t.txt");
  ASSERT_TRUE(writeFile(file, "a\n"));
  CheckRecorder checks;
  TextFile in;
  ASSERT_EQ(1, in.open(file.c_str(), 0));
  EXPECT_EQ(0, in.open(file.c_str(), 0));
  EXPECT_EQ(1u, checks.seen.size());
  std::string line;
  EXPECT_EQ(1, in.readline(line));
  EXPECT_EQ("a", line);
}

} // namespace
