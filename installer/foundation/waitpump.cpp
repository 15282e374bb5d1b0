#include "waitpump.h"

#include <windows.h>

int PumpWaitingMessages() {
  MSG message;
  int handled = 0;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The loop that runs the program ends on it, not this one.
      PostQuitMessage(static_cast<int>(message.wParam));
      return handled;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    handled = 1;
  }
  return handled;
}
