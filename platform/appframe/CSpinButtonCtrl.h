#pragma once

#include <appframe/CWnd.h>

#include <commctrl.h>

// An up-down control, usually beside an edit field (its buddy) that shows the value.
class CSpinButtonCtrl : public CWnd {
public:
  void SetRange(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
  HWND SetBuddy(HWND buddy) {
    return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
  }
  int SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }
  int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
};
