#include <engine/controllers/Scramble.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(ScrambleTest, TextsComeBackAndOnlyThisCodecsOutputIsRead) {
  for (const char* original : {"", "A", "Jane Doe", "Example Company Ltd.", "\xff\x01 bytes"}) {
    std::vector<char> buffer(ScrambledSize(std::strlen(original)));
    std::strcpy(buffer.data(), original);
    ASSERT_TRUE(ScrambleString(buffer.data(), buffer.size())) << original;
    EXPECT_EQ(2 * (std::strlen(original) + 2), std::strlen(buffer.data()));
    std::string back;
    ASSERT_TRUE(UnscrambleString(buffer.data(), back)) << original;
    EXPECT_EQ(original, back);
  }
  std::string out;
  for (const char* bad : {"abc", "00zz", "", "00", "ABCD"})
    EXPECT_FALSE(UnscrambleString(bad, out)) << bad;
  char text[16] = "Jane";
  ASSERT_TRUE(ScrambleString(text, sizeof text));
  text[3] = text[3] == '0' ? '1' : '0';
  EXPECT_FALSE(UnscrambleString(text, out));
}

TEST(ScrambleTest, AnEmptyTextIsItsCheckValueAndABufferTooSmallIsRefused) {
  char empty[5] = "";
  ASSERT_TRUE(ScrambleString(empty, sizeof empty));
  EXPECT_EQ(4u, std::strlen(empty));
  char name[12] = "Jane Doe"; // needs 21
  EXPECT_FALSE(ScrambleString(name, sizeof name));
  EXPECT_STREQ("Jane Doe", name);
}

} // namespace
