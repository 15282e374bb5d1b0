#pragma once

#include <windows.h>

#include <string>

// A file's last-write time as one 64-bit file time, set and read from outside the engine.
inline bool SetWriteTime(const std::string& path, unsigned long long time) {
  FILETIME written = {static_cast<DWORD>(time & 0xFFFFFFFFu), static_cast<DWORD>(time >> 32)};
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  bool set = SetFileTime(file, nullptr, nullptr, &written) != 0;
  CloseHandle(file);
  return set;
}

// 0 when the file cannot be read.
inline unsigned long long WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return 0;
  return static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 |
         data.ftLastWriteTime.dwLowDateTime;
}
