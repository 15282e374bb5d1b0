// Installer: the shared-library counts.
#include <engine/operations/Installer.h>

#include <engine/operations/InstallerParts.h>

#include <cstring>

using namespace installerparts;

int Installer::iscounted(const char* path) const {
  for (const std::string* folder : {&platform_.sharedfolder, &platform_.commonfolder}) {
    if (folder->empty())
      continue;
    std::string prefix = *folder;
    if (prefix.back() != '\\')
      prefix += '\\';
    if (_strnicmp(path, prefix.c_str(), prefix.size()) == 0)
      return 1;
  }
  return 0;
}

int Installer::readcount(const char* path) {
  OpenKey key(platform_.sharedroot, platform_.sharedkey.c_str(), KEY_QUERY_VALUE);
  DWORD type = 0;
  std::string data;
  if (!key.query(path, type, data) || data.size() != 4 || (type != REG_DWORD && type != REG_BINARY))
    return 0;
  return static_cast<unsigned char>(data[0]) | static_cast<unsigned char>(data[1]) << 8 |
         static_cast<unsigned char>(data[2]) << 16 | static_cast<unsigned char>(data[3]) << 24;
}

int Installer::writecount(const char* path, int count) {
  if (stopped())
    return 0;
  if (!iscounted(path))
    return -1;
  // The query of a value that is not there leaves its type slot undefined (Wine clears it): only a
  // value found as a REG_DWORD keeps that type.
  DWORD type = REG_BINARY, found = REG_NONE;
  std::string old;
  OpenKey key(platform_.sharedroot, platform_.sharedkey.c_str(), KEY_QUERY_VALUE);
  if (key.query(path, found, old) && found == REG_DWORD)
    type = REG_DWORD;
  std::string data(4, '\0');
  for (int i = 0; i < 4; ++i)
    data[static_cast<size_t>(i)] = static_cast<char>((static_cast<unsigned>(count) >> (8 * i)) & 0xFF);
  if (!setvalue(platform_.sharedroot, platform_.sharedkey.c_str(), path, type, data))
    return -1;
  return count;
}

int Installer::incrementcount(const char* path) { return writecount(path, readcount(path) + 1); }

int Installer::decrementcount(const char* path) {
  int count = readcount(path);
  if (count <= 1) {
    deletevalue(platform_.sharedroot, platform_.sharedkey.c_str(), path);
    return 0;
  }
  return writecount(path, count - 1);
}
