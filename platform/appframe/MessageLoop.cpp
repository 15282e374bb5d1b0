#include <appframe/MessageLoop.h>

#include <algorithm>
#include <vector>

namespace appframe {

namespace {

std::vector<HWND>& modeless() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

} // namespace

void AddModeless(HWND dialog) {
  auto& dialogs = modeless();
  if (std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end())
    dialogs.push_back(dialog);
}

void RemoveModeless(HWND dialog) {
  auto& dialogs = modeless();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool PreTranslateMessage(MSG& msg) {
  // A copy, since a dialog may close (and unregister) while it handles the message.
  std::vector<HWND> dialogs = modeless();
  for (HWND dialog : dialogs)
    if (IsWindow(dialog) && IsDialogMessageA(dialog, &msg))
      return true;
  return false;
}

bool PumpMessage() {
  MSG msg;
  if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (!PreTranslateMessage(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

} // namespace appframe
