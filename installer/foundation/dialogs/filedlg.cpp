#include <foundation/dialogs/filedlg.h>

#include <foundation/dialogs/msgbox.h>
#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

#include <wincore/BoundWindow.h>

#include <cderr.h>
#include <commdlg.h>

namespace {

// Room for any name the dialog may give, so that one longer than a path can be told from a cancel.
constexpr int ChoiceSize = 1024;

void sayTooLong(HWND owner) {
  char text[TextSize];
  LoadText(text, TEXT_NAME_TOO_LONG);
  ShowErrorBox(owner, text);
}

// A hooked dialog bound to its object through the window core: bound at WM_INITDIALOG, the dialog
// keeps its own handling of every message, and the core lets go of it at its last message.
class HookedDialog : public wincore::BoundWindow {
public:
  explicit HookedDialog(filedlg& object) : object_(object) {}
  static filedlg* objectOf(HWND window) {
    auto* bound = dynamic_cast<HookedDialog*>(fromHandle(window));
    return bound ? &bound->object_ : nullptr;
  }

private:
  filedlg& object_;
};

} // namespace

UINT_PTR CALLBACK filedlg::hookproc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG)
    reinterpret_cast<HookedDialog*>(reinterpret_cast<OPENFILENAMEA*>(lparam)->lCustData)->subclass(window);
  filedlg* object = HookedDialog::objectOf(window);
  return object ? object->hook(window, message, wparam, lparam) : 0;
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
  HookedDialog binding(*this);
  if (hookflag) {
    request.Flags |= OFN_ENABLEHOOK;
    request.lpfnHook = hookproc;
    request.lCustData = reinterpret_cast<LPARAM>(&binding);
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
