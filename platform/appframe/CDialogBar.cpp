#include <appframe/CDialogBar.h>

#include <appframe/CBitmapButton.h>
#include <appframe/DialogBinding.h>

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
ON_MESSAGE(WM_DRAWITEM, OnDrawItem)
END_MESSAGE_MAP()

bool CDialogBar::Create(CWnd* parent, UINT templateId, DWORD style, UINT id) {
  SetDockSide((style & CBRS_ALIGN_BOTTOM) ? CBRS_BOTTOM : CBRS_TOP);
  HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent->m_hWnd,
                                 &appframe::DialogBindingProc, reinterpret_cast<LPARAM>(this));
  if (!hwnd || m_hWnd != hwnd)
    return false;
  SetWindowLongPtrA(hwnd, GWLP_ID, static_cast<LONG_PTR>(id));
  ModifyStyle(WS_POPUP | WS_CAPTION | WS_BORDER, WS_CHILD);
  RECT rect;
  ::GetWindowRect(hwnd, &rect);
  height_ = rect.bottom - rect.top;
  ShowWindow(SW_SHOWNA);
  return true;
}

LRESULT CDialogBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND)
    return ::SendMessageA(GetParentHwnd(), WM_COMMAND, wParam, lParam);
  return CControlBar::WindowProc(message, wParam, lParam);
}

LRESULT CDialogBar::OnDrawItem(WPARAM, LPARAM lParam) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  if (auto* button = dynamic_cast<CBitmapButton*>(FromHandlePermanent(item->hwndItem))) {
    button->DrawItem(item);
    return TRUE;
  }
  return Default();
}
