#include <foundation/windows/msgloop.h>

#include <foundation/strings/textresource.h>

int msgloop::adddialog(HWND dialog) {
  if (count_ >= MaxLoopDialogs)
    return 0;
  dialogs_[count_++] = dialog;
  return 1;
}

void msgloop::removedialog(HWND dialog) {
  for (int i = 0; i < count_; ++i) {
    if (dialogs_[i] != dialog)
      continue;
    for (int j = i + 1; j < count_; ++j)
      dialogs_[j - 1] = dialogs_[j];
    dialogs_[--count_] = nullptr;
    return;
  }
}

void msgloop::setaccel(HWND window, const char* tableName) {
  accelWindow_ = window;
  accel_ = LoadAcceleratorsA(EngineModule(), tableName);
}

void msgloop::dispatch(MSG& message) {
  if (hook_ && hook_->handle(message))
    return;
  if (mdiClient_ && TranslateMDISysAccel(mdiClient_, &message))
    return;
  if (accelWindow_ && accel_ && TranslateAcceleratorA(accelWindow_, accel_, &message))
    return;
  for (int i = 0; i < count_; ++i) {
    if (IsDialogMessageA(dialogs_[i], &message))
      return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

// Handles waiting messages as pump() does; sets `quit` when it met a WM_QUIT.
int msgloop::take(int all, int& quit) {
  int handled = 0;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      quit = 1;
      return handled;
    }
    dispatch(message);
    handled = 1;
    if (!all)
      break;
  }
  return handled;
}

int msgloop::pump(int all) {
  int quit = 0;
  return take(all, quit);
}

int msgloop::wait(DWORD milliseconds) {
  int quit = 0;
  take(1, quit);
  if (quit)
    return 0;
  MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
  return 1;
}

msgloop& MessageLoop() {
  static msgloop loop;
  return loop;
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0)
    MessageLoop().dispatch(message);
  return 0;
}
