#include <formsrt/Settings.h>

#include <formsrt/RuntimeError.h>

#include <windows.h>

#include <vector>

namespace formsrt {

namespace {

std::string keyPath(const std::string& application, const std::string& section) {
  return "Software\\" + application + "\\" + section;
}

} // namespace

std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& fallback) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, KEY_QUERY_VALUE, &handle) !=
      ERROR_SUCCESS)
    return fallback;
  DWORD type = 0;
  DWORD size = 0;
  std::string value = fallback;
  if (RegQueryValueExA(handle, key.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(handle, key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) == ERROR_SUCCESS)
      value = buffer.data();
  }
  RegCloseKey(handle);
  return value;
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
