#include <foundation/paths/fpath.h>

#include <foundation/files/dirscan.h>
#include <foundation/registry/systime.h>
#include <foundation/strings/formattext.h>
#include <foundation/strings/texthelpers.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/checkfailed.h>

#include <direct.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// The room of a formatted path.
constexpr std::size_t SetfRoom = 1024;

constexpr CheckSite ExtensionWithoutDot{"FPATH", 851};

// Room for a path of the engine plus whatever is appended to it before it is refused.
constexpr int WorkSize = 1024;

int isSeparator(char c) { return c == '\\' || c == '/'; }

int endsWithSeparator(const char* text) {
  size_t length = std::strlen(text);
  return length && isSeparator(text[length - 1]);
}

void dropTrailingBackslash(char* text) {
  size_t length = std::strlen(text);
  if (length && text[length - 1] == '\\')
    text[length - 1] = 0;
}

// The current directory, changed for one operation and put back afterwards.
class CurrentDirectory {
public:
  CurrentDirectory() {
    DWORD length = GetCurrentDirectoryA(MAX_PATH, path_);
    saved_ = length > 0 && length < MAX_PATH;
  }
  ~CurrentDirectory() {
    if (saved_)
      SetCurrentDirectoryA(path_);
  }
  int saved() const { return saved_; }

private:
  char path_[MAX_PATH];
  int saved_;
};

int readLastWrite(const char* path, systime& time) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  FILETIME written, local;
  int ok = GetFileTime(file, nullptr, nullptr, &written) && FileTimeToLocalFileTime(&written, &local) &&
           FileTimeToSystemTime(&local, &time);
  CloseHandle(file);
  return ok;
}

// Removes files as it meets them and directories after their contents. A link to another place is
// removed as the entry it is, never entered, so the delete stays inside the tree it was given.
class treedeleter : public dirscan {
public:
  treedeleter() { recurse = 1; }
  int file(const cpath& path) override { return fpath::remove(path); }
  int dir(const cpath& path) override {
    SetFileAttributesA(path.str(), FILE_ATTRIBUTE_NORMAL);
    return RemoveDirectoryA(path.str()) != 0;
  }
};

int replaceLastComponent(fpath& path, const char* name) {
  char text[WorkSize];
  if (!CopyText(text, WorkSize, path.str()))
    return 0;
  char* cut = nullptr;
  for (char* c = text; *c; ++c)
    if (isSeparator(*c) || *c == ':')
      cut = c + 1;
  if (!cut)
    cut = text;
  *cut = 0;
  return AppendText(text, WorkSize, name) && path.set(text);
}

} // namespace

int fpathbuf::set(const char* text) {
  if (!text)
    text = "";
  size_t length = std::strlen(text);
  if (length >= PathSize) {
    text_[0] = 0;
    return 0;
  }
  std::memmove(text_, text, length + 1);
  return 1;
}

int fpath::exists(const cpath& path) { return isdriveonly(path) || _access(path.str(), 0) == 0; }

int fpath::writable(const cpath& path) { return _access(path.str(), 2) == 0; }

int fpath::remove(const cpath& path) {
  if (_unlink(path.str()) == 0)
    return 1;
  SetFileAttributesA(path.str(), FILE_ATTRIBUTE_NORMAL);
  return _unlink(path.str()) == 0;
}

int fpath::getattr(const cpath& path, int& attributes) {
  DWORD found = GetFileAttributesA(path.str());
  if (found == INVALID_FILE_ATTRIBUTES)
    return -1;
  attributes = static_cast<int>(found);
  return 0;
}

int fpath::setattr(const cpath& path, int attributes) {
  return SetFileAttributesA(path.str(), static_cast<DWORD>(attributes)) ? 0 : -1;
}

int fpath::gettime(const cpath& path, systime& time) {
  systime found;
  if (!readLastWrite(path.str(), found))
    return 0;
  time = found;
  return 1;
}

