#include <foundation/files/dirscan.h>

#include <foundation/strings/texthelpers.h>
#include <foundation/system/checkfailed.h>
#include <foundation/windows/msgloop.h>

#include <cstring>

namespace {

constexpr CheckSite WalkOfAFile{"ENUMFILE", 47};

int isDots(const char* name) { return !std::strcmp(name, ".") || !std::strcmp(name, ".."); }

// A directory entry that is not a link to elsewhere.
int isRealDirectory(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A search through the names of one directory, closed when it goes.
class search {
public:
  explicit search(const char* pattern) { found_ = fpath::findfirst(cpathref(pattern), record_); }
  ~search() { fpath::findclose(record_); }
  search(const search&) = delete;
  search& operator=(const search&) = delete;

  int found() const { return found_; }
  void next() { found_ = fpath::findnext(record_); }
  const WIN32_FIND_DATAA& data() const { return record_.data; }

private:
  findrecord record_;
  int found_;
};

} // namespace

int dirscan::entry(const cpath& path, int isdir) { return isdir ? dir(path) : file(path); }

int dirscan::pumpedkeepgoing() {
  MessageLoop().pump(1);
  int goOn = keepgoing();
  MessageLoop().pump(1);
  return goOn;
}

int dirscan::walk(const cpath& directory) {
  int attributes;
  if (fpath::getattr(directory, attributes) != 0)
    return 0;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    CheckFailed(WalkOfAFile, 0);
    return 0;
  }
  char pattern[MAX_PATH];
  if (!JoinPath(pattern, MAX_PATH, directory.str(), "*.*"))
    return 0;
  for (search names(pattern); names.found(); names.next()) {
    const WIN32_FIND_DATAA& found = names.data();
    if (isDots(found.cFileName))
      continue;
    if (!pumpedkeepgoing())
      return 0;
    char path[MAX_PATH];
    if (!JoinPath(path, MAX_PATH, directory.str(), found.cFileName))
      return 0;
    int isdir = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (recurse && isRealDirectory(found.dwFileAttributes) && !walk(cpathref(path)))
      return 0;
    if (!entry(cpathref(path), isdir))
      return 0;
  }
  return 1;
}

int dirscan::scan(const cpath& pattern) {
  const char* text = pattern.str();
  const char* mask = text;
  for (const char* c = text; *c; ++c)
    if (*c == '\\' || *c == '/' || *c == ':')
      mask = c + 1;
  char directory[MAX_PATH];
  size_t length = static_cast<size_t>(mask - text);
  if (length >= MAX_PATH)
    return 0;
  std::memcpy(directory, text, length);
  directory[length] = 0;
  // "c:\dir\" names the folder "c:\dir"; "c:" and "\" stay as they are.
  if (length > 1 && directory[length - 1] == '\\' && directory[length - 2] != ':')
    directory[length - 1] = 0;
  return scanin(directory, mask);
}

int dirscan::scanin(const char* directory, const char* mask) {
  char path[MAX_PATH];
  if (!JoinPath(path, MAX_PATH, directory, mask))
    return 0;
  for (search matches(path); matches.found(); matches.next()) {
    if (matches.data().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      continue;
    if (!pumpedkeepgoing())
      return 0;
    if (!JoinPath(path, MAX_PATH, directory, matches.data().cFileName) || !file(cpathref(path)))
      return 0;
  }
  if (!recurse)
    return 1;
  if (!JoinPath(path, MAX_PATH, directory, "*.*"))
    return 0;
  for (search names(path); names.found(); names.next()) {
    const WIN32_FIND_DATAA& found = names.data();
    if (isDots(found.cFileName) || !isRealDirectory(found.dwFileAttributes))
      continue;
    char sub[MAX_PATH];
    if (!JoinPath(sub, MAX_PATH, directory, found.cFileName) || !scanin(sub, mask))
      return 0;
  }
  return 1;
}
