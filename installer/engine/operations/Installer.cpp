#include <engine/operations/Installer.h>

#include <engine/dialogs/EngineBox.h>
#include <engine/operations/FileJob.h>
#include <engine/operations/FolderGuard.h>
#include <engine/operations/IniFile.h>
#include <engine/operations/ProgramGroupsManager.h>

#include <foundation/paths/fpath.h>
#include <foundation/strings/formattext.h>
#include <foundation/system/reboot.h>
#include <foundation/system/systemreason.h>

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr UINT NotEnoughSpaceText = 91;
const char* const RootNames[] = {"HKLM", "HKCR", "HKCU", "HKUS", "HKCF"};
// No real entry holds this text, so it tells a missing entry from an empty one.
const char* const MissingEntry = "\x01kx-missing-entry\x01";

int IsDirectory(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string Parent(const std::string& path) {
  size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut == 0 || (cut == 2 && path[1] == ':'))
    return std::string();
  return path.substr(0, cut);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

int SameVolume(const char* a, const char* b) {
  char fullA[MAX_PATH], fullB[MAX_PATH];
  if (!GetFullPathNameA(a, MAX_PATH, fullA, nullptr) || !GetFullPathNameA(b, MAX_PATH, fullB, nullptr))
    return 0;
  return _strnicmp(fullA, fullB, 2) == 0 && fullA[1] == ':';
}

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

// The whole value of an entry, however long; 0 when the entry is missing.
int ReadProfileEntry(const char* file, const char* section, const char* entry, std::string& value) {
  std::vector<char> buffer(1024);
  for (;;) {
    DWORD n = GetPrivateProfileStringA(section, entry, MissingEntry, buffer.data(),
                                       static_cast<DWORD>(buffer.size()), file);
    if (n < buffer.size() - 1) {
      value.assign(buffer.data(), n);
      return value != MissingEntry;
    }
    buffer.resize(buffer.size() * 2);
  }
}

} // namespace

InstallerPlatform InstallerPlatform::System() {
  InstallerPlatform platform;
  platform.inuse = [](const char* path) {
    char folder[MAX_PATH], name[MAX_PATH], current[MAX_PATH], destination[MAX_PATH];
    UINT currentLength = MAX_PATH, destinationLength = MAX_PATH;
    if (!Exists(path) || !GetFullPathNameA(path, MAX_PATH, folder, nullptr))
      return 0;
    char* slash = std::strrchr(folder, '\\');
    if (!slash)
      return 0;
    std::strcpy(name, slash + 1);
    slash[1] = 0;
    char windows[] = "";
    DWORD result =
        VerFindFileA(0, name, windows, folder, current, &currentLength, destination, &destinationLength);
    return (result & VFF_FILEINUSE) ? 1 : 0;
  };
  platform.renameatrestart = [](const char* from, const char* to) {
    return RenameOnReboot(cpathref(from), cpathref(to));
  };
  fpathbuf folder;
  if (fpath::setwindir(folder))
    platform.windowsfolder = folder.str();
  if (fpath::setshareddir(folder))
    platform.sharedfolder = folder.str();
  if (fpath::setcommonfilesdir(folder))
    platform.commonfolder = folder.str();
  return platform;
}

HKEY RegistryRoot(int root) {
  static const HKEY roots[] = {HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_USERS,
                               HKEY_CURRENT_CONFIG};
  return root >= 0 && root < 5 ? roots[root] : nullptr;
}

std::string RegistryKeyText(int root, const char* path) {
  return std::string(root >= 0 && root < 5 ? RootNames[root] : "Unknown") + "\\" + path;
}

Installer::Installer(InstallerPlatform platform) : platform_(std::move(platform)) {}

void Installer::switchlog(OperationLog* writer) {
  kept_ = log_;
  log_ = writer ? writer : &nullLog_;
}

void Installer::restorelog() {
  log_ = kept_;
  kept_ = &nullLog_;
}

int Installer::fail(int code, const char* format, ...) {
  error = code;
  if (quiet)
    return 0;
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  EngineError("%s", text.c_str());
  return 0;
}