int fpath::settime(const cpath& path, const systime& time) {
  FILETIME local, universal;
  if (!SystemTimeToFileTime(&time, &local) || !LocalFileTimeToFileTime(&local, &universal))
    return 0;
  HANDLE file = CreateFileA(path.str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  int ok = SetFileTime(file, &universal, &universal, &universal) != 0;
  CloseHandle(file);
  return ok;
}

int fpath::comparetimes(const cpath& a, const cpath& b) {
  systime timeA, timeB;
  if (exists(a) && !readLastWrite(a.str(), timeA))
    return 2;
  if (exists(b) && !readLastWrite(b.str(), timeB))
    return 2;
  return systime::compare(timeA, timeB);
}

int fpath::drive(const cpath& path) { return std::tolower(static_cast<unsigned char>(path.str()[0])) - 'a'; }

int fpath::getparent(const cpath& path, fpath& out) {
  if (isdriveonly(path))
    return 0;
  char text[PathSize];
  if (!CopyText(text, PathSize, path.str()))
    return 0;
  char* cut = std::strrchr(text, '\\');
  if (!cut)
    cut = std::strrchr(text, '/');
  if (!cut)
    return 0;
  *cut = 0;
  return out.set(text);
}

int fpath::rename(const cpath& path, const cpath& newPath) {
  return std::rename(path.str(), newPath.str()) == 0;
}

int fpath::renamein(const cpath& directory, const cpath& oldName, const cpath& newName) {
  CurrentDirectory current;
  if (!current.saved() || _chdir(directory.str()) != 0)
    return 0;
  return rename(oldName, newName);
}

int fpath::copyto(const cpath& path, char* buffer, int size) { return CopyText(buffer, size, path.str()); }

int fpath::getfull(const cpath& path, fpath& out) {
  char full[PathSize];
  if (!_fullpath(full, path.str(), PathSize))
    return 0;
  dropTrailingBackslash(full);
  return out.set(full);
}

int fpath::getdir(const cpath& path, fpath& out) {
  PathParts parts;
  char dir[2 * PathSize];
  if (!SplitPath(path.str(), parts) || !CopyText(dir, sizeof dir, parts.drive) ||
      !AppendText(dir, sizeof dir, parts.dir))
    return 0;
  dropTrailingBackslash(dir);
  return out.set(dir);
}

int fpath::getname(const cpath& path, fpath& out) {
  char name[2 * PathSize];
  return getnamebuf(path, name, sizeof name) && out.set(name);
}

int fpath::getnamebuf(const cpath& path, char* buffer, int size) {
  PathParts parts;
  return SplitPath(path.str(), parts) && CopyText(buffer, size, parts.name) &&
         AppendText(buffer, size, parts.ext);
}

int fpath::getroot(const cpath& path, fpath& out) {
  PathParts parts;
  if (!SplitPath(path.str(), parts))
    return 0;
  char root[PathSize];
  CopyText(root, PathSize, parts.drive);
  if (!endsWithSeparator(root))
    AppendText(root, PathSize, "\\");
  return out.set(root);
}

long fpath::size(const cpath& path) {
  FILE* file = std::fopen(path.str(), "rb");
  if (!file)
    return -1;
  long length = _filelength(_fileno(file));
  std::fclose(file);
  return length;
}

int fpath::setsize(const cpath& path, long length) {
  int file = _open(path.str(), _O_WRONLY | _O_BINARY);
  if (file < 0)
    return 0;
  int ok = _chsize(file, length) == 0;
  _close(file);
  return ok;
}

int fpath::isunder(const cpath& path, const cpath& directory) {
  size_t length = std::strlen(directory.str());
  const char* text = path.str();
  if (_strnicmp(text, directory.str(), length) != 0)
    return 0;
  if (text[length] != '\\' && text[length] != 0)
    return 0;
  return static_cast<int>(length);
}

int fpath::isdriveonly(const cpath& path) {
  const char* text = path.str();
  return text[0] && text[1] == ':' && text[2] == 0;
}

int fpath::equals(const cpath& a, const cpath& b) { return _stricmp(a.str(), b.str()) == 0; }

int fpath::hasext(const cpath& path, const char* extension) {
  CheckFailed(ExtensionWithoutDot, extension[0] == '.');
  size_t pathLength = std::strlen(path.str());
  size_t extLength = std::strlen(extension);
  return pathLength > extLength && _stricmp(path.str() + pathLength - extLength, extension) == 0;
}

int fpath::isdll(const cpath& path) { return hasext(path, ".dll"); }
int fpath::isocx(const cpath& path) { return hasext(path, ".ocx"); }
int fpath::isvbx(const cpath& path) { return hasext(path, ".vbx"); }
int fpath::isempty(const cpath& path) { return path.str()[0] == 0; }

int fpath::hasentries(const cpath& directory) {
  char pattern[WorkSize];
  if (!JoinPath(pattern, WorkSize, directory.str(), "*.*"))
    return 0;
  findrecord record;
  int found = findfirst(cpathref(pattern), record);
  while (found && (!std::strcmp(record.data.cFileName, ".") || !std::strcmp(record.data.cFileName, "..")))
    found = findnext(record);
  findclose(record);
  return found;
}

int fpath::isdir(const cpath& path) {
  CurrentDirectory current;
  return current.saved() && _chdir(path.str()) == 0;
}

int fpath::chdir(const cpath& path) {
  const char* text = path.str();
  if (text[0] && text[1] == ':' && _chdrive(drive(path) + 1) != 0)
    return 0;
  return _chdir(text) == 0;
}

int fpath::mkdir(const cpath& path) {
  if (exists(path))
    return 1;
  return _mkdir(path.str()) == 0 ? 0 : 2;
}

int fpath::mkdirs(const cpath& path) {
  if (exists(path))
    return 1;
  if (std::strlen(path.str()) >= PathSize)
    return 2;
  fpathbuf parent;
  if (!getparent(path, parent) || isempty(parent))
    return mkdir(path);
  if (mkdirs(parent) == 2)
    return 2;
  return mkdir(path);
}

// Works on the absolute form: the current directory moves to the drive's root first, so that the
// directory is not in use, and a relative path would then name another directory.
int fpath::rmdir(const cpath& path) {
  if (!exists(path))
    return 1;
  fpathbuf full, root;
  if (!getfull(path, full) || !getroot(full, root))
    return 0;
  SetCurrentDirectoryA(root.str());
  return _rmdir(full.str()) == 0;
}

namespace {

// A drive's or a share's root, given as a full path ("c:\\", "\\\\server\\share\\").
bool isRootPath(const char* full) {
  size_t length = std::strlen(full);
  while (length > 0 && isSeparator(full[length - 1]))
    --length;
  if (length <= 2)
    return true;
  if (!isSeparator(full[0]) || !isSeparator(full[1]))
    return false;
  const char* end = full + length;
  const char* server = std::find_if(full + 2, end, isSeparator);
  return server == end || std::find_if(server + 1, end, isSeparator) == end;
}

bool isAbsolute(const char* text) {
  return isSeparator(text[0]) || (text[0] && text[1] == ':' && isSeparator(text[2]));
}

// A root, or the current directory named relatively (".", ".\\", "x\\.."): a script path that
// expands to one of these would empty a drive or whatever folder the program happens to stand in.
bool namesRootOrCurrent(const char* text) {
  char full[MAX_PATH];
  if (!_fullpath(full, text, sizeof full) || isRootPath(full))
    return true;
  if (isAbsolute(text))
    return false;
  char current[MAX_PATH];
  if (!_getcwd(current, sizeof current))
    return true;
  dropTrailingBackslash(full);
  dropTrailingBackslash(current);
  return _stricmp(full, current) == 0;
}

} // namespace

// An empty text or a bare drive would name a drive's root or its current directory, not a tree.
int fpath::deletecontents(const cpath& directory) {
  fpathbuf full;
  if (isempty(directory) || isdriveonly(directory) || namesRootOrCurrent(directory.str()) ||
      !getfull(directory, full) || isdriveonly(full))
    return 0;
  int attributes;
  if (getattr(full, attributes) != 0 || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return 0;
  treedeleter deleter;
  return deleter.walk(full);
}

int fpath::rmtree(const cpath& directory) { return deletecontents(directory) && rmdir(directory); }

int fpath::findfirst(const cpath& pattern, findrecord& record) {
  record.handle = FindFirstFileA(pattern.str(), &record.data);
  return record.handle != INVALID_HANDLE_VALUE;
}

int fpath::findnext(findrecord& record) {
  return record.handle != INVALID_HANDLE_VALUE && FindNextFileA(record.handle, &record.data);
}

void fpath::findclose(findrecord& record) {
  if (record.handle != INVALID_HANDLE_VALUE)
    FindClose(record.handle);
  record.handle = INVALID_HANDLE_VALUE;
}

// Reads the file once through a window that slides over it; the answer is the first offset at which
// the text's bytes stand, as a byte-by-byte comparison at every offset would give.
long fpath::findbytes(const cpath& file, const char* text) {
  size_t length = std::strlen(text);
  if (length >= 256)
    return -1;
  FILE* stream = std::fopen(file.str(), "rb");
  if (!stream)
    return -1;
  char window[4096 + 256];
  size_t held = 0;
  long windowStart = 0;
  long found = -1;
  for (;;) {
    size_t got = std::fread(window + held, 1, sizeof window - held, stream);
    held += got;
    if (held < length || (got == 0 && held == 0))
      break;
    for (size_t at = 0; at + length <= held; ++at)
      if (std::memcmp(window + at, text, length) == 0) {
        found = windowStart + static_cast<long>(at);
        break;
      }
    if (found >= 0 || got == 0)
      break;
    size_t keep = length ? length - 1 : 0;
    std::memmove(window, window + held - keep, keep);
    windowStart += static_cast<long>(held - keep);
    held = keep;
  }
  std::fclose(stream);
  return found;
}

int fpath::appendtoname(fpath& path, const char* suffix) {
  PathParts parts;
  char merged[WorkSize];
  return SplitPath(path.str(), parts) && AppendText(parts.name, PathSize, suffix) &&
         MergePath(merged, WorkSize, parts) && path.set(merged);
}

int fpath::setmodule(fpath& path) {
  char name[PathSize];
  DWORD length = GetModuleFileNameA(EngineModule(), name, PathSize);
  if (length == 0 || length >= PathSize)
    return 0;
  return path.set(name);
}

int fpath::setmoduledir(fpath& path) {
  fpathbuf module;
  return setmodule(module) && getdir(module, path);
}

int fpath::setcurdir(fpath& path) {
  char current[PathSize];
  return _getcwd(current, PathSize) && path.set(current);
}

int fpath::setwindir(fpath& path) {
  char windows[PathSize];
  UINT length = GetWindowsDirectoryA(windows, PathSize);
  return length && length < PathSize && path.set(windows);
}

int fpath::setshareddir(fpath& path) {
  char current[PathSize], destination[PathSize];
  UINT currentLength = PathSize, destinationLength = PathSize;
  char windows[] = "", application[] = "c:\\", probe[] = "98Lx28.$$$";
  DWORD result = VerFindFileA(VFFF_ISSHAREDFILE, probe, windows, application, current, &currentLength,
                              destination, &destinationLength);
  if (result & VFF_BUFFTOOSMALL)
    return 0;
  return path.set(destination);
}

int fpath::setcommonfilesdir(fpath& path) {
  char value[PathSize];
  DWORD size = sizeof value, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_QUERY_VALUE,
                    &key) == ERROR_SUCCESS) {
    LONG status =
        RegQueryValueExA(key, "CommonFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0 &&
        value[size - 1] == 0)
      return path.set(value);
  }
  return setshareddir(path);
}

