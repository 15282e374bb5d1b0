#include <foundation/registry/regkey.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

struct RootEntry {
  HKEY handle;
  const char* shortName;
  const char* longName;
};

const RootEntry roots[] = {
    {HKEY_LOCAL_MACHINE, "HKLM", "HKEY_LOCAL_MACHINE"},   {HKEY_CLASSES_ROOT, "HKCR", "HKEY_CLASSES_ROOT"},
    {HKEY_CURRENT_USER, "HKCU", "HKEY_CURRENT_USER"},     {HKEY_USERS, "HKUS", "HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, "HKCF", "HKEY_CURRENT_CONFIG"},
};
const RootEntry unknownRoot = {reinterpret_cast<HKEY>(static_cast<INT_PTR>(-1)), "Unknown", "Unknown"};

const RootEntry& rootEntry(int root) {
  return root >= 0 && root < static_cast<int>(std::size(roots)) ? roots[root] : unknownRoot;
}

int fits(const char* text, int size) { return static_cast<int>(std::strlen(text)) < size; }

// The name of an open key's subkey or value at an index.
using NameAt = LONG (*)(HKEY key, DWORD index, char* name, DWORD* length);

LONG subkeyName(HKEY key, DWORD index, char* name, DWORD* length) {
  return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

LONG valueName(HKEY key, DWORD index, char* name, DWORD* length) {
  return RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

// A name too long for the buffer still counts.
int countNames(HKEY key, NameAt nameAt) {
  int count = 0;
  for (;; ++count) {
    char name[RegPathSize];
    DWORD length = sizeof name;
    LONG status = nameAt(key, count, name, &length);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
      return count;
  }
}

} // namespace

regkey::~regkey() { close(); }

int regkey::set(int root, const char* path) {
  if (!fits(path, RegPathSize))
    return 0;
  root_ = root;
  std::strcpy(path_, path);
  return 1;
}

HKEY regkey::roothandle() const { return rootEntry(root_).handle; }

int regkey::formatname(char* buffer, int size, const char* rootName) const {
  int length = std::snprintf(buffer, size, "%s\\%s", rootName, path_);
  if (length >= 0 && length < size)
    return 1;
  if (size > 0)
    buffer[0] = 0;
  return 0;
}

int regkey::shortname(char* buffer, int size) const {
  return formatname(buffer, size, rootEntry(root_).shortName);
}

int regkey::fullname(char* buffer, int size) const {
  return formatname(buffer, size, rootEntry(root_).longName);
}

int regkey::open(REGSAM access) {
  close();
  if (RegOpenKeyExA(roothandle(), path_, 0, access, &handle_) == ERROR_SUCCESS)
    return 1;
  handle_ = nullptr;
  return 0;
}

int regkey::create() {
  close();
  char noClass[] = "";
  if (RegCreateKeyExA(roothandle(), path_, 0, noClass, REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &handle_,
                      nullptr) == ERROR_SUCCESS)
    return 1;
  handle_ = nullptr;
  return 0;
}

void regkey::close() {
  if (!handle_)
    return;
  RegCloseKey(handle_);
  handle_ = nullptr;
}

int regkey::exists() {
  int opened = open(KEY_READ);
  close();
  return opened;
}

int regkey::remove() { return RegDeleteKeyA(roothandle(), path_) == ERROR_SUCCESS; }

int regkey::countsubkeys() {
  if (!open(KEY_ENUMERATE_SUB_KEYS))
    return 0;
  int count = countNames(handle_, subkeyName);
  close();
  return count;
}

int regkey::subkey(int index, regkey& out) {
  char name[RegPathSize];
  DWORD length = sizeof name;
  if (subkeyName(handle_, index, name, &length) != ERROR_SUCCESS)
    return 0;
  char path[RegPathSize];
  int written = std::snprintf(path, sizeof path, "%s\\%s", path_, name);
  if (written < 0 || written >= RegPathSize)
    return 0;
  return out.set(root_, path);
}

int regkey::countvalues() {
  if (!open(KEY_QUERY_VALUE))
    return 0;
  int count = countNames(handle_, valueName);
  close();
  return count;
}

// Value names may be far longer than paths (countvalues counts them all): the name is read into a
// block as long as the key's longest value name.
int regkey::valuename(int index, dynstr& out) {
  DWORD longest = 0;
  if (RegQueryInfoKeyA(handle_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return 0;
  std::vector<char> name(longest + 1);
  DWORD length = longest + 1;
  if (valueName(handle_, index, name.data(), &length) != ERROR_SUCCESS)
    return 0;
  return out.set(name.data());
}

int regkey::deletevalue(const char* name) {
  if (!open(KEY_SET_VALUE))
    return 0;
  int deleted = RegDeleteValueA(handle_, name) == ERROR_SUCCESS;
  close();
  return deleted;
}

int regkey::setvalue(const char* name, DWORD type, DWORD size, const void* data) {
  if (name && !fits(name, RegPathSize))
    return 0;
  if (!open(KEY_SET_VALUE))
    return 0;
  int stored = RegSetValueExA(handle_, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  close();
  return stored;
}

void* regkey::queryvalue(const char* name, DWORD& type, DWORD& size) {
  if (!open(KEY_QUERY_VALUE))
    return nullptr;
  DWORD needed = 0;
  BYTE* block = nullptr;
  if (RegQueryValueExA(handle_, name, nullptr, &type, nullptr, &needed) == ERROR_SUCCESS)
    block = static_cast<BYTE*>(std::calloc(static_cast<size_t>(needed) + 2, 1));
  if (block && RegQueryValueExA(handle_, name, nullptr, &type, block, &needed) != ERROR_SUCCESS) {
    std::free(block);
    block = nullptr;
  }
  close();
  size = block ? needed : 0;
  return block;
}

int regkey::querystring(const char* name, char* buffer, int size) {
  DWORD type = 0, length = 0;
  char* block = static_cast<char*>(queryvalue(name, type, length));
  if (!block)
    return 0;
  int copied = (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) && fits(block, size);
  if (copied)
    std::strcpy(buffer, block);
  std::free(block);
  return copied;
}

int regkey::cutlast(int& position) {
  char* last = std::strrchr(path_, '\\');
  if (!last)
    return 0;
  *last = 0;
  position = static_cast<int>(last - path_);
  return 1;
}

void regkey::restorelast(int position) { path_[position] = '\\'; }

int regkey::append(const char* name, int& position) {
  size_t length = std::strlen(path_);
  if (length + 1 + std::strlen(name) >= RegPathSize)
    return 0;
  position = static_cast<int>(length);
  path_[length] = '\\';
  std::strcpy(path_ + length + 1, name);
  return 1;
}

void regkey::unappend(int position) { path_[position] = 0; }

int regkey::read(portistream& stream) {
  close();
  return persistent::read(stream);
}

pmember* const* regkey::members() {
  static pchars path;
  static pint root;
  static pmember* const list[] = {&path, &root, nullptr};
  path.bind(path_);
  root.bind(root_);
  return list;
}
