#include <engine/operations/profile.h>

#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <string>

using testsupport::readFile;
using testsupport::TempDir;

TEST(ProfileTest, EntriesWrittenAreReadBack) {
  TempDir dir;
  std::string path = dir.file("setup.ini");
  cpathref file(path.c_str());
  EXPECT_EQ(1, ProfileWrite(file, "Main", "Text", "hello"));
  EXPECT_EQ(1, ProfileWriteInt(file, "Main", "Int", -12));
  EXPECT_EQ(1, ProfileWriteLong(file, "Main", "Long", 70000L));
  EXPECT_EQ(1, ProfileWriteF(file, "Main", "Format", "%s-%03d", "a", 7));
  EXPECT_EQ(1, ProfileWriteNumbered(file, "List", 3, "third"));
  EXPECT_EQ(1, ProfileWriteIntNumbered(file, "List", 4, 44));
  EXPECT_EQ(1, ProfileWriteLongNumbered(file, "List", 5, 55L));
  EXPECT_EQ("[Main]\r\nText=hello\r\nInt=-12\r\nLong=70000\r\nFormat=a-007\r\n[List]\r\n3=third\r\n4=44\r\n5="
            "55\r\n",
            readFile(path));

  EXPECT_EQ(-12, ProfileReadInt(file, "Main", "Int", 5));
  EXPECT_EQ(5, ProfileReadInt(file, "Main", "Missing", 5));
  EXPECT_EQ(70000L, ProfileReadLong(file, "Main", "Long", 1));
  EXPECT_EQ(1L, ProfileReadLong(file, "Main", "Text", 1));
  EXPECT_EQ(1L, ProfileReadLong(file, "Main", "Missing", 1));
  char buffer[ProfileTextSize];
  EXPECT_EQ(5, ProfileReadString(file, "Main", "Text", buffer, "none"));
  EXPECT_STREQ("hello", buffer);
  ProfileReadString(file, "Main", "Missing", buffer, "none");
  EXPECT_STREQ("none", buffer);
  EXPECT_STREQ("a-007", ProfileReadStatic(file, "Main", "Format"));
  EXPECT_STREQ("", ProfileReadStatic(file, "Main", "Missing"));
  EXPECT_STREQ("third", ProfileReadStaticNumbered(file, "List", 3));
  EXPECT_EQ(44, ProfileReadIntNumbered(file, "List", 4, 0));
  EXPECT_EQ(55L, ProfileReadLongNumbered(file, "List", 5, 0));
  ProfileReadStringNumbered(file, "List", 6, buffer, "six");
  EXPECT_STREQ("six", buffer);
}

TEST(ProfileTest, LongTextsAreCutToTheBuffer) {
  TempDir dir;
  std::string path = dir.file("long.ini");
  cpathref file(path.c_str());
  ProfileWriteF(file, "S", "K", "%s", std::string(600, 'x').c_str());
  EXPECT_EQ("[S]\r\nK=" + std::string(511, 'x') + "\r\n", readFile(path));
  EXPECT_EQ(std::string(127, 'x'), ProfileReadStatic(file, "S", "K"));
  char buffer[ProfileTextSize];
  EXPECT_EQ(127, ProfileReadString(file, "S", "K", buffer, ""));
}
