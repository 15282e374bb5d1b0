#include "filedlg.h"

#include <commdlg.h>

namespace {

// The object behind a hooked dialog, kept as one pointer-sized window property.
const char ObjectProperty[] = "opnfileobjptr";

} // namespace

UINT_PTR CALLBACK filedlg::hookproc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* request = reinterpret_cast<OPENFILENAMEA*>(lparam);
    SetPropA(window, ObjectProperty, reinterpret_cast<HANDLE>(request->lCustData));
  }
  auto* object = static_cast<filedlg*>(GetPropA(window, ObjectProperty));
  UINT_PTR result = object ? object->hook(window, message, wparam, lparam) : 0;
  if (message == WM_DESTROY)
    RemovePropA(window, ObjectProperty);
  return result;
}

int filedlg::run(HWND owner, fpath& out) {
  char buffer[PathSize] = "";
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrTitle = title;
  request.lpstrFilter = filter;
  request.nFilterIndex = 0;
  request.lpstrFile = buffer;
  request.nMaxFile = sizeof buffer;
  request.lpstrDefExt = defext;
  request.Flags = OFN_HIDEREADONLY;
  if (hookflag) {
    request.Flags |= OFN_ENABLEHOOK;
    request.lpfnHook = hookproc;
    request.lCustData = reinterpret_cast<LPARAM>(this);
  }
  if (!openflag)
    request.Flags |= OFN_OVERWRITEPROMPT;
  BOOL chosen = openflag ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
  return chosen ? out.set(buffer) : 0;
}
