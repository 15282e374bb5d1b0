#include "FileListBox.h"

#include <windows.h>

#include <algorithm>

namespace formsrt {

namespace {

// The pattern's extension, when it is a plain "*.ext": the system also matches such a pattern against a
// file's short name, which would list "note.xvqx" under "*.XVQ".
std::string exactExtension(const std::string& pattern) {
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 ||
      pattern.find_first_of("*?", 2) != std::string::npos)
    return std::string();
  return pattern.substr(1);
}

bool endsWithNoCase(const std::string& name, const std::string& ending) {
  return name.size() >= ending.size() &&
         lstrcmpiA(name.c_str() + name.size() - ending.size(), ending.c_str()) == 0;
}

bool lessNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

} // namespace

FileListBox::FileListBox(Container& parent, std::string name, int left, int top, int width, int height,
                         int index)
    : Control(parent, std::move(name), left, top, width, height, index) {}

HWND FileListBox::createWindow(HWND parent, const RECT& r) {
  DWORD style = commonStyle() | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  return createSubclassed("LISTBOX", WS_EX_CLIENTEDGE, "", style, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent, id());
}

void FileListBox::setPath(const std::string& path) {
  path_ = path;
  Refresh();
}

void FileListBox::setPattern(const std::string& pattern) {
  pattern_ = pattern;
  Refresh();
}

void FileListBox::Refresh() {
  names_.clear();
  std::string folder = path_;
  if (!folder.empty() && folder.back() != '\\')
    folder += '\\';
  std::string extension = exactExtension(pattern_);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + pattern_).c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
      continue;
    if (extension.empty() || endsWithNoCase(found.cFileName, extension))
      names_.push_back(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  std::sort(names_.begin(), names_.end(), lessNoCase);

  if (!hwnd())
    return;
  SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
  for (const std::string& name : names_)
    SendMessageA(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

std::string FileListBox::List(int index) const {
  if (index < 0 || index >= ListCount())
    return std::string();
  return names_[static_cast<std::size_t>(index)];
}

int FileListBox::ListIndex() const {
  return hwnd() ? static_cast<int>(SendMessageA(hwnd(), LB_GETCURSEL, 0, 0)) : -1;
}

void FileListBox::setListIndex(int index) {
  if (hwnd())
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  fire(Click);
}

void FileListBox::onCommand(int code) {
  // A double click reaches DblClick through the control's own mouse message.
  if (code == LBN_SELCHANGE)
    fire(Click);
}

} // namespace formsrt
