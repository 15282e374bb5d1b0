#pragma once

// What the files defining Installer's members share. Internal to the operations folder: only those
// files include it.

#include <engine/operations/Installer.h>

#include <string>

namespace installerparts {

int IsDirectory(const char* path);
int Exists(const char* path);
std::string Parent(const std::string& path);

// A registry key opened for one operation.
class OpenKey {
public:
  OpenKey(int root, const char* path, REGSAM access) {
    HKEY base = RegistryRoot(root);
    if (!base || RegOpenKeyExA(base, path, 0, access, &key_) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~OpenKey() {
    if (key_)
      RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

  // The value's type and whole data; 0 when it is absent.
  int query(const char* name, DWORD& type, std::string& data) const {
    DWORD size = 0;
    if (!key_ || RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return 0;
    data.assign(size, '\0');
    if (size && RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) !=
                    ERROR_SUCCESS)
      return 0;
    data.resize(size);
    return 1;
  }

private:
  HKEY key_ = nullptr;
};

} // namespace installerparts
