#pragma once

#include <appframe/CComboBox.h>
#include <appframe/CDialog.h>

#include <string>

// Chooses the removable drive (a floppy, a memory stick) for backup and restore. With none, the prompt
// says so and OK stays disabled, so that backup and restore never act on a fixed drive's root.
class CSelectDriveDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

public:
  explicit CSelectDriveDlg(CWnd* parent = nullptr);

  std::string m_drive;

protected:
  bool OnInitDialog() override;
  void OnOK() override;
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);

private:
  CComboBox combo_;
};