int fpath::setbackupname(fpath& path, const cpath& source) {
  if (!path.set(source.str()))
    return 0;
  if (!setext(path, "bak"))
    return 0;
  if (!exists(path))
    return 1;
  for (int n = 0; n <= 999; ++n) {
    char extension[8];
    std::snprintf(extension, sizeof extension, "%03d", n);
    if (!setext(path, extension))
      return 0;
    if (!exists(path))
      return 1;
  }
  return 0;
}

int fpath::setdrive(fpath& path, int drive) {
  char text[3] = {static_cast<char>('a' + drive), ':', 0};
  return path.set(text);
}

int fpath::setdriveroot(fpath& path, int drive) {
  char text[4] = {static_cast<char>('a' + drive), ':', '\\', 0};
  return path.set(text);
}

int fpath::setf(fpath& path, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args);
  va_end(args);
  // A path cut short would name another file: one longer than the room fails instead.
  if (text.size() >= SetfRoom)
    return 0;
  return path.set(text.c_str());
}

int fpath::setjoin(fpath& path, const char* directory, const char* name) {
  return setjoinpaths(path, cpathref(directory), cpathref(name));
}

int fpath::setjoinpaths(fpath& path, const cpath& directory, const cpath& name) {
  char joined[WorkSize];
  return JoinPath(joined, WorkSize, directory.str(), name.str()) && path.set(joined);
}

