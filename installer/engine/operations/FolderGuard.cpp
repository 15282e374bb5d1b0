#include <engine/operations/FolderGuard.h>

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace {

int IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string SystemFolder(UINT(WINAPI* query)(LPSTR, UINT)) {
  char folder[MAX_PATH];
  UINT n = query(folder, sizeof folder);
  return n && n < sizeof folder ? ResolvedFolder(folder) : std::string();
}

std::string Trimmed(const char* path) {
  std::string text(path);
  std::replace(text.begin(), text.end(), '/', '\\');
  while (!text.empty() && text.back() == '\\')
    text.pop_back();
  return text;
}

// "c:" for a drive, "\\server\share" for a share: what is left of a root without its separator.
int IsRoot(const std::string& full) {
  if (full.size() == 2 && full[1] == ':')
    return 1;
  if (full.rfind("\\\\", 0) != 0)
    return 0;
  return std::count(full.begin() + 2, full.end(), '\\') < 2;
}

} // namespace

int HasDotPart(const char* path) {
  const char* part = path;
  for (const char* c = path;; ++c) {
    if (!*c || IsSeparator(*c)) {
      std::string name(part, static_cast<size_t>(c - part));
      if (name == "." || name == "..")
        return 1;
      if (!*c)
        return 0;
      part = c + 1;
    }
  }
}

std::string ResolvedFolder(const char* path) {
  char full[MAX_PATH];
  DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
  if (!n || n >= sizeof full)
    return "";
  std::string text = Trimmed(full);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  return text;
}

int IsOrHolds(const std::string& outer, const std::string& inner) {
  if (outer.empty() || inner.empty() || inner.compare(0, outer.size(), outer) != 0)
    return 0;
  return inner.size() == outer.size() || inner[outer.size()] == '\\';
}

int IsProtectedFolder(const char* path, const std::string& windowsfolder, std::string& why) {
  if (!*path || HasDotPart(path)) {
    why = "the path does not name one folder plainly";
    return 1;
  }
  std::string full = ResolvedFolder(path);
  // "c:" as written is the current folder of drive C to the system, but a whole drive to a reader.
  if (full.empty() || IsRoot(full) || IsRoot(Trimmed(path))) {
    why = "it is a whole drive";
    return 1;
  }
  std::string system[] = {SystemFolder(GetWindowsDirectoryA), SystemFolder(GetSystemDirectoryA),
                          windowsfolder.empty() ? std::string() : ResolvedFolder(windowsfolder.c_str())};
  for (const std::string& folder : system)
    if (IsOrHolds(full, folder)) {
      why = "it holds the system's own files";
      return 1;
    }
  return 0;
}
