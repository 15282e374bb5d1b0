#pragma once

#include <engine/dialogs/ControllerDialog.h>

// End codes of the dialogs that OK ends with 1 and Cancel with 2.
struct EndCodes {
  int ok = 1;
  int cancel = 2;
};

// A controller dialog answered with OK or Cancel: OK ends it with its code once accept() agrees
// (otherwise it stays open for the user to correct or goes on working), Cancel ends it with its code.
// Other commands go to command(), other messages to other().
class acceptdialog : public controllerdialog {
public:
  acceptdialog(int helpbutton, int helpcontext, EndCodes codes = {})
      : controllerdialog(helpbutton, helpcontext), codes_(codes) {}

protected:
  virtual int accept() = 0;
  virtual INT_PTR command(int) { return FALSE; }
  virtual INT_PTR other(UINT, WPARAM, LPARAM) { return FALSE; }

  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_COMMAND)
      return other(message, wParam, lParam);
    switch (LOWORD(wParam)) {
    case IDOK:
      if (accept())
        EndDialog(hwnd(), codes_.ok);
      return TRUE;
    case IDCANCEL:
      EndDialog(hwnd(), codes_.cancel);
      return TRUE;
    default:
      return command(LOWORD(wParam));
    }
  }

private:
  EndCodes codes_;
};
