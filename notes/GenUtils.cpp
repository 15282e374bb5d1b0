#include <notes/GenUtils.h>

#include <wincore/Registry.h>

#include <windows.h>

#include <shlobj.h>

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
  return wincore::registryText(found->key, keyPath, valueName);
}

std::string startupFolder() { return wincore::userShellFolder("StartUp", CSIDL_STARTUP); }

} // namespace notaris
