#include <SpanStream.h>
#include <TempDir.h>
#include <checkrecorder.h>

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
  writeFile(dir.file("d.exe"), "xxHELLO");
  writeFile(dir.file("d.001"), "WORLD");
  writeFile(dir.file("d.002"), "!!tail");
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
  EXPECT_EQ(1u, checks.seen.size());
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
}

} // namespace
