#include "GenUtils.h"

#include <windows.h>

#include <shlobj.h>

#include <vector>

namespace notaris {

namespace {

struct Hive {
  const char* name;
  HKEY key;
};

const Hive kHives[] = {
    {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKEY_DYN_DATA", HKEY_DYN_DATA},
    {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
    {"HKEY_USERS", HKEY_USERS},
};

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

} // namespace

std::optional<std::string> sdaGetRegEntry(const std::string& hive, const std::string& keyPath,
                                          const std::string& valueName) {
  const Hive* found = nullptr;
  for (const Hive& candidate : kHives) {
    if (hive == candidate.name)
      found = &candidate;
  }
  if (!found)
    return std::nullopt;
  HKEY key;
  if (RegOpenKeyExA(found->key, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::nullopt;
  std::optional<std::string> value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    // A stored value need not end with its zero: the buffer has one of its own, and the text ends at the
    // first zero.
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) == ERROR_SUCCESS)
      value = std::string(buffer.data());
  }
  RegCloseKey(key);
  return value;
}

std::string startupFolder() {
  std::optional<std::string> registered = sdaGetRegEntry("HKEY_CURRENT_USER", kShellFolders, "StartUp");
  if (registered && !registered->empty())
    return *registered;
  char path[MAX_PATH] = "";
  if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path)))
    return path;
  return std::string();
}

} // namespace notaris
