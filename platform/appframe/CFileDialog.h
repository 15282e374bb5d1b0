#pragma once

#include <appframe/CWnd.h>

#include <commdlg.h>

#include <string>

// The system's file-open or save-as dialog. The filter is written as "Text|*.txt|All|*.*||". The
// dialog never changes the current directory.
class CFileDialog {
public:
  CFileDialog(bool openFileDialog, const char* defaultExtension = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parent = nullptr);

  INT_PTR DoModal();
  std::string GetPathName() const { return path_; }

  OPENFILENAMEA m_ofn{};

private:
  bool open_;
  std::string filter_;
  std::string defaultExtension_;
  std::string path_;
  char buffer_[MAX_PATH] = "";
};
