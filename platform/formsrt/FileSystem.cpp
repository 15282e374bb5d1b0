#include <formsrt/FileSystem.h>

#include <formsrt/RuntimeError.h>

#include <windows.h>

namespace formsrt {

namespace {

struct DirSearch {
  HANDLE handle = INVALID_HANDLE_VALUE;
  int attributes = 0;
  void close() {
    if (handle != INVALID_HANDLE_VALUE)
      FindClose(handle);
    handle = INVALID_HANDLE_VALUE;
  }
  ~DirSearch() { close(); }
};

DirSearch& search() {
  static DirSearch current;
  return current;
}

bool wanted(const WIN32_FIND_DATAA& found, int attributes) {
  DWORD extra =
      found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY);
  DWORD allowed = ((attributes & dirHidden) ? FILE_ATTRIBUTE_HIDDEN : 0) |
                  ((attributes & dirSystem) ? FILE_ATTRIBUTE_SYSTEM : 0) |
                  ((attributes & dirDirectory) ? FILE_ATTRIBUTE_DIRECTORY : 0);
  return (extra & ~allowed) == 0;
}

std::string nextMatch(WIN32_FIND_DATAA& found, bool haveOne) {
  DirSearch& current = search();
  for (; haveOne; haveOne = FindNextFileA(current.handle, &found)) {
    if (wanted(found, current.attributes))
      return found.cFileName;
  }
  current.close();
  return std::string();
}

int errorFor(DWORD code) {
  switch (code) {
  case ERROR_FILE_NOT_FOUND:
    return errFileNotFound;
  case ERROR_PATH_NOT_FOUND:
    return errPathNotFound;
  case ERROR_ALREADY_EXISTS:
  case ERROR_FILE_EXISTS:
    return errFileExists;
  case ERROR_SHARING_VIOLATION:
  case ERROR_ACCESS_DENIED:
    return errPermissionDenied;
  default:
    return errPathFileAccess;
  }
}

bool attributesOf(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
  return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
         !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::string Dir(const std::string& pattern, int attributes) {
  DirSearch& current = search();
  current.close();
  current.attributes = attributes;
  WIN32_FIND_DATAA found;
  current.handle = FindFirstFileA(pattern.c_str(), &found);
  return nextMatch(found, current.handle != INVALID_HANDLE_VALUE);
}

std::string Dir() {
  DirSearch& current = search();
  if (current.handle == INVALID_HANDLE_VALUE)
    raiseError(errInvalidCall);
  WIN32_FIND_DATAA found;
  return nextMatch(found, FindNextFileA(current.handle, &found));
}

void Kill(const std::string& path) {
  if (!DeleteFileA(path.c_str()))
    raiseError(errorFor(GetLastError()));
}

void Name(const std::string& oldPath, const std::string& newPath) {
  if (GetFileAttributesA(oldPath.c_str()) == INVALID_FILE_ATTRIBUTES)
    raiseError(errorFor(GetLastError()));
  if (GetFileAttributesA(newPath.c_str()) != INVALID_FILE_ATTRIBUTES)
    raiseError(errFileExists);
  if (!MoveFileA(oldPath.c_str(), newPath.c_str()))
    raiseError(errorFor(GetLastError()));
}

long FileLen(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!attributesOf(path, data))
    raiseError(errFileNotFound);
  return static_cast<long>(data.nFileSizeLow);
}

Date FileDateTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!attributesOf(path, data))
    raiseError(errFileNotFound);
  FILETIME local;
  SYSTEMTIME time;
  FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &time);
  return FromSystemTime(time);
}

bool FileExists(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return attributesOf(path, data);
}

} // namespace formsrt