namespace {

std::string FullLowerPath(const char* path) {
  char full[MAX_PATH];
  std::string text = GetFullPathNameA(path, MAX_PATH, full, nullptr) ? full : path;
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

} // namespace

int Installer::loggable(LogFieldKind kind, const std::string& text, const char* name) {
  if (!log_->keepsrecords() || LogFieldFits(kind, text.size()))
    return 1;
  return fail(OtherError, "The change of %.200s is too large for the operation log and is not made",
              name ? name : text.c_str());
}

int Installer::stopped() {
  if (!log_->broken())
    return 0;
  error = OtherError;
  return 1;
}

void Installer::keep(const char* path) { keptFiles_.insert(FullLowerPath(path)); }

int Installer::iskept(const char* path) const { return keptFiles_.count(FullLowerPath(path)) != 0; }

void Installer::noteinifile(const char* path) { iniFiles_.insert(FullLowerPath(path)); }

int Installer::isinifile(const char* path) const { return iniFiles_.count(FullLowerPath(path)) != 0; }

int Installer::createdirectory(const char* path) {
  if (stopped())
    return 2;
  if (IsDirectory(path))
    return 1;
  std::string parent = Parent(path);
  if (!parent.empty() && !IsDirectory(parent.c_str()) && createdirectory(parent.c_str()) == 2)
    return 2;
  if (!CreateDirectoryA(path, nullptr)) {
    fail(MkdirFailed, "Unable to create dir %s\n%s", path, SystemReason(GetLastError()).c_str());
    return 2;
  }
  log_->dircreated(path);
  return 0;
}

int Installer::deletefile(const char* path) {
  if (stopped())
    return 0;
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return 1;
  if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
      !setattributes(path, FILE_ATTRIBUTE_NORMAL))
    return 0;
  if (!DeleteFileA(path))
    return fail(DeleteFailed, "Unable to delete file %s", path);
  log_->filedeleted(path);
  return 1;
}

int Installer::removetree(const char* path) {
  if (stopped())
    return 0;
  if (!IsDirectory(path))
    return 1;
  std::string why;
  if (IsProtectedFolder(path, platform_.windowsfolder, why))
    return fail(DeleteFailed, "Refusing to delete %s: %s", path, why.c_str());
  std::string folder = path;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    int ok = 1;
    do {
      if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
        continue;
      std::string entry = folder + "\\" + found.cFileName;
      ok = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? removetree(entry.c_str())
                                                               : deletefile(entry.c_str());
      PumpMessages();
    } while (ok && FindNextFileA(search, &found));
    FindClose(search);
    if (!ok)
      return 0;
  }
  fpathbuf root;
  if (fpath::getroot(cpathref(path), root))
    SetCurrentDirectoryA(root.str());
  if (!RemoveDirectoryA(path))
    return fail(DeleteFailed, "Unable to delete file %s", path);
  log_->dirremoved(path);
  return 1;
}

int Installer::move(const char* source, const char* destination) {
  if (stopped())
    return 0;
  if (_stricmp(source, destination) == 0)
    return 1;
  if (!Exists(source))
    return fail(OtherError, "%s not found", source);
  // An installation keeps a file it moves over under a backup name, so that the uninstall gives it
  // back; without a log (the uninstall's own moves) there is nobody to give it back.
  if (Exists(destination) && !(log_->keepsrecords() ? setaside(destination) : deletefile(destination)))
    return 0;
  std::string folder = Parent(destination);
  if (!folder.empty() && createdirectory(folder.c_str()) == 2)
    return 0;
  if (SameVolume(source, destination)) {
    if (!MoveFileA(source, destination))
      return fail(RenameFailed, "Unable to rename file from %s to %s", source, destination);
  } else {
    SilentInstaller silent(*this);
    if (!silent.copy(source, destination) || !silent.deletefile(source))
      return fail(RenameFailed, "Unable to rename file from %s to %s", source, destination);
  }
  log_->filerenamed(source, destination);
  return 1;
}

int Installer::setaside(const char* path) {
  fpathbuf backup;
  if (!fpath::setbackupname(backup, cpathref(path)))
    return fail(RenameFailed, "Unable to rename file from %s to %s", path, path);
  if (!MoveFileA(path, backup.str()))
    return fail(RenameFailed, "Unable to rename file from %s to %s", path, backup.str());
  log_->filerenamed(path, backup.str());
  return 1;
}

