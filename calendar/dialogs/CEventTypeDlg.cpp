#include <calendar/dialogs/CEventTypeDlg.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/data/CEventItem.h>
#include <calendar/resource.h>

#include <appframe/AfxIds.h>
#include <appframe/CWinApp.h>

BEGIN_MESSAGE_MAP(CEventTypeDlg, CDialog)
ON_CONTROL(EN_CHANGE, IDC_ET_TEXT, OnTextChanged)
ON_CONTROL(LBN_SELCHANGE, IDC_ET_LIST, OnSelected)
ON_COMMAND(IDC_ET_ADD, OnAdd)
ON_COMMAND(IDC_ET_MODIFY, OnModify)
ON_COMMAND(IDC_ET_DELETE, OnDelete)
ON_COMMAND(IDC_ET_SETDEFAULT, OnSetDefault)
ON_COMMAND(IDC_ET_CLEARDEFAULT, OnClearDefault)
ON_COMMAND(ID_HELP, OnHelpButton)
ON_MESSAGE(WM_HELP, OnHelpKey)
END_MESSAGE_MAP()

CEventTypeDlg::CEventTypeDlg(CWnd* parent) : CDialog(IDD_EVENTTYPE, parent) {}

bool CEventTypeDlg::OnInitDialog() {
  const CAppSettings& settings = AppSettings();
  types_ = std::make_unique<EventTypeList>(settings.eventTypes, settings.defaultType);
  ::SendMessageA(GetDlgItem(IDC_ET_TEXT), EM_LIMITTEXT, CEventItem::kMaxTypeLength, 0);
  ShowList(0);
  ShowDefault();
  bool any = types_->Count() > 0;
  Enable(IDC_ET_DELETE, any);
  Enable(IDC_ET_SETDEFAULT, any);
  Enable(IDC_ET_ADD, false);
  Enable(IDC_ET_MODIFY, false);
  return true;
}

void CEventTypeDlg::ShowList(int select) {
  HWND list = GetDlgItem(IDC_ET_LIST);
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& type : types_->Types())
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.c_str()));
  if (select >= types_->Count())
    select = types_->Count() - 1;
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
}

void CEventTypeDlg::ShowDefault() {
  int index = types_->Default();
  SetDlgItemText(IDC_ET_DEFAULT, index >= 0 ? types_->Types()[static_cast<size_t>(index)].c_str() : "");
}

int CEventTypeDlg::Selected() const {
  return static_cast<int>(::SendMessageA(GetDlgItem(IDC_ET_LIST), LB_GETCURSEL, 0, 0));
}

void CEventTypeDlg::OnTextChanged() {
  bool typed = ::GetWindowTextLengthA(GetDlgItem(IDC_ET_TEXT)) > 0;
  Enable(IDC_ET_ADD, typed);
  Enable(IDC_ET_MODIFY, typed && types_->Count() > 0);
}

void CEventTypeDlg::OnSelected() {
  int index = Selected();
  if (index < 0)
    return;
  SetDlgItemText(IDC_ET_TEXT, types_->Types()[static_cast<size_t>(index)].c_str());
  Enable(IDC_ET_ADD, false);
  Enable(IDC_ET_MODIFY, false);
}

void CEventTypeDlg::OnAdd() {
  if (types_->Count() >= EventTypeList::kMaxTypes) {
    MessageBoxA(m_hWnd, "Cannot Add More Than 99 Event Types!", "Calvorne", MB_OK | MB_ICONINFORMATION);
    return;
  }
  int at = types_->Add(GetDlgItemText(IDC_ET_TEXT).str());
  ShowList(at);
  SetDlgItemText(IDC_ET_TEXT, "");
  Enable(IDC_ET_ADD, false);
  Enable(IDC_ET_MODIFY, false);
  Enable(IDC_ET_DELETE, true);
  Enable(IDC_ET_SETDEFAULT, true);
}

void CEventTypeDlg::OnModify() {
  int index = Selected();
  if (index < 0)
    return;
  int at = types_->Modify(index, GetDlgItemText(IDC_ET_TEXT).str());
  ShowList(at);
  SetDlgItemText(IDC_ET_TEXT, "");
  ShowDefault();
}

void CEventTypeDlg::OnDelete() {
  int index = Selected();
  if (index < 0)
    return;
  types_->Delete(index);
  ShowList(index);
  bool any = types_->Count() > 0;
  Enable(IDC_ET_DELETE, any);
  Enable(IDC_ET_SETDEFAULT, any);
  SetDlgItemText(IDC_ET_TEXT, "");
  ShowDefault();
}

void CEventTypeDlg::OnSetDefault() {
  types_->SetDefault(Selected());
  ShowDefault();
}

void CEventTypeDlg::OnClearDefault() {
  types_->ClearDefault();
  ShowDefault();
}

void CEventTypeDlg::OnOK() {
  CAppSettings& settings = AppSettings();
  settings.eventTypes = types_->Types();
  settings.defaultType = types_->Default();
  settings.SaveSettings();
  EndDialog(IDOK);
}

void CEventTypeDlg::OnHelpButton() { AfxGetApp()->WinHelp(5); }

LRESULT CEventTypeDlg::OnHelpKey(WPARAM, LPARAM) {
  OnHelpButton();
  return TRUE;
}
