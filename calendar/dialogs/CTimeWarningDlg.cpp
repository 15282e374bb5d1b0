#include <calendar/dialogs/CTimeWarningDlg.h>

#include <calendar/resource.h>

#include <appframe/CWinApp.h>

BEGIN_MESSAGE_MAP(CTimeWarningDlg, CDialog)
ON_COMMAND(IDYES, OnYes)
ON_COMMAND(IDNO, OnNo)
ON_COMMAND(IDC_HELPBUTTON, OnHelpButton)
ON_MESSAGE(WM_HELP, OnHelpKey)
END_MESSAGE_MAP()

CTimeWarningDlg::CTimeWarningDlg(CWnd* parent) : CDialog(IDD_TIMEWARNING, parent) {}

bool CTimeWarningDlg::OnInitDialog() {
  auto hide = [this](int id) {
    ::ShowWindow(GetDlgItem(id), SW_HIDE);
    ::EnableWindow(GetDlgItem(id), FALSE);
  };
  if (m_helpContext == -1)
    hide(IDC_HELPBUTTON);
  SetWindowText(m_caption.c_str());
  SetDlgItemText(IDC_WARNTEXT, m_message.c_str());
  SetDlgItemText(IDC_WARNCHECK, m_checkText.c_str());
  CheckDlgButton(m_hWnd, IDC_WARNCHECK, m_check ? BST_CHECKED : BST_UNCHECKED);
  if (!m_questionMode) {
    hide(IDNO);
    SetDlgItemText(IDYES, "OK");
  }
  return true;
}

void CTimeWarningDlg::ReadCheck() { m_check = IsDlgButtonChecked(m_hWnd, IDC_WARNCHECK) == BST_CHECKED; }

void CTimeWarningDlg::OnYes() {
  ReadCheck();
  EndDialog(m_questionMode ? IDYES : IDOK);
}

void CTimeWarningDlg::OnNo() {
  ReadCheck();
  EndDialog(IDNO);
}

// Escape answers as the safe button: No to a question, OK to a notice.
void CTimeWarningDlg::OnCancel() {
  if (m_questionMode)
    OnNo();
  else
    OnYes();
}

void CTimeWarningDlg::OnHelpButton() {
  if (m_helpContext != -1 && AfxGetApp())
    AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(m_helpContext));
}

LRESULT CTimeWarningDlg::OnHelpKey(WPARAM, LPARAM) {
  if (!AfxGetApp())
    return TRUE;
  if (m_helpContext != -1)
    AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(m_helpContext));
  else
    AfxGetApp()->WinHelp(0, HELP_CONTENTS);
  return TRUE;
}
