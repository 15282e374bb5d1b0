#pragma once

#include <appframe/CWnd.h>

// A push button, check box or radio button.
class CButton : public CWnd {
public:
  int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
  void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
  void EnableWindow(bool enable = true) { ::EnableWindow(m_hWnd, enable); }
};
