#include <wincore/Registry.h>

#include <shlobj.h>

#include <vector>

namespace wincore {

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

} // namespace

std::optional<std::string> registryText(HKEY root, const std::string& keyPath, const std::string& valueName) {
  HKEY key;
  if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::nullopt;
  std::optional<std::string> value;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    // One more zero than the value holds.
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) == ERROR_SUCCESS)
      value = std::string(buffer.data());
  }
  RegCloseKey(key);
  return value;
}

std::string userShellFolder(const std::string& valueName, int csidl) {
  std::optional<std::string> registered = registryText(HKEY_CURRENT_USER, kShellFolders, valueName);
  if (registered && !registered->empty())
    return *registered;
  char path[MAX_PATH] = "";
  if (SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
    return path;
  return std::string();
}

} // namespace wincore
