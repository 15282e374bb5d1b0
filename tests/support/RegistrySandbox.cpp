#include <tests/support/RegistrySandbox.h>

#include <gtest/gtest.h>

namespace testsupport {

RegistrySandbox::RegistrySandbox() {
  static int count = 0;
  path_ = "Software\\TestSandbox\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                            nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, key_), ERROR_SUCCESS);
}

RegistrySandbox::~RegistrySandbox() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(key_);
  RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
}

} // namespace testsupport
