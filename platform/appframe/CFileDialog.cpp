#include <appframe/CFileDialog.h>

#include <appframe/CWinApp.h>

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : open_(openFileDialog), defaultExtension_(defaultExtension ? defaultExtension : "") {
  if (filter) {
    filter_ = filter;
    for (char& c : filter_)
      if (c == '|')
        c = '\0';
  }
  if (fileName)
    lstrcpynA(buffer_, fileName, sizeof buffer_);
  m_ofn.lStructSize = sizeof m_ofn;
  CWnd* owner = parent ? parent : AfxGetMainWnd();
  m_ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
  m_ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
  m_ofn.lpstrFile = buffer_;
  m_ofn.nMaxFile = sizeof buffer_;
  m_ofn.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
  m_ofn.Flags = flags | OFN_NOCHANGEDIR | OFN_EXPLORER;
}

INT_PTR CFileDialog::DoModal() {
  BOOL chosen = open_ ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
  if (!chosen)
    return IDCANCEL;
  path_ = buffer_;
  return IDOK;
}
