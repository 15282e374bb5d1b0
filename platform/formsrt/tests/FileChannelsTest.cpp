#include <formsrt/FileChannels.h>
#include <formsrt/FileSystem.h>
#include <formsrt/Text.h>
#include <formsrt/tests/ErrorOf.h>

#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

using namespace formsrt;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

struct FileChannelsTest : ::testing::Test {
  TempDir dir;
  std::string path = dir.file("data.txt");
  ~FileChannelsTest() override { CloseAll(); }

  std::vector<std::string> readAllFields() {
    Open(path, OpenMode::Input, 2);
    std::vector<std::string> fields;
    while (!EndOfFile(2))
      fields.push_back(InputField(2));
    Close(2);
    return fields;
  }
};

TEST_F(FileChannelsTest, ReaderSplitsQuotedAndUnquotedFieldsAcrossLines) {
  struct Case {
    const char* name;
    const char* bytes;
    std::vector<std::string> fields;
  } cases[] = {
      {"quoted", "\"01/01\",\"New Year's Day\",\"\",\"04\"\r\n", {"01/01", "New Year's Day", "", "04"}},
      {"unquoted trimmed", "  a b , c\r\nd\r\n", {"a b", "c", "d"}},
      {"comma inside quotes", "\"x,y\",z\r\n", {"x,y", "z"}},
      {"text after closing quote dropped", "\"ab\"cd,e\r\n", {"ab", "e"}},
      {"no final line end", "\"a\",\"b\"", {"a", "b"}},
      {"line feed only", "a\nb\n", {"a", "b"}},
      {"two-field records read in sequence", "\"1\",\"2\"\r\n\"3\",\"4\"\r\n", {"1", "2", "3", "4"}},
  };
  for (const Case& c : cases) {
    writeFile(path, c.bytes);
    EXPECT_EQ(readAllFields(), c.fields) << c.name;
  }
}

TEST_F(FileChannelsTest, WriterQuotesFieldsAndEndsLinesWithCrLf) {
  Open(path, OpenMode::Output, 2);
  WriteFields(2, {"01/01", "New Year's Day", "", "04"});
  PrintText(2, "plain", false);
  Close(2);
  EXPECT_EQ(readFile(path), "\"01/01\",\"New Year's Day\",\"\",\"04\"\r\nplain");
  Open(path, OpenMode::Append, 3);
  PrintText(3, "!");
  Close(3);
  EXPECT_EQ(readFile(path), "\"01/01\",\"New Year's Day\",\"\",\"04\"\r\nplain!\r\n");
}

TEST_F(FileChannelsTest, FailuresRaiseTheRuntimeErrors) {
  writeFile(path, "a\r\n");
  EXPECT_EQ(errorOf([&] { Open(dir.file("missing.txt"), OpenMode::Input, 2); }), errFileNotFound);
  EXPECT_EQ(errorOf([&] { Open(dir.file("no\\such\\x.txt"), OpenMode::Output, 2); }), errPathNotFound);
  EXPECT_EQ(errorOf([] { InputField(9); }), errBadFileNumber);
  Open(path, OpenMode::Input, 2);
  EXPECT_EQ(errorOf([&] { Open(path, OpenMode::Input, 2); }), errFileAlreadyOpen);
  EXPECT_EQ(errorOf([] { WriteFields(2, {"x"}); }), errBadFileMode);
  EXPECT_EQ(InputField(2), "a");
  EXPECT_TRUE(EndOfFile(2));
  EXPECT_EQ(errorOf([] { InputField(2); }), errPastEnd);
  Close(2);
  writeFile(path, "");
  Open(path, OpenMode::Input, 2);
  EXPECT_EQ(errorOf([] { InputField(2); }), errPastEnd);
}

TEST_F(FileChannelsTest, InputCharsAndLengthReadWholeText) {
  writeFile(path, "line one\r\nline two");
  Open(path, OpenMode::Input, FreeFile());
  EXPECT_EQ(LOF(1), 18);
  EXPECT_EQ(InputChars(1, LOF(1)), "line one\r\nline two");
  EXPECT_EQ(errorOf([] { InputChars(1, 1); }), errPastEnd);
}

TEST_F(FileChannelsTest, DirKillAndName) {
  writeFile(dir.file("A.BAK"), "x");
  CreateDirectoryA(dir.file("SUB.BAK").c_str(), nullptr);
  EXPECT_EQ(UCase(Dir(dir.file("*.BAK"))), "A.BAK") << "folders are not normal files";
  EXPECT_EQ(Dir(), "");
  EXPECT_EQ(Dir(dir.file("none.*")), "");
  EXPECT_EQ(errorOf([&] { Name(dir.file("A.BAK"), dir.file("A.BAK")); }), errFileExists);
  Name(dir.file("A.BAK"), dir.file("B.DAT"));
  EXPECT_TRUE(FileExists(dir.file("B.DAT")));
  EXPECT_EQ(FileLen(dir.file("B.DAT")), 1);
  EXPECT_EQ(errorOf([&] { Name(dir.file("A.BAK"), dir.file("C.DAT")); }), errFileNotFound);
  Kill(dir.file("B.DAT"));
  EXPECT_FALSE(FileExists(dir.file("B.DAT")));
  EXPECT_EQ(errorOf([&] { Kill(dir.file("B.DAT")); }), errFileNotFound);
}

} // namespace
