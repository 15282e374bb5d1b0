#include <foundation/dialogs/msgdlg.h>

#include <foundation/strings/formattext.h>
#include <foundation/windows/msgloop.h>

#include <kxlang/kxlangids.h>

#include <cstdarg>

namespace {

// The room of the message text: longer ones are cut.
constexpr std::size_t TextRoom = 512;

} // namespace

int msgdlg::create() {
  if (!CreateModelessDialog(*this, owner, "DLGMSGDLG"))
    return 0;
  if (mintime)
    shownAt_ = GetTickCount64();
  if (centre)
    center();
  else
    centerat(x, y);
  if (!okbutton)
    ShowWindow(GetDlgItem(hwnd(), IDOK), SW_HIDE);
  SendDlgItemMessageA(hwnd(), IDC_MSGDLG_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  SetWindowTextA(hwnd(), caption.str());
  SetDlgItemTextA(hwnd(), IDC_MSGDLG_TEXT, text.str());
  ShowWindow(hwnd(), SW_SHOW);
  return 1;
}

void msgdlg::settextf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string formatted = FormatText(format, args, TextRoom);
  va_end(args);
  text.set(formatted.c_str());
  if (hwnd())
    SetDlgItemTextA(hwnd(), IDC_MSGDLG_TEXT, text.str());
}

void msgdlg::destroy() {
  while (mintime) {
    std::uint64_t elapsed = GetTickCount64() - shownAt_;
    MSG quit;
    if (elapsed >= duration || PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
      break;
    // Sleeps until a message arrives or the time is up.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(duration - elapsed), QS_ALLINPUT);
    MessageLoop().pump(1);
  }
  if (hwnd())
    DestroyWindow(hwnd());
}

INT_PTR msgdlg::dlgproc(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG)
    return 1;
  if (message == WM_COMMAND && okbutton && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    acknowledged = 1;
    return 1;
  }
  return 0;
}
