// Installer: registry keys and values, and where initialisation-file entries are kept in the registry.
#include <engine/operations/Installer.h>

#include <engine/operations/InstallerParts.h>

#include <cstring>
#include <string>
#include <vector>

using namespace installerparts;

int Installer::createkey(int root, const char* path) {
  if (stopped())
    return 0;
  if (OpenKey(root, path, KEY_READ).get())
    return 1;
  if (!loggable(FieldKey, path))
    return 0;
  std::string parent = Parent(path);
  if (!parent.empty() && !createkey(root, parent.c_str()))
    return 0;
  HKEY created;
  HKEY base = RegistryRoot(root);
  if (!base || RegCreateKeyExA(base, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &created,
                               nullptr) != ERROR_SUCCESS)
    return fail(OtherError, "Unable to create registration key %s", RegistryKeyText(root, path).c_str());
  RegCloseKey(created);
  log_->keycreated(root, path);
  return 1;
}

int Installer::keyhasentries(int root, const char* path) {
  OpenKey key(root, path, KEY_ENUMERATE_SUB_KEYS);
  char name[MAX_PATH];
  DWORD size = sizeof name;
  return key.get() &&
         RegEnumKeyExA(key.get(), 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

int Installer::DeleteKeyValues(int root, const char* path) {
  std::vector<std::string> names;
  {
    OpenKey key(root, path, KEY_QUERY_VALUE);
    if (!key.get())
      return fail(OtherError, "Unable to open registration key %s", RegistryKeyText(root, path).c_str());
    char name[16384];
    for (DWORD index = 0;; ++index) {
      DWORD size = sizeof name;
      if (RegEnumValueA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.emplace_back(name, size);
    }
  }
  for (const std::string& name : names)
    if (!deletevalue(root, path, name.c_str()))
      return 0;
  return 1;
}

int Installer::deletekey(int root, const char* path) {
  if (stopped())
    return 0;
  if (!loggable(FieldKey, path))
    return 0;
  std::vector<std::string> subkeys;
  {
    OpenKey key(root, path, KEY_ENUMERATE_SUB_KEYS);
    if (!key.get())
      return 1;
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
      DWORD size = sizeof name;
      if (RegEnumKeyExA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      subkeys.push_back(std::string(path) + "\\" + name);
    }
  }
  for (const std::string& subkey : subkeys)
    if (!deletekey(root, subkey.c_str()))
      return 0;
  if (!DeleteKeyValues(root, path))
    return 0;
  if (RegDeleteKeyA(RegistryRoot(root), path) != ERROR_SUCCESS)
    return fail(OtherError, "Unable to delete registration key %s", RegistryKeyText(root, path).c_str());
  log_->keydeleted(root, path);
  return 1;
}

int Installer::setvalue(int root, const char* path, const char* name, DWORD type, const std::string& data) {
  if (stopped())
    return 0;
  if (!loggable(FieldKey, path))
    return 0;
  DWORD oldType = 0;
  std::string old;
  int existed = 0;
  {
    OpenKey key(root, path, KEY_QUERY_VALUE);
    if (key.get())
      existed = key.query(name, oldType, old);
    else if (!createkey(root, path))
      return 0;
  }
  OpenKey key(root, path, KEY_SET_VALUE);
  if (!key.get() || RegSetValueExA(key.get(), name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                   static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
    return fail(OtherError, "Unable to set or create registration key %s",
                RegistryKeyText(root, path).c_str());
  if (existed)
    log_->valueoverwritten(root, path, name, static_cast<long>(oldType), old);
  else
    log_->valuecreated(root, path, name);
  return 1;
}

int Installer::setstring(int root, const char* path, const char* name, const char* text) {
  return setvalue(root, path, name, REG_SZ, std::string(text, std::strlen(text) + 1));
}

int Installer::deletevalue(int root, const char* path, const char* name) {
  if (stopped())
    return 0;
  if (!loggable(FieldKey, path))
    return 0;
  DWORD type = 0;
  std::string old;
  {
    OpenKey key(root, path, KEY_QUERY_VALUE);
    if (!key.query(name, type, old))
      return 1;
  }
  OpenKey key(root, path, KEY_SET_VALUE);
  if (!key.get() || RegDeleteValueA(key.get(), name) != ERROR_SUCCESS)
    return fail(OtherError, "Unable to set or create registration key %s",
                RegistryKeyText(root, path).c_str());
  log_->valuedeleted(root, path, name, static_cast<long>(type), old);
  return 1;
}

int Installer::valueastext(int root, const char* path, const char* name, char* buffer, int size) {
  OpenKey key(root, path, KEY_QUERY_VALUE);
  DWORD type = 0;
  std::string data;
  if (size <= 0 || !key.query(name, type, data))
    return 0;
  std::string text;
  if (type == REG_DWORD && data.size() == 4)
    text = std::to_string(static_cast<unsigned char>(data[0]) | static_cast<unsigned char>(data[1]) << 8 |
                          static_cast<unsigned char>(data[2]) << 16 |
                          static_cast<unsigned>(static_cast<unsigned char>(data[3])) << 24);
  else if (type == REG_SZ || type == REG_EXPAND_SZ)
    text.assign(data.c_str(), strnlen(data.c_str(), data.size()));
  else
    return 0;
  size_t n = text.size() < static_cast<size_t>(size - 1) ? text.size() : static_cast<size_t>(size - 1);
  text.copy(buffer, n);
  buffer[n] = 0;
  return 1;
}

int Installer::inifilemapping(const char* file, const char* section, const char* entry, int& root,
                              std::string& key) {
  std::string path = file;
  size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || platform_.windowsfolder.empty() ||
      _stricmp(path.substr(0, cut).c_str(), platform_.windowsfolder.c_str()) != 0)
    return 0;
  std::string mapping = platform_.versionkey + "\\IniFileMapping\\" + path.substr(cut + 1);
  DWORD type = 0;
  std::string value;
  OpenKey sectionKey(0, (mapping + "\\" + section).c_str(), KEY_QUERY_VALUE);
  OpenKey fileKey(0, mapping.c_str(), KEY_QUERY_VALUE);
  int found = sectionKey.get() ? sectionKey.query(entry, type, value) || sectionKey.query("", type, value)
                               : fileKey.query(section, type, value);
  if (!found && !sectionKey.get() && fileKey.query("", type, value)) {
    value = std::string(value.c_str()) + "\\" + section;
    found = 1;
  }
  if (!found)
    return 0;
  std::string text = value.c_str();
  static const struct {
    const char* prefix;
    int root;
  } prefixes[] = {{"#USR:", 2}, {"USR:", 2}, {"#SYS:", 0}, {"SYS:", 0}};
  for (const auto& p : prefixes) {
    size_t length = std::strlen(p.prefix);
    if (_strnicmp(text.c_str(), p.prefix, length) == 0) {
      root = p.root;
      key = text.substr(length);
      return 1;
    }
  }
  return 0;
}
