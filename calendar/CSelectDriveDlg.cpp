#include "CSelectDriveDlg.h"

#include "Drives.h"
#include "resource.h"

#include <appframe/CWinApp.h>

BEGIN_MESSAGE_MAP(CSelectDriveDlg, CDialog)
ON_MESSAGE(WM_HELP, OnHelpKey)
END_MESSAGE_MAP()

CSelectDriveDlg::CSelectDriveDlg(CWnd* parent) : CDialog(IDD_SELECTDRIVE, parent) {}

bool CSelectDriveDlg::OnInitDialog() {
  combo_.SubclassDlgItem(IDC_DRIVE, this);
  for (char letter : {'A', 'B'})
    if (FindDrive(letter).exists)
      combo_.AddString((std::string(1, letter) + ":").c_str());
  combo_.SetCurSel(0);
  ::EnableWindow(GetDlgItem(IDOK), combo_.GetCount() > 0);
  return true;
}

void CSelectDriveDlg::OnOK() {
  int selected = combo_.GetCurSel();
  if (selected < 0)
    return;
  m_drive = combo_.GetLBText(selected).str();
  EndDialog(IDOK);
}

LRESULT CSelectDriveDlg::OnHelpKey(WPARAM, LPARAM) {
  if (AfxGetApp())
    AfxGetApp()->WinHelp(26);
  return TRUE;
}
