#include <formlib/Exceptions.h>
#include <formlib/TIniFile.h>

#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

using namespace formlib;
using namespace testsupport;

namespace {

TEST(TIniFileTest, WritesSectionsAndKeysAsText) {
  TempDir dir;
  TIniFile ini(dir.file("a.ini"));
  ini.WriteInteger("timezone", "Local", 12);
  ini.WriteString("frmArea", "frmArea", "0 1 ");
  EXPECT_EQ(readFile(dir.file("a.ini")), "[timezone]\r\nLocal=12\r\n[frmArea]\r\nfrmArea=0 1 \r\n");
  EXPECT_EQ(ini.ReadInteger("timezone", "Local", 5), 12);
  EXPECT_EQ(ini.ReadString("frmArea", "frmArea", ""), "0 1");
  EXPECT_EQ(ini.ReadString("frmArea", "missing", "dflt"), "dflt");
}

TEST(TIniFileTest, IntegersReadAsDecimalOrHexOrTheDefault) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {
      {"42", 42},         {"-7", -7},   {"0x10", 16},       {"0X1f", 31},
      {"0x", 99},         {"abc", 99},  {"12abc", 99},      {"", 99},
      {"$20", 32},        {"0xZZ", 99}, {"2147483648", 99}, {"-2147483648", INT32_MIN},
      {"0xFFFFFFFF", -1},
  };
  TempDir dir;
  for (const Case& c : cases) {
    writeFile(dir.file("b.ini"), std::string("[s]\r\nk=") + c.text + "\r\n");
    EXPECT_EQ(TIniFile(dir.file("b.ini")).ReadInteger("s", "k", 99), c.expected) << "text: " << c.text;
  }
  EXPECT_EQ(TIniFile(dir.file("none.ini")).ReadInteger("s", "k", 1529), 1529);
}

TEST(TIniFileTest, RefusedWriteRaisesItsError) {
  TempDir dir;
  std::string path = dir.file("no such folder\\c.ini");
  TIniFile ini(path);
  try {
    ini.WriteInteger("s", "k", 1);
    FAIL() << "no error raised";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
  }
}

} // namespace