int Installer::replacewithbackup(const char* a, const char* b, const char* backup) {
  if (!move(a, backup))
    return 0;
  SilentInstaller silent(*this);
  return silent.move(b, a);
}

int Installer::copy(const char* source, const char* destination) {
  FileJob job;
  job.source = std::make_unique<PlainFileSource>(source);
  job.target = std::make_unique<NewFileWriter>();
  job.targetpath = destination;
  InstallFileItem(*this, job);
  return job.state == JobInstalled;
}

int Installer::setattributes(const char* path, DWORD attributes) {
  if (stopped())
    return 0;
  DWORD old = GetFileAttributesA(path);
  if (old == INVALID_FILE_ATTRIBUTES)
    return fail(OtherError, "Unable to get the file attributes of %s", path);
  if (old == attributes)
    return 1;
  if (!SetFileAttributesA(path, attributes))
    return fail(OtherError, "Unable to set the file attributes of %s", path);
  log_->attributeschanged(path, static_cast<long>(old), static_cast<long>(attributes));
  return 1;
}

// Free space in units of 10 KB, from 64-bit byte counts and clamped, so that large disks never
// look full.
int Installer::checkfreespace(const char* drive, long needed) {
  ULARGE_INTEGER available, total, free;
  if (!GetDiskFreeSpaceExA(drive, &available, &total, &free)) {
    fail(OtherError, "Unable to get the free space of drive %s", drive);
    return 2;
  }
  unsigned long long units = available.QuadPart / 10240;
  long freeUnits =
      units > static_cast<unsigned long long>(LONG_MAX / 10) ? LONG_MAX / 10 : static_cast<long>(units);
  if (freeUnits >= needed)
    return 0;
  if (!quiet)
    EngineError("%s", EngineTextf(NotEnoughSpaceText, needed * 10, freeUnits * 10).c_str());
  error = OtherError;
  return 1;
}

int Installer::drivekind(const char* path) {
  char root[4] = {path[0], ':', '\\', 0};
  switch (GetDriveTypeA(root)) {
  case DRIVE_REMOVABLE:
    return 0;
  case DRIVE_FIXED:
    return 1;
  case DRIVE_REMOTE:
    return 2;
  case DRIVE_CDROM:
    return 3;
  default:
    return -1;
  }
}

int Installer::firstcdrom() {
  for (char drive = 'A'; drive <= 'Z'; ++drive) {
    char root[2] = {drive, 0};
    if (drivekind(root) == 3)
      return drive - 'A';
  }
  return -1;
}

int Installer::inuse(const char* path) const { return platform_.inuse && platform_.inuse(path); }

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

int Installer::setentry(const char* file, const char* section, const char* entry, const char* text) {
  if (stopped())
    return 0;
  std::string folder = Parent(file);
  if (!folder.empty() && createdirectory(folder.c_str()) == 2)
    return 0;
  int fileExisted = Exists(file);
  int sectionExisted = fileExisted && IniCountLines(file, section) >= 0;
  std::string old;
  int entryExisted = ReadProfileEntry(file, section, entry, old);
  if (entryExisted && !loggable(FieldText, old, entry))
    return 0;
  if (!WritePrivateProfileStringA(section, entry, text, file))
    return fail(OtherError, "Unable to set INI entry %s in file %s", entry, file);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
  if (!fileExisted)
    log_->filecreated(file);
  if (!sectionExisted)
    log_->inisectionadded(file, section);
  if (entryExisted)
    log_->inientrychanged(file, section, entry, old.c_str(), 0);
  else
    log_->inientrycreated(file, section, entry, 0);
  return 1;
}

int Installer::addsection(const char* file, const char* section) {
  if (stopped())
    return 0;
  int fileExisted = Exists(file);
  int sectionExisted = fileExisted && IniCountLines(file, section) >= 0;
  if (!IniAddSection(file, section))
    return fail(OtherError, "Unable to add INI section %s in file %s", section, file);
  if (!fileExisted)
    log_->filecreated(file);
  if (!sectionExisted)
    log_->inisectionadded(file, section);
  return 1;
}

