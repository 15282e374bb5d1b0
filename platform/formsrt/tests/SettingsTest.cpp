#include <formsrt/Settings.h>

#include <tests/support/RegistrySandbox.h>

#include <windows.h>

#include <gtest/gtest.h>

using namespace formsrt;

namespace {

const char kApp[] = "FormsRtTest";

struct SettingsTest : ::testing::Test {
  testsupport::RegistrySandbox sandbox;
};

TEST_F(SettingsTest, MissingKeysGiveTheDefaultAndSavedOnesComeBack) {
  EXPECT_EQ(GetSetting(kApp, "Section", "Confirm", "Y"), "Y");
  SaveSetting(kApp, "Section", "Confirm", "N");
  SaveSetting(kApp, "Section", "Empty", "");
  EXPECT_EQ(GetSetting(kApp, "Section", "Confirm", "Y"), "N");
  EXPECT_EQ(GetSetting(kApp, "Section", "Empty", "x"), "");
}

TEST_F(SettingsTest, ValuesLiveUnderSoftwareApplicationSection) {
  SaveSetting(kApp, "Section", "FontName", "Arial");
  char value[32] = "";
  DWORD size = sizeof value;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, "Software\\FormsRtTest\\Section", "FontName", RRF_RT_REG_SZ,
                         nullptr, value, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, "Arial");
}

} // namespace
