#include <foundation/windows/helpfile.h>

#include <foundation/dialogs/msgbox.h>
#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

void helpfile::set(HWND ownerWindow, const char* path, int kept, int id) {
  owner = ownerWindow;
  file.set(path);
  value = kept;
  defaultid = id;
}

void helpfile::close() {
  if (fpath::exists(file))
    WinHelpA(owner, file.str(), HELP_QUIT, 0);
}

void helpfile::call(UINT command, ULONG_PTR data) {
  if (fpath::exists(file) && !(command == HELP_CONTEXT && LOWORD(data) == 0xFFFF)) {
    WinHelpA(owner, file.str(), command, data);
    return;
  }
  char text[TextSize], caption[TextSize];
  LoadText(text, TEXT_NO_HELP);
  LoadText(caption, TEXT_HELP);
  msgbox box;
  box.settextf("%s", text);
  box.setstdicon(MB_ICONASTERISK);
  box.setbuttons(MB_OK);
  box.show(caption, 1, 1);
}

void helpfile::showfor(HWND window) {
  int id = HelpIdOfWindow(window);
  context(id ? id : defaultid);
}

int helpfile::filterf1(const MSG& message) {
  if (message.message != WM_KEYUP || message.wParam != VK_F1 || LOWORD(message.lParam) != 1)
    return 0;
  HWND active = GetActiveWindow();
  auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrA(active, GWLP_HINSTANCE));
  // Dialogs started by name carry the module their template came from.
  if (!active || (instance != EngineModule() && instance != ResourceModule()))
    return 0;
  showactive();
  return 1;
}

helpfile& EngineHelp() {
  static helpfile help;
  return help;
}

int HelpIdOfWindow(HWND window) {
  return static_cast<int>(SendMessageA(window, WM_COMMAND, MAKEWPARAM(HelpIdCommand, 0), 0));
}
