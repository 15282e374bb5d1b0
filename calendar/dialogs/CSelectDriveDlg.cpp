#include <calendar/dialogs/CSelectDriveDlg.h>

#include <calendar/frame/Drives.h>
#include <calendar/resource.h>

#include <appframe/CWinApp.h>

BEGIN_MESSAGE_MAP(CSelectDriveDlg, CDialog)
ON_MESSAGE(WM_HELP, OnHelpKey)
END_MESSAGE_MAP()

CSelectDriveDlg::CSelectDriveDlg(CWnd* parent) : CDialog(IDD_SELECTDRIVE, parent) {}

bool CSelectDriveDlg::OnInitDialog() {
  combo_.SubclassDlgItem(IDC_DRIVE, this);
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    DriveInfo drive = FindDrive(letter);
    if (drive.exists && drive.type == DRIVE_REMOVABLE)
      combo_.AddString((std::string(1, letter) + ":").c_str());
  }
  combo_.SetCurSel(0);
  bool any = combo_.GetCount() > 0;
  ::EnableWindow(GetDlgItem(IDOK), any);
  if (!any)
    SetDlgItemText(IDC_DRIVEPROMPT,
                   "No removable drive was found.\nInsert a backup disk and open this again.");
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
