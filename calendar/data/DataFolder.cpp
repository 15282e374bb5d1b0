#include <calendar/data/DataFolder.h>

#include <windows.h>

namespace {

std::string& folder() {
  static std::string value;
  return value;
}

std::string currentDirectory() {
  char buffer[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
  if (length == 0 || length >= MAX_PATH)
    return ".";
  return std::string(buffer, length);
}

std::string absolute(const std::string& path) {
  char buffer[MAX_PATH];
  DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH)
    return path;
  return std::string(buffer, length);
}

} // namespace

void DataFolder::Set(const std::string& path) {
  folder() = path.empty() ? currentDirectory() : absolute(path);
}

const std::string& DataFolder::Get() {
  if (folder().empty())
    Set();
  return folder();
}

std::string DataFolder::Path(const std::string& name) {
  const std::string& base = Get();
  if (!base.empty() && (base.back() == '\\' || base.back() == '/'))
    return base + name;
  return base + "\\" + name;
}
