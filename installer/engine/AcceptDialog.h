#pragma once

#include "ControllerDialog.h"

// A controller dialog answered with OK or Cancel: OK ends it with 1 once accept() agrees (otherwise it
// stays open for the user to correct), Cancel ends it with 2. Other commands go to command().
class acceptdialog : public controllerdialog {
public:
  using controllerdialog::controllerdialog;

protected:
  virtual int accept() = 0;
  virtual INT_PTR command(int) { return FALSE; }

  INT_PTR handle(UINT message, WPARAM wParam, LPARAM) override {
    if (message != WM_COMMAND)
      return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
      if (accept())
        EndDialog(hwnd(), 1);
      return TRUE;
    case IDCANCEL:
      EndDialog(hwnd(), 2);
      return TRUE;
    default:
      return command(LOWORD(wParam));
    }
  }
};
