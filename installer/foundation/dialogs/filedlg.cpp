#include <foundation/dialogs/filedlg.h>

#include <foundation/dialogs/msgbox.h>
#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

#include <cderr.h>
#include <commdlg.h>

namespace {

// The object behind a hooked dialog, kept as one pointer-sized window property.
const char ObjectProperty[] = "opnfileobjptr";

// Room for any name the dialog may give, so that one longer than a path can be told from a cancel.
constexpr int ChoiceSize = 1024;

void sayTooLong(HWND owner) {
  char text[TextSize];
  LoadText(text, TEXT_NAME_TOO_LONG);
  ShowErrorBox(owner, text);
}

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
  char buffer[ChoiceSize] = "";
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
  // A name longer than a path holds would fail as a cancel does, or come back cut: the user hears why
  // and chooses again.
  for (;;) {
    if (openflag ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request)) {
      if (lstrlenA(buffer) < PathSize)
        return out.set(buffer);
    } else if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) {
      return 0;
    }
    buffer[0] = 0;
    sayTooLong(owner);
  }
}
