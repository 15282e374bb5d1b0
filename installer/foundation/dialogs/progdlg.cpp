#include <foundation/dialogs/progdlg.h>

#include <foundation/strings/formattext.h>
#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

#include <cstdarg>

progdlg::~progdlg() {
  if (iconowned && icon)
    DestroyIcon(icon);
}

int progdlg::create() {
  if (!CreateModelessDialog(*this, owner, "DLGPROG"))
    return 0;
  bar.colour = colour;
  bar.attach(GetDlgItem(hwnd(), IDC_PROG_GAUGE));
  if (icon)
    SendDlgItemMessageA(hwnd(), IDC_PROG_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  else
    ShowWindow(GetDlgItem(hwnd(), IDC_PROG_ICON), SW_HIDE);
  ShowWindow(hwnd(), SW_SHOW);
  return 1;
}

void progdlg::setline(int item, const char* format, va_list args) {
  SetDlgItemTextA(hwnd(), item, FormatText(format, args).c_str());
  UpdateWindow(hwnd());
}

void progdlg::setline1(const char* format, ...) {
  va_list args;
  va_start(args, format);
  setline(IDC_PROG_LINE1, format, args);
  va_end(args);
}

void progdlg::setline2(const char* format, ...) {
  va_list args;
  va_start(args, format);
  setline(IDC_PROG_LINE2, format, args);
  va_end(args);
}

void progdlg::setline3(const char* format, ...) {
  va_list args;
  va_start(args, format);
  setline(IDC_PROG_LINE3, format, args);
  va_end(args);
}

void progdlg::destroy() {
  if (reenable)
    EnableWindow(reenable, TRUE);
  bar.detach();
  if (hwnd())
    DestroyWindow(hwnd());
}

int progdlg::requestcancel() {
  if (cancel)
    *cancel = 1;
  return 1;
}

INT_PTR progdlg::dlgproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    return 1;
  case WM_COMMAND:
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
      return requestcancel();
    return 0;
  case WM_SYSCOMMAND:
    if ((wParam & 0xFFF0) == SC_CLOSE)
      return requestcancel();
    return 0;
  case WM_NCACTIVATE: {
    // While another window of the engine is active the caption still looks active.
    auto other = reinterpret_cast<HWND>(lParam);
    auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrA(other, GWLP_HINSTANCE));
    if (wParam || !keepactive || !other || (instance != EngineModule() && instance != ResourceModule()))
      return 0;
    DefWindowProcA(hwnd(), WM_NCACTIVATE, TRUE, 0);
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, 1);
    return 1;
  }
  }
  return 0;
}
