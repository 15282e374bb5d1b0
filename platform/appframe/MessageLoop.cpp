#include <appframe/MessageLoop.h>

#include <wincore/MessageLoop.h>

#include <algorithm>
#include <vector>

namespace appframe {

namespace {

std::vector<HWND>& modeless() {
  static std::vector<HWND> dialogs;
  static const int filter = wincore::addMessageFilter(PreTranslateMessage);
  (void)filter;
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

bool PumpMessage() { return wincore::pumpMessage(); }

int RunMessageLoop() { return wincore::runMessageLoop(); }

} // namespace appframe
