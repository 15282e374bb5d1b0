#include <foundation/paths/pathparts.h>

#include <cstring>

namespace {

int isSeparator(char c) { return c == '\\' || c == '/'; }

int copySpan(char* out, const char* begin, const char* end) {
  size_t length = static_cast<size_t>(end - begin);
  if (length >= PathSize)
    return 0;
  std::memcpy(out, begin, length);
  out[length] = 0;
  return 1;
}

} // namespace

int CopyText(char* out, int size, const char* text) {
  if (size <= 0)
    return 0;
  out[0] = 0;
  return AppendText(out, size, text);
}

int AppendText(char* out, int size, const char* text) {
  size_t used = std::strlen(out);
  size_t extra = std::strlen(text ? text : "");
  if (used + extra >= static_cast<size_t>(size)) {
    out[0] = 0;
    return 0;
  }
  std::memcpy(out + used, text, extra + 1);
  return 1;
}

int SplitPath(const char* path, PathParts& parts) {
  parts = PathParts{};
  if (!path)
    return 1;
  const char* rest = path;
  if (rest[0] && rest[1] == ':') {
    copySpan(parts.drive, rest, rest + 2);
    rest += 2;
  }
  const char* nameStart = rest;
  for (const char* c = rest; *c; ++c)
    if (isSeparator(*c))
      nameStart = c + 1;
  const char* end = nameStart + std::strlen(nameStart);
  const char* dot = std::strrchr(nameStart, '.');
  const char* extStart = dot ? dot : end;
  if (copySpan(parts.dir, rest, nameStart) && copySpan(parts.name, nameStart, extStart) &&
      copySpan(parts.ext, extStart, end))
    return 1;
  parts = PathParts{};
  return 0;
}

int MergePath(char* out, int size, const PathParts& parts) {
  if (!CopyText(out, size, parts.drive))
    return 0;
  size_t dirLength = std::strlen(parts.dir);
  int ok = AppendText(out, size, parts.dir);
  if (ok && dirLength && !isSeparator(parts.dir[dirLength - 1]))
    ok = AppendText(out, size, "\\");
  if (ok)
    ok = AppendText(out, size, parts.name);
  if (ok && parts.ext[0] && parts.ext[0] != '.')
    ok = AppendText(out, size, ".");
  if (ok)
    ok = AppendText(out, size, parts.ext);
  return ok;
}
