#include <appframe/DialogBinding.h>

#include <appframe/CWnd.h>

namespace appframe {

INT_PTR CALLBACK DialogBindingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG)
    return FALSE;
  if (CWnd::FromHandlePermanent(hwnd))
    return TRUE; // the object's map did not take WM_INITDIALOG: the dialog's default focus
  auto* wnd = reinterpret_cast<CWnd*>(lParam);
  if (!wnd || !wnd->SubclassWindow(hwnd))
    return TRUE;
  return wnd->SendMessage(WM_INITDIALOG, wParam, lParam);
}

} // namespace appframe