int Installer::deletesection(const char* file, const char* section) {
  if (stopped())
    return 0;
  if (!Exists(file) || IniCountLines(file, section) < 0)
    return 1;
  std::string key, value;
  while (IniGetEntry(file, section, 0, key, value))
    if (!deleteentry(file, section, key.c_str(), 0))
      return 0;
  if (!IniDeleteSection(file, section))
    return fail(OtherError, "Unable to del INI section %s in file %s", section, file);
  log_->inisectiondeleted(file, section);
  return 1;
}

int Installer::insertentry(const char* file, const char* section, const char* entry, const char* text,
                           int occurrence) {
  if (stopped())
    return 0;
  int fileExisted = Exists(file);
  int count = fileExisted ? IniCountEntries(file, section, entry) : -1;
  int sectionExisted = count >= 0;
  if (occurrence > count)
    occurrence = count < 0 ? 0 : count;
  if (occurrence < 0)
    occurrence = 0;
  if (!IniInsertEntry(file, section, entry, text, occurrence))
    return fail(OtherError, "Unable to insert INI entry %s", entry);
  if (!fileExisted)
    log_->filecreated(file);
  if (!sectionExisted)
    log_->inisectionadded(file, section);
  log_->inientrycreated(file, section, entry, occurrence);
  return 1;
}

int Installer::replaceentry(const char* file, const char* section, const char* entry, const char* text,
                            int occurrence) {
  if (stopped())
    return 0;
  std::string old;
  if (!IniGetValue(file, section, entry, occurrence, old))
    return insertentry(file, section, entry, text, occurrence);
  if (!loggable(FieldText, old, entry))
    return 0;
  if (!IniSetEntry(file, section, entry, text, occurrence))
    return fail(OtherError, "Unable to set INI entry %s", entry);
  log_->inientrychanged(file, section, entry, old.c_str(), occurrence);
  return 1;
}

int Installer::deleteentry(const char* file, const char* section, const char* entry, int occurrence) {
  if (stopped())
    return 0;
  std::string old;
  if (!IniGetValue(file, section, entry, occurrence, old))
    return 1;
  if (!loggable(FieldText, old, entry))
    return 0;
  if (!IniDeleteEntry(file, section, entry, occurrence))
    return fail(OtherError, "Unable to del INI entry %s", entry);
  log_->inientrydeleted(file, section, entry, old.c_str(), occurrence);
  return 1;
}

namespace {

// One use of the program groups, released with the close flag.
class GroupsUse {
public:
  GroupsUse() : acquired_(ProgramGroupsManager::instance().acquire()) {}
  ~GroupsUse() {
    if (acquired_)
      ProgramGroupsManager::instance().release(1);
  }
  GroupsUse(const GroupsUse&) = delete;
  GroupsUse& operator=(const GroupsUse&) = delete;
  ProgramGroups* operator->() const { return ProgramGroupsManager::instance().groups(); }
  int acquired() const { return acquired_; }
  // Why the last operation failed, as the end of a message ("": the keeper gives no reason).
  std::string reason() const {
    std::string why = ProgramGroupsManager::instance().groups()->failure();
    return why.empty() ? why : ": " + why;
  }

private:
  int acquired_;
};

std::string Image(const ProgramItem& item) {
  unsigned char image[ProgramItem::ImageSize];
  item.toimage(image);
  return std::string(reinterpret_cast<const char*>(image), ProgramItem::ImageSize);
}

} // namespace

// Names are refused alike whichever keeps the groups, so that a script behaves the same on every
// machine.
int Installer::refusedname(const char* kind, const char* name) {
  return fail(OtherError, "The %s name %s cannot be used: it holds a quote or a bracket", kind, name);
}

