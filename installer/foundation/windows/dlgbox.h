#pragma once

#include <foundation/windows/awndobj.h>

#include <windows.h>

// Every dialog of the engine: started from a template of the resource module with the one dialog
// procedure, which keeps the object in the dialog's DWLP_USER slot from WM_INITDIALOG until WM_NCDESTROY.
class dlgbox : public awndobj {
public:
  dlgbox() = default;
  dlgbox(const dlgbox&) = delete;
  dlgbox& operator=(const dlgbox&) = delete;
  // A modeless dialog still shown is a fault: reported, then the window lets go of the object and is
  // destroyed.
  virtual ~dlgbox();

  HWND hwnd() const override { return window_; }
  virtual INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  int ismodeless() const { return modeless_; }

private:
  friend INT_PTR CALLBACK DlgProcDispatch(HWND, UINT, WPARAM, LPARAM);
  friend int CreateModelessDialog(dlgbox&, HWND, LPCSTR);

  int modeless_ = 0;
  HWND window_ = nullptr;
};

// Modal: the dialog's end code, -1 on failure.
INT_PTR RunDialog(dlgbox& object, HWND owner, LPCSTR templateName);
// Modal, owned by the top of the window stack.
INT_PTR RunMainDialog(dlgbox& object, LPCSTR templateName);
// Modeless (owned by the top of the window stack when `owner` is none); 1 when created.
int CreateModelessDialog(dlgbox& object, HWND owner, LPCSTR templateName);
INT_PTR CALLBACK DlgProcDispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

int DlgUnitsX(int n);
int DlgUnitsY(int n);
