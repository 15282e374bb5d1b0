#include <engine/script/SpanStream.h>
#include <foundation/tests/checkrecorder.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Parts in one folder; asks are recorded and answered from a list (then 0).
class FolderStream : public spanstream {
public:
  FolderStream(std::string folder, int byset) : folder_(std::move(folder)), byset_(byset) {}
  int numberedbyset() override { return byset_; }
  int askforpart(int number, int) override {
    asked.push_back(number);
    if (answers.empty())
      return 0;
    int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  int partfolder(fpath& folder) override { return folder.set(folder_.c_str()); }

  std::vector<int> asked;
  std::vector<int> answers;

private:
  std::string folder_;
  int byset_;
};

std::string ReadAll(spanstream& stream) {
  std::string bytes;
  for (int c; (c = stream.readbyte()) >= 0;)
    bytes += static_cast<char>(c);
  return bytes;
}

TEST(SpanStreamTest, PartNames) {
  struct Case {
    const char* base;
    int first, byset, index;
    const char* expected;
  } cases[] = {
      {"data.exe", 3, 1, 0, "\\data.exe"},
      {"data.exe", 3, 1, 1, "\\data.004"},
      {"data.exe", 3, 0, 1, "\\data.001"},
      {"data.exe", 0, 1, 12, "\\data.012"},
  };
  for (const Case& c : cases) {
    FolderStream stream("c:\\src", c.byset);
    stream.setup(c.base, c.first, 20, 0, 0);
    fpathbuf path;
    ASSERT_EQ(1, stream.partname(c.index, path));
    EXPECT_EQ(std::string("c:\\src") + c.expected, path.str()) << c.base << " " << c.index;
  }
}

TEST(SpanStreamTest, RunCrossesPartsFromAnOffset) {
  TempDir dir;
  writeFile(dir.file("d.exe"), "xxHEL");
  writeFile(dir.file("d.001"), "LOWOR");
  writeFile(dir.file("d.002"), "LD!!t");
  FolderStream stream(dir.path(), 0);
  stream.setup("d.exe", 0, 3, 2, 12);
  ASSERT_EQ(1, stream.open());
  EXPECT_EQ(12, stream.size());
  char block[8];
  EXPECT_EQ(8, stream.read(block, 8));
  EXPECT_EQ("HELLOWOR", std::string(block, 8));
  EXPECT_EQ("LD!!", ReadAll(stream));
  EXPECT_EQ(1, stream.ateof());
  EXPECT_EQ(-1, stream.readbyte());
  EXPECT_TRUE(stream.asked.empty());
}

// A start past the end of its part, or a part shorter than the others, would deliver bytes of
// another place at the right length: the run fails instead and names the part that is short.
TEST(SpanStreamTest, AStartOutsideItsPartOrAShortPartFails) {
  struct Case {
    const char* name;
    std::vector<std::string> parts;
    long offset, length;
    int opens;
    const char* damage;
  } cases[] = {
      {"start past the end", {"abcde", "fghij", "klm"}, 7, 4, 0, "d.exe is short."},
      {"start at the end", {"abcde", "fghij", "klm"}, 5, 4, 0, "d.exe is short."},
      {"a short middle part", {"abcde", "fgh", "ijklmnop"}, 2, 8, 1, "d.001 is short."},
      {"a short first part", {"abc", "defgh", "ijklm", "n"}, 1, 8, 1, "d.exe is short."},
      // Cut from "fghij" in a distribution of parts of 5: without a second full part to compare
      // with, the last part (longer than the first) shows it.
      {"a short first part followed by the last part", {"fgh", "klmn"}, 1, 6, 1, "d.exe is short."},
      {"a short last part", {"abcde", "fghij", "kl"}, 1, 12, 1, "d.002 is short."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const char* names[] = {"d.exe", "d.001", "d.002", "d.003"};
    for (size_t i = 0; i < c.parts.size(); ++i)
      writeFile(dir.file(names[i]), c.parts[i]);
    CheckRecorder checks;
    FolderStream stream(dir.path(), 0);
    stream.setup("d.exe", 0, static_cast<int>(c.parts.size()), c.offset, c.length);
    EXPECT_EQ(c.opens, stream.open());
    std::string bytes = ReadAll(stream);
    EXPECT_EQ(spanstream::Failed, stream.state()) << "delivered " << bytes;
    EXPECT_GT(static_cast<size_t>(c.length), bytes.size());
    EXPECT_EQ(std::string("The distribution is damaged: ") + c.damage, stream.damage());
    EXPECT_TRUE(checks.seen.empty()) << "damaged input is no fault of the program";
  }
}

TEST(SpanStreamTest, ANegativeStartFails) {
  TempDir dir;
  writeFile(dir.file("d.exe"), "abcde");
  FolderStream stream(dir.path(), 0);
  stream.setup("d.exe", 0, 1, -1, 4);
  EXPECT_EQ(0, stream.open());
  EXPECT_EQ(-1, stream.readbyte());
}

TEST(SpanStreamTest, RunEndingWithAPartOpensNoFurtherPart) {
  TempDir dir;
  writeFile(dir.file("d.exe"), "abc");
  FolderStream stream(dir.path(), 0);
  stream.setup("d.exe", 0, 2, 1, 2);
  ASSERT_EQ(1, stream.open());
  EXPECT_EQ("bc", ReadAll(stream));
  EXPECT_EQ(spanstream::Finished, stream.state());
  EXPECT_TRUE(stream.asked.empty());
}

// A run longer than its parts hold: the last part it may read was cut short.
TEST(SpanStreamTest, ReadingStopsAfterTheLastPart) {
  TempDir dir;
  writeFile(dir.file("d.exe"), "ab");
  writeFile(dir.file("d.001"), "cd");
  writeFile(dir.file("d.002"), "ef");
  CheckRecorder checks;
  FolderStream stream(dir.path(), 0);
  stream.setup("d.exe", 0, 2, 0, 6);
  ASSERT_EQ(1, stream.open());
  EXPECT_EQ("abcd", ReadAll(stream));
  EXPECT_EQ(spanstream::Failed, stream.state());
  EXPECT_EQ("The distribution is damaged: d.001 is short.", stream.damage());
  EXPECT_TRUE(checks.seen.empty());
}

TEST(SpanStreamTest, MissingPartIsAskedForUntilGivenUp) {
  TempDir dir;
  writeFile(dir.file("d.exe"), "ab");
  FolderStream stream(dir.path(), 1);
  stream.answers = {1, 1};
  stream.setup("d.exe", 4, 2, 0, 4);
  ASSERT_EQ(1, stream.open());
  EXPECT_EQ("ab", ReadAll(stream));
  EXPECT_EQ(spanstream::Failed, stream.state());
  EXPECT_EQ((std::vector<int>{5, 5, 5}), stream.asked);
  EXPECT_EQ("The distribution is damaged: d.005 is missing.", stream.damage());
}

} // namespace
