#pragma once

#include <windows.h>

// The dialog procedure of every framework dialog: at WM_INITDIALOG it binds the object passed as the
// creation parameter to the dialog window by subclassing, then hands WM_INITDIALOG to the object's
// message map. From then on the object's window procedure sees every message first and the dialog's
// own procedure is its default.
namespace appframe {

INT_PTR CALLBACK DialogBindingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace appframe
