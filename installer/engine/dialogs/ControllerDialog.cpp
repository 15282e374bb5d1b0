#include <engine/dialogs/ControllerDialog.h>

#include <foundation/windows/helpfile.h>
#include <foundation/windows/wndstack.h>

#include <algorithm>
#include <vector>

namespace {

// The controller dialogs up on this thread, and the message filter that gives them F1 while they run
// their own modal loops (the program's loop and its help hook do not see those messages).
std::vector<HWND>& ShownDialogs() {
  static std::vector<HWND> shown;
  return shown;
}

HHOOK f1Hook = nullptr;

LRESULT CALLBACK FilterF1(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  // The first press only: a held key repeats WM_KEYDOWN with bit 30 set.
  if (code >= 0 && message->message == WM_KEYDOWN && message->wParam == VK_F1 &&
      !(message->lParam & (1 << 30))) {
    HWND dialog = GetAncestor(message->hwnd, GA_ROOT);
    const std::vector<HWND>& shown = ShownDialogs();
    if (std::find(shown.begin(), shown.end(), dialog) != shown.end()) {
      EngineHelp().showfor(dialog);
      return 1;
    }
  }
  return CallNextHookEx(f1Hook, code, wParam, lParam);
}

void Shown(HWND dialog) {
  if (ShownDialogs().empty())
    f1Hook = SetWindowsHookExA(WH_MSGFILTER, FilterF1, nullptr, GetCurrentThreadId());
  ShownDialogs().push_back(dialog);
}

void Gone(HWND dialog) {
  std::vector<HWND>& shown = ShownDialogs();
  shown.erase(std::remove(shown.begin(), shown.end(), dialog), shown.end());
  if (!shown.empty() || !f1Hook)
    return;
  UnhookWindowsHookEx(f1Hook);
  f1Hook = nullptr;
}

} // namespace

HICON& ControllerIcon() {
  static HICON icon = nullptr;
  return icon;
}

INT_PTR controllerdialog::dlgproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    WindowStack().push(hwnd());
    Shown(hwnd());
    if (HICON icon = ControllerIcon()) {
      SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
      SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    return init();
  case WM_DESTROY:
    Gone(hwnd());
    WindowStack().pop();
    break;
  case WM_COMMAND:
    if (LOWORD(wParam) == HelpIdCommand) {
      SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, helpcontext_);
      return TRUE;
    }
    if (LOWORD(wParam) == helpbutton_) {
      EngineHelp().showfor(hwnd());
      return TRUE;
    }
    break;
  default:
    break;
  }
  return handle(message, wParam, lParam);
}
