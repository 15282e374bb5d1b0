#include <foundation/strings/texthelpers.h>

#include <foundation/paths/pathparts.h>

#include <direct.h>
#include <io.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int isBlankChar(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

int uniqueCounter = 0;

} // namespace

const char* SkipBlanks(const char* s) {
  while (*s && isBlankChar(*s))
    ++s;
  return s;
}

int IsBlank(const char* s) { return *SkipBlanks(s) == 0; }

int FirstNonBlank(const char* s, char& out) {
  const char* first = SkipBlanks(s);
  if (!*first)
    return 0;
  out = *first;
  return 1;
}

int TrimCopy(const char* begin, const char* end, char* out, int size) {
  while (begin <= end && isBlankChar(*begin))
    ++begin;
  while (end >= begin && isBlankChar(*end))
    --end;
  size_t length = begin <= end ? static_cast<size_t>(end - begin + 1) : 0;
  if (size <= 0)
    return 0;
  out[0] = 0;
  if (length >= static_cast<size_t>(size))
    return 0;
  std::memcpy(out, begin, length);
  out[length] = 0;
  return 1;
}

int AddBackslash(char* buffer, int size) {
  size_t length = std::strlen(buffer);
  if (!length || buffer[length - 1] == '\\')
    return 1;
  return AppendText(buffer, size, "\\");
}

int JoinPath(char* out, int size, const char* dir, const char* name) {
  return CopyText(out, size, dir) && AddBackslash(out, size) && AppendText(out, size, name);
}

int NamePart(const char* path, char* out, int size) {
  PathParts parts;
  return SplitPath(path, parts) && CopyText(out, size, parts.name) && AppendText(out, size, parts.ext);
}

int DirPart(const char* path, char* out, int size) {
  PathParts parts;
  if (!SplitPath(path, parts) || !CopyText(out, size, parts.drive) || !AppendText(out, size, parts.dir))
    return -1;
  int length = static_cast<int>(std::strlen(out));
  if (length && out[length - 1] == '\\')
    out[length - 1] = 0;
  return length;
}

int HasDrive(const char* path) {
  PathParts parts;
  return SplitPath(path, parts) && parts.drive[0];
}

int HasDir(const char* path) {
  PathParts parts;
  return SplitPath(path, parts) && parts.dir[0];
}

int SetNameInPath(char* path, int size, const char* name) {
  char dir[2 * PathSize];
  if (DirPart(path, dir, sizeof dir) < 0)
    return 0;
  return JoinPath(path, size, dir, name);
}

int MakeDirs(const char* path) {
  char probe[2 * PathSize];
  if (!CopyText(probe, sizeof probe, path))
    return 2;
  if (probe[0] && probe[1] == ':' && probe[2] == 0)
    AppendText(probe, sizeof probe, "\\");
  if (_access(probe, 0) == 0)
    return _access(probe, 2) == 0 ? 1 : 2;
  if (_mkdir(path) == 0)
    return 0;
  char* cut = std::strrchr(probe, '\\');
  if (!cut)
    return 2;
  *cut = 0;
  if (MakeDirs(probe) != 0)
    return 2;
  return _mkdir(path) == 0 ? 0 : 2;
}

int QuoteString(char* out, int size, const char* s) {
  return CopyText(out, size, "\"") && AppendText(out, size, s) && AppendText(out, size, "\"");
}

int FullPathInPlace(char (&buffer)[260]) {
  char full[260];
  if (!_fullpath(full, buffer, sizeof full))
    return 0;
  std::memcpy(buffer, full, sizeof full);
  return 1;
}

int UniqueNameInDir(const char* dir, const char* stem, char* out, int size) {
  if (std::strlen(stem) > 12)
    return 0;
  for (; uniqueCounter < 1000000; ++uniqueCounter) {
    char name[20];
    std::snprintf(name, sizeof name, "%s%03d.%03d", stem, uniqueCounter / 1000, uniqueCounter % 1000);
    if (!JoinPath(out, size, dir, name))
      return 0;
    if (_access(out, 0) != 0)
      return 1;
  }
  out[0] = 0;
  return 0;
}

int UniqueNameBeside(const char* path, const char* stem, char* out, int size) {
  char dir[2 * PathSize];
  return DirPart(path, dir, sizeof dir) >= 0 && UniqueNameInDir(dir, stem, out, size);
}

long FileLength(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file)
    return 0;
  long length = _filelength(_fileno(file));
  std::fclose(file);
  return length;
}
