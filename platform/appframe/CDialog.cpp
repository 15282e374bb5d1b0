#include <appframe/CDialog.h>

#include <appframe/CDataExchange.h>
#include <appframe/CWinApp.h>
#include <appframe/DialogBinding.h>
#include <appframe/MessageLoop.h>

namespace {

COLORREF dialogBackground = CLR_INVALID;
COLORREF dialogText = CLR_INVALID;

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, OnInitDialogMessage)
ON_MESSAGE(WM_CTLCOLORDLG, OnCtlColor)
ON_MESSAGE(WM_CTLCOLORSTATIC, OnCtlColor)
ON_MESSAGE(WM_CTLCOLORBTN, OnCtlColor)
ON_COMMAND(IDOK, OnOKCommand)
ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

void CDialog::SetDialogColors(COLORREF background, COLORREF text) {
  dialogBackground = background;
  dialogText = text;
}

CDialog::~CDialog() {
  if (brush_)
    DeleteObject(brush_);
}

void CDialog::CaptureColors() {
  background_ = dialogBackground;
  text_ = dialogText;
  if (brush_)
    DeleteObject(brush_);
  brush_ = background_ != CLR_INVALID ? CreateSolidBrush(background_) : nullptr;
}

namespace {

HWND OwnerOf(CWnd* parent) {
  if (parent && parent->m_hWnd)
    return parent->m_hWnd;
  CWnd* main = AfxGetMainWnd();
  return main ? main->m_hWnd : nullptr;
}

} // namespace

INT_PTR CDialog::DoModal() {
  CaptureColors();
  modal_ = true;
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), OwnerOf(parent_),
                                   &appframe::DialogBindingProc, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
  if (templateId)
    templateId_ = templateId;
  if (parent)
    parent_ = parent;
  CaptureColors();
  HWND owner = parent_ ? parent_->m_hWnd : nullptr;
  HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                                 &appframe::DialogBindingProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd)
    return false;
  modeless_ = hwnd;
  appframe::AddModeless(hwnd);
  return true;
}

void CDialog::EndDialog(int result) {
  if (modal_)
    ::EndDialog(m_hWnd, result);
  else
    DestroyWindow();
}

void CDialog::PostNcDestroy() {
  if (modeless_)
    appframe::RemoveModeless(modeless_);
  modeless_ = nullptr;
}

bool CDialog::UpdateData(bool save) {
  CDataExchange exchange(this, save);
  DoDataExchange(&exchange);
  return !exchange.Failed();
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (UpdateData(true))
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::CenterWindow() {
  RECT rect;
  ::GetWindowRect(m_hWnd, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CString CDialog::GetDlgItemText(int id) const {
  HWND item = GetDlgItem(id);
  int length = item ? GetWindowTextLengthA(item) : 0;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::GetDlgItemTextA(m_hWnd, id, text.data(), length + 1);
  text.resize(static_cast<size_t>(lstrlenA(text.c_str())));
  return CString(text);
}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM) { return OnInitDialog() ? TRUE : FALSE; }

LRESULT CDialog::OnCtlColor(WPARAM wParam, LPARAM) {
  if (!brush_)
    return Default();
  auto dc = reinterpret_cast<HDC>(wParam);
  SetBkColor(dc, background_);
  if (text_ != CLR_INVALID)
    SetTextColor(dc, text_);
  return reinterpret_cast<LRESULT>(brush_);
}
