#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// Gives the test's process a private HKEY_CURRENT_USER for one scope: a fresh key of its own stands in
// for it, so that tests running at the same time never see each other's settings. The key is removed
// when the scope ends.
class RegistrySandbox {
public:
  RegistrySandbox();
  ~RegistrySandbox();
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

private:
  std::string path_;
  HKEY key_ = nullptr;
};

} // namespace testsupport
