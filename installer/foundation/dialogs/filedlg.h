#pragma once

#include <foundation/paths/fpath.h>

#include <windows.h>

// The common open and save dialogs. With the hook flag, every message of the dialog reaches hook()
// from WM_INITDIALOG on.
class filedlg {
public:
  virtual ~filedlg() = default;
  // The dialog's messages while hooked; nonzero answers that the message was handled.
  virtual UINT_PTR hook(HWND, UINT, WPARAM, LPARAM) { return 0; }

  // The chosen name goes to `out` (its set() is the answer); 0 on cancel.
  int run(HWND owner, fpath& out);

  int hookflag = 0;
  int openflag = 1; // 0: save, asking before an existing file is replaced
  const char* title = nullptr;
  const char* filter = "All File (*.*)\0*.*\0"; // pairs of description and pattern, ending in NUL NUL
  const char* defext = nullptr;

private:
  static UINT_PTR CALLBACK hookproc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
};
