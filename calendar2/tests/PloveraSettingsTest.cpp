#include <calendar2/PloveraSettings.h>

#include <formsrt/Settings.h>

#include <tests/support/RegistrySandbox.h>

#include <windows.h>

#include <gtest/gtest.h>

using namespace plovera;

namespace {

const char kKey[] = "Software\\Harnfield\\Plovera";

struct PloveraSettingsTest : ::testing::Test {
  testsupport::RegistrySandbox sandbox;
  void store(const char* key, const char* value) { formsrt::SaveSetting("Harnfield", "Plovera", key, value); }

  // Every value under the key, in the order the registry lists them.
  std::vector<std::string> storedNames() {
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return names;
    char name[64];
    for (DWORD i = 0;; ++i) {
      DWORD size = sizeof name;
      if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.push_back(name);
    }
    RegCloseKey(key);
    return names;
  }
};

TEST_F(PloveraSettingsTest, EmptyStoreGivesEveryDefault) {
  PloveraSettings s;
  s.Confirm = 'x';
  s.CB[2] = 3;
  s.WSeq = 1;
  EXPECT_TRUE(LoadRegistrySettings(s).empty());
  EXPECT_EQ(s.Confirm, 'Y');
  EXPECT_EQ(s.Grid, 'Y');
  EXPECT_EQ(s.FontBold, 'N');
  EXPECT_EQ(s.FontItalic, 'N');
  EXPECT_EQ(s.FontName, "MS Sans Serif");
  EXPECT_EQ(s.FontSize, 8);
  for (int type = 0; type < 6; ++type) {
    EXPECT_EQ(s.CB[type], 16);
    EXPECT_EQ(s.CF[type], 16);
  }
  EXPECT_EQ(s.WDate, 520);
  EXPECT_EQ(s.WEvent, 2800);
  EXPECT_EQ(s.WYear, 440);
  EXPECT_EQ(s.WType, 630);
  EXPECT_EQ(s.WSeq, 510);
}

TEST_F(PloveraSettingsTest, StoredValuesAreReadAndOneCharacterValuesKeepTheFirst) {
  store("Confirm", "No thanks");
  store("Grid", "");
  store("FontName", "Arial");
  store("FontSize", " 12 ");
  store("CB99", "4");
  store("CF01", "0");
  store("WSeq", "700");
  PloveraSettings s;
  EXPECT_TRUE(LoadRegistrySettings(s).empty());
  EXPECT_EQ(s.Confirm, 'N');
  EXPECT_EQ(s.Grid, ' ');
  EXPECT_EQ(s.FontName, "Arial");
  EXPECT_EQ(s.FontSize, 12);
  EXPECT_EQ(s.CB[5], 4);
  EXPECT_EQ(s.CF[0], 0);
  EXPECT_EQ(s.WSeq, 700);
}

// A bad value used to stop the reading and leave every later setting blank.
TEST_F(PloveraSettingsTest, EachBadValueFallsBackAloneAndTheRestAreRead) {
  store("FontSize", "big");
  store("CB01", "99999");
  store("CF02", "17");
  store("CB03", "-1");
  store("CF03", "5");
  store("WDate", "12abc");
  store("WType", "700");
  PloveraSettings s;
  std::vector<std::string> bad = LoadRegistrySettings(s);
  EXPECT_EQ(bad, (std::vector<std::string>{"FontSize", "CB01", "CF02", "CB03", "WDate"}));
  EXPECT_EQ(s.FontSize, 8);
  EXPECT_EQ(s.CB[0], 16);
  EXPECT_EQ(s.CF[1], 16);
  EXPECT_EQ(s.CB[2], 16);
  EXPECT_EQ(s.CF[2], 5);
  EXPECT_EQ(s.WDate, 520);
  EXPECT_EQ(s.WType, 700);
}

TEST_F(PloveraSettingsTest, WriteStoresTwentyTwoValuesAndNeverWSeq) {
  PloveraSettings s;
  s.Confirm = 'N';
  s.FontName = "Courier New";
  s.FontSize = 10;
  s.CF[5] = 15;
  s.WEvent = 3000;
  s.WSeq = 999;
  WriteRegistrySettings(s);
  std::vector<std::string> names = storedNames();
  EXPECT_EQ(names.size(), 22u);
  EXPECT_EQ(std::count(names.begin(), names.end(), "WSeq"), 0);
  EXPECT_EQ(formsrt::GetSetting("Harnfield", "Plovera", "Confirm"), "N");
  EXPECT_EQ(formsrt::GetSetting("Harnfield", "Plovera", "CF99"), "15");
  PloveraSettings back;
  LoadRegistrySettings(back);
  EXPECT_EQ(back.FontName, "Courier New");
  EXPECT_EQ(back.FontSize, 10);
  EXPECT_EQ(back.WEvent, 3000);
  EXPECT_EQ(back.WSeq, 510);
}

} // namespace