int Installer::creategroup(const char* name) {
  if (stopped())
    return 0;
  if (!IsGroupName(name))
    return fail(OtherError, "Unable to create group %s", name);
  if (!IsProgmanName(name))
    return refusedname("group", name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  if (groups->groupexists(name))
    return 1;
  if (!groups->creategroup(name))
    return fail(OtherError, "Unable to create group %s%s", name, groups.reason().c_str());
  log_->groupcreated(name);
  return 1;
}

int Installer::createitem(const char* group, const ProgramItem& item) {
  if (stopped())
    return 0;
  if (!IsGroupName(item.name))
    return fail(OtherError, "Unable to create PM item %s", item.name);
  if (!IsProgmanName(item.name))
    return refusedname("item", item.name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  if (!creategroup(group) || !deleteitem(group, item.name))
    return 0;
  if (!groups->showgroup(group, 9))
    return fail(OtherError, "Unable to show group %s%s", group, groups.reason().c_str());
  if (!groups->additem(item))
    return fail(OtherError, "Unable to create PM item %s%s", item.name, groups.reason().c_str());
  log_->itemcreated(group, item.name);
  return 1;
}

int Installer::deleteitem(const char* group, const char* name) {
  if (stopped())
    return 0;
  if (!IsGroupName(name))
    return fail(OtherError, "Unable to delete PM item %s", name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  ProgramItem item;
  if (!groups->itemrecord(group, name, item))
    return 1;
  if (!groups->showgroup(group, 1))
    return fail(OtherError, "Unable to show group %s%s", group, groups.reason().c_str());
  if (!groups->deleteitem(name))
    return fail(OtherError, "Unable to delete PM item %s%s", name, groups.reason().c_str());
  log_->itemdeleted(group, Image(item));
  return 1;
}

int Installer::grouplist(std::string& text) {
  text.clear();
  GroupsUse groups;
  return groups.acquired() && groups->grouplist(text);
}

int Installer::deletegroup(const char* name) {
  if (stopped())
    return 0;
  if (!IsGroupName(name))
    return fail(OtherError, "Unable to delete group %s", name);
  GroupsUse groups;
  if (!groups.acquired())
    return fail(OtherError, "Unable to connect to PM");
  if (!groups->groupexists(name))
    return 1;
  GroupContents contents;
  groups->groupcontents(name, contents);
  if (!groups->deletegroup(name))
    return fail(OtherError, "Unable to delete group %s%s", name, groups.reason().c_str());
  for (const ProgramItem& item : contents)
    log_->itemdeleted(name, Image(item));
  log_->groupdeleted(name);
  return 1;
}

int Installer::grouphasitems(const char* name) {
  GroupsUse groups;
  GroupContents contents;
  return groups.acquired() && groups->groupcontents(name, contents) && !contents.empty();
}

// The change is announced with a time-out, so that one hung window cannot stop the installation.
int Installer::installfont(const char* path) {
  if (stopped())
    return 0;
  if (!AddFontResourceA(path))
    return fail(OtherError, "Unable to install font");
  DWORD_PTR ignored;
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  log_->fontinstalled(path);
  return 1;
}

int Installer::registerserver(const char* path, int reg) {
  if (stopped())
    return 0;
  const char* failure = reg ? "Unable to register OLE2 server %s" : "Unable to unregister OLE2 server %s";
  size_t length = std::strlen(path);
  if (length >= 4 && _stricmp(path + length - 4, ".exe") == 0) {
    std::string command = std::string("\"") + path + "\" " + (reg ? "/reg" : "/unreg");
    if (WinExec(command.c_str(), SW_HIDE) < 32)
      return fail(OtherError, failure, path);
    return 1;
  }
  HMODULE library = LoadLibraryA(path);
  if (!library)
    return fail(OtherError, failure, path);
  using Entry = HRESULT(WINAPI*)();
  auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void*>(GetProcAddress(library, reg ? "DllRegisterServer" : "DllUnregisterServer")));
  HRESULT result = entry ? entry() : E_FAIL;
  FreeLibrary(library);
  if (FAILED(result))
    return fail(OtherError, failure, path);
  return 1;
}

HANDLE OpenOwnToken(DWORD access) {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), access, &token))
    return INVALID_HANDLE_VALUE;
  return token;
}

void CloseToken(HANDLE& token) {
  if (token != INVALID_HANDLE_VALUE)
    CloseHandle(token);
  token = INVALID_HANDLE_VALUE;
}

int SetPrivilege(HANDLE token, const char* name, int enable) {
  TOKEN_PRIVILEGES privileges = {};
  if (!LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid))
    return 0;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != 0;
}
