#include <appframe/CDataExchange.h>

#include <appframe/CDialog.h>
#include <appframe/CWinApp.h>
#include <wincore/WindowText.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

HWND CDataExchange::PrepareCtrl(int id) {
  lastControl_ = m_pDlgWnd->GetDlgItem(id);
  return lastControl_;
}

void CDataExchange::Fail(const char* message) {
  if (failed_)
    return;
  failed_ = true;
  CWinApp* app = AfxGetApp();
  const char* caption = app && !app->m_pszAppName.empty() ? app->m_pszAppName.c_str() : "Error";
  MessageBoxA(m_pDlgWnd->m_hWnd, message, caption, MB_OK | MB_ICONEXCLAMATION);
  if (lastControl_) {
    SetFocus(lastControl_);
    SendMessageA(lastControl_, EM_SETSEL, 0, -1);
  }
}

namespace {

std::string TextOf(HWND control) { return wincore::windowText(control); }

// A whole decimal integer, spaces around it allowed.
bool ParseInt(const std::string& text, int& value) {
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  long parsed = std::strtol(start, &end, 10);
  if (end == start || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
    return false;
  while (*end == ' ' || *end == '\t')
    ++end;
  if (*end)
    return false;
  value = static_cast<int>(parsed);
  return true;
}

} // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value) {
  if (dx->Failed())
    return;
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = CString(TextOf(control));
  else
    SetWindowTextA(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
  if (dx->Failed())
    return;
  HWND control = dx->PrepareCtrl(id);
  if (!dx->m_bSaveAndValidate) {
    SetWindowTextA(control, std::to_string(value).c_str());
    return;
  }
  if (!ParseInt(TextOf(control), value))
    dx->Fail("Please enter an integer.");
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum) {
  if (!dx->m_bSaveAndValidate || dx->Failed() || (value >= minimum && value <= maximum))
    return;
  char message[96];
  wsprintfA(message, "Please enter an integer between %d and %d.", minimum, maximum);
  dx->Fail(message);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maximum) {
  if (dx->Failed())
    return;
  if (!dx->m_bSaveAndValidate) {
    if (dx->LastControl())
      SendMessageA(dx->LastControl(), EM_LIMITTEXT, static_cast<WPARAM>(maximum), 0);
    return;
  }
  if (value.GetLength() <= maximum)
    return;
  char message[96];
  wsprintfA(message, "Please enter no more than %d characters.", maximum);
  dx->Fail(message);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
  if (dx->Failed())
    return;
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
  else
    SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  if (dx->Failed())
    return;
  HWND control = dx->PrepareCtrl(id);
  HWND dialog = dx->m_pDlgWnd->m_hWnd;
  if (dx->m_bSaveAndValidate)
    value = -1;
  int index = 0;
  for (HWND button = control; button; ++index) {
    if (dx->m_bSaveAndValidate) {
      if (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
        value = index;
    } else {
      SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    button = GetNextDlgGroupItem(dialog, button, FALSE);
    if (button == control || (GetWindowLongPtrA(button, GWL_STYLE) & WS_GROUP))
      break;
  }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  if (dx->Failed())
    return;
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate)
    index = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
  else
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
  if (dx->Failed())
    return;
  HWND control = dx->PrepareCtrl(id);
  if (dx->m_bSaveAndValidate) {
    int selected = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
    if (selected == CB_ERR) {
      value = CString(TextOf(control));
      return;
    }
    int length = static_cast<int>(SendMessageA(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(control, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    value = CString(text);
    return;
  }
  LRESULT found = SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(static_cast<const char*>(value)));
  if (found != CB_ERR)
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  else
    SetWindowTextA(control, value);
}
