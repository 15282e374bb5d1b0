#include <formsrt/FileListBox.h>

#include <formsrt/Application.h>
#include <formsrt/RuntimeError.h>

#include <shlwapi.h>

#include <algorithm>

namespace formsrt {

FileListBox::FileListBox(Container& parent, std::string name, int left, int top, int width, int height,
                         std::string pattern)
    : Control(parent, std::move(name), left, top, width, height), Pattern(std::move(pattern)),
      path_(App.Path()) {}

HWND FileListBox::createWindow(HWND parent, const RECT& r) {
  return createSubclassed("LISTBOX", WS_EX_CLIENTEDGE, "",
                          commonStyle() | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, parent, id());
}

void FileListBox::afterCreate() { Refresh(); }

void FileListBox::setPath(const std::string& path) {
  path_ = path;
  while (path_.size() > 3 && path_.back() == '\\')
    path_.pop_back();
  Refresh();
}

void FileListBox::Refresh() {
  files_.clear();
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path_ + "\\" + Pattern).c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    // The system also matches "*.XVQ" against "a.XVQX" through its short name; the list shows only
    // names that match the pattern as they stand.
    bool normal = !(found.dwFileAttributes &
                    (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    if (normal && PathMatchSpecA(found.cFileName, Pattern.c_str()))
      files_.push_back(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  std::sort(files_.begin(), files_.end(),
            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
  if (!hwnd())
    return;
  SendMessageA(hwnd(), LB_RESETCONTENT, 0, 0);
  for (const std::string& file : files_)
    SendMessageA(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
}

std::string FileListBox::List(int index) const {
  if (index < 0 || index >= ListCount())
    return std::string();
  return files_[static_cast<std::size_t>(index)];
}

int FileListBox::ListIndex() const {
  return hwnd() ? static_cast<int>(SendMessageA(hwnd(), LB_GETCURSEL, 0, 0)) : -1;
}

void FileListBox::setListIndex(int index) {
  if (index < -1 || index >= ListCount())
    raiseError(errInvalidPropertyValue);
  if (hwnd())
    SendMessageA(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  fire(Click);
}

void FileListBox::onCommand(int code) {
  if (code == LBN_SELCHANGE)
    fire(Click);
  else if (code == LBN_DBLCLK)
    fire(DblClick);
}

} // namespace formsrt
