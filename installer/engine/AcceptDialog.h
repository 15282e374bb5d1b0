#pragma once

#include <dlgbox.h>

// A modal dialog answered with OK or Cancel: OK ends it with 1 once accept() agrees (otherwise it stays
// open for the user to correct), Cancel ends it with 2. init() fills it and answers WM_INITDIALOG.
class acceptdialog : public dlgbox {
public:
  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM) override {
    if (message == WM_INITDIALOG)
      return init();
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
      return FALSE;
    }
  }

protected:
  virtual INT_PTR init() = 0;
  virtual int accept() = 0;
};
