#pragma once

#include <appframe/CComboBox.h>
#include <appframe/CDialog.h>

#include <string>

// Chooses the floppy drive for backup and restore: "A:" and "B:" as they exist. With neither, OK stays
// disabled, so that backup and restore never act on another drive's root.
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