int fpath::movetodir(fpath& path, const cpath& directory) {
  char name[PathSize];
  return getnamebuf(path, name, PathSize) && setjoinpaths(path, directory, cpathref(name));
}

int fpath::setname(fpath& path, const cpath& name) {
  fpathbuf dir;
  return getdir(path, dir) && setjoinpaths(path, dir, name);
}

int fpath::setunique(fpath& path, const cpath& directory, const char* stem) {
  for (int n = 0; n < 1000000; ++n) {
    char name[PathSize];
    if (std::snprintf(name, sizeof name, "%s%03d.%03d", stem, n / 1000, n % 1000) >= PathSize)
      return 0;
    if (!setjoinpaths(path, directory, cpathref(name)))
      return 0;
    if (!exists(path))
      return 1;
  }
  return 0;
}

int fpath::setuniquebeside(fpath& path, const cpath& other, const char* stem) {
  fpathbuf dir;
  return getdir(other, dir) && setunique(path, dir, stem);
}

int fpath::relativeto(const cpath& path, const cpath& base, fpath& out) {
  fpathbuf dir, remainder, name;
  if (!getdir(path, dir) || !getname(path, remainder))
    return 0;
  while (!equals(dir, base)) {
    if (isdriveonly(dir) || isempty(dir))
      return 0;
    fpathbuf parent;
    if (!getname(dir, name) || !setjoinpaths(remainder, name, fpathbuf(remainder)) || !getdir(dir, parent))
      return 0;
    dir = parent;
  }
  return out.set(remainder.str());
}

