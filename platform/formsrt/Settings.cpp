#include <formsrt/Settings.h>

#include <formsrt/RuntimeError.h>
#include <wincore/Registry.h>

#include <windows.h>


namespace formsrt {

namespace {

std::string keyPath(const std::string& application, const std::string& section) {
  return "Software\\" + application + "\\" + section;
}

} // namespace

std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& fallback) {
  return wincore::registryText(HKEY_CURRENT_USER, keyPath(application, section), key).value_or(fallback);
}

void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                 const std::string& value) {
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &handle, nullptr) != ERROR_SUCCESS)
    raiseError(errInvalidCall);
  LONG result = RegSetValueExA(handle, key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>(value.size() + 1));
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS)
    raiseError(errInvalidCall);
}

void DeleteSetting(const std::string& application, const std::string& section) {
  RegDeleteKeyA(HKEY_CURRENT_USER, keyPath(application, section).c_str());
}

} // namespace formsrt
