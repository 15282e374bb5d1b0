#include <foundation/strings/linescan.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> lines(const char* text, int size = 64) {
  std::vector<std::string> all;
  linescan scan;
  char buffer[64];
  for (scan.start(text); scan.valid(); scan.next()) {
    scan.copy(buffer, size);
    all.push_back(buffer);
  }
  return all;
}

} // namespace

TEST(LinescanTest, LinesOfATextSplitAtCrLfOnly) {
  struct Case {
    const char* name;
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"no text", nullptr, {}},
      {"empty text", "", {""}},
      {"one line", "a", {"a"}},
      {"ending in CR LF", "a\r\n", {"a", ""}},
      {"two lines", "a\r\nbc", {"a", "bc"}},
      {"lone CR and LF stay in the line", "a\rb\nc\r\nd", {"a\rb\nc", "d"}},
      {"empty lines", "\r\n\r\n", {"", "", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.lines, lines(c.text)) << c.name;
    EXPECT_EQ(static_cast<int>(c.lines.size()), CountLines(c.text)) << c.name;
    for (size_t n = 0; n < c.lines.size(); ++n) {
      char buffer[64] = "junk";
      EXPECT_EQ(1, GetLine(c.text, static_cast<int>(n), buffer, sizeof buffer)) << c.name;
      EXPECT_EQ(c.lines[n], buffer) << c.name << ", line " << n;
    }
    char buffer[8] = "junk";
    EXPECT_EQ(0, GetLine(c.text, static_cast<int>(c.lines.size()), buffer, sizeof buffer)) << c.name;
    EXPECT_STREQ("", buffer) << c.name;
  }
}

TEST(LinescanTest, CopiesAreCutToTheBuffer) {
  char buffer[8];
  std::fill(buffer, buffer + 8, 'g');
  EXPECT_EQ(0, GetLine("abcdefghij\r\nx", 0, buffer, 5));
  EXPECT_STREQ("abcd", buffer);
  EXPECT_EQ('g', buffer[5]);
  EXPECT_EQ(1, GetLine("abcd\r\nx", 0, buffer, 5));
  EXPECT_STREQ("abcd", buffer);
  EXPECT_EQ(0, GetLine("abc", -1, buffer, 5));
  EXPECT_EQ(0, GetLine("abc", 0, buffer, 0));
}