int fpath::stripext(fpath& path) {
  PathParts parts;
  char merged[WorkSize];
  if (!SplitPath(path.str(), parts))
    return 0;
  parts.ext[0] = 0;
  return MergePath(merged, WorkSize, parts) && path.set(merged);
}

int fpath::setext(fpath& path, const char* extension) {
  PathParts parts;
  char merged[WorkSize];
  if (!SplitPath(path.str(), parts))
    return 0;
  if (extension[0] == '.')
    ++extension;
  if (!CopyText(parts.ext, PathSize, ".") || !AppendText(parts.ext, PathSize, extension))
    return 0;
  if (!extension[0])
    parts.ext[0] = 0;
  return MergePath(merged, WorkSize, parts) && path.set(merged);
}

int fpath::setextlastchar(fpath& path, char c) {
  PathParts parts;
  char merged[WorkSize];
  if (!SplitPath(path.str(), parts))
    return 0;
  size_t length = std::strlen(parts.ext);
  if (length == 4) {
    parts.ext[3] = c;
  } else {
    char tail[2] = {c, 0};
    if ((length == 0 && !CopyText(parts.ext, PathSize, ".")) || !AppendText(parts.ext, PathSize, tail))
      return 0;
  }
  return MergePath(merged, WorkSize, parts) && path.set(merged);
}

int fpath::setlongname(fpath& path) {
  findrecord record;
  if (!findfirst(path, record))
    return 0;
  findclose(record);
  return replaceLastComponent(path, record.data.cFileName);
}

int fpath::shortenlast(fpath& path) {
  findrecord record;
  if (!findfirst(path, record))
    return 0;
  findclose(record);
  if (!record.data.cAlternateFileName[0])
    return 1;
  return replaceLastComponent(path, record.data.cAlternateFileName);
}

int fpath::toshort(fpath& path) {
  if (isdriveonly(path))
    return 1;
  if (!shortenlast(path))
    return 0;
  fpathbuf parent, name;
  if (!getparent(path, parent) || !getname(path, name) || !toshort(parent))
    return 0;
  return setjoinpaths(path, parent, name);
}
