#include <appframe/CPropertyPage.h>

#include <appframe/CWinApp.h>

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
ON_MESSAGE(WM_NOTIFY, OnNotify)
ON_MESSAGE(WM_HELP, OnHelpKey)
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage(UINT templateId, int helpContext)
    : CDialog(templateId), templateId_(templateId), helpContext_(helpContext) {}

PROPSHEETPAGEA CPropertyPage::Describe() {
  PROPSHEETPAGEA page{};
  page.dwSize = sizeof page;
  page.dwFlags = PSP_DEFAULT | (helpContext_ >= 0 ? PSP_HASHELP : 0);
  page.hInstance = GetModuleHandleA(nullptr);
  page.pszTemplate = MAKEINTRESOURCEA(templateId_);
  page.pfnDlgProc = &PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

// A page's WM_INITDIALOG carries its description, whose lParam is the page object: the object is bound
// to the window there, as a dialog's is, and sees every message from then on.
INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return FALSE;
  if (CWnd::FromHandlePermanent(hwnd))
    return TRUE;
  auto* page = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
  if (!page || !page->SubclassWindow(hwnd))
    return TRUE;
  return page->SendMessage(WM_INITDIALOG, wParam, lParam);
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

LRESULT CPropertyPage::Answer(LRESULT result) {
  SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  return result;
}

LRESULT CPropertyPage::OnNotify(WPARAM, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  switch (header->code) {
  case PSN_SETACTIVE:
    return Answer(OnSetActive() ? 0 : -1);
  case PSN_KILLACTIVE:
    return Answer(OnKillActive() ? FALSE : TRUE);
  case PSN_APPLY:
    OnOK();
    return Answer(PSNRET_NOERROR);
  case PSN_RESET:
    OnCancel();
    return Answer(0);
  case PSN_HELP:
    OnHelp();
    return Answer(0);
  default:
    return Default();
  }
}

void CPropertyPage::OnHelp() {
  if (helpContext_ >= 0)
    AfxGetApp()->WinHelp(static_cast<DWORD_PTR>(helpContext_));
}

LRESULT CPropertyPage::OnHelpKey(WPARAM, LPARAM) {
  OnHelp();
  return TRUE;
}
