#pragma once

#include <windows.h>

// The program's one message loop: its modeless dialogs get their keys, accelerators and a hook object
// see every message first. Long work calls pump() to keep the windows alive.

// Sees every message before anything else; answers 1 when it took the message.
class msghook {
public:
  virtual int handle(MSG& message) = 0;

protected:
  ~msghook() = default;
};

constexpr int MaxLoopDialogs = 20;

class msgloop {
public:
  // 0 when 20 dialogs are registered already.
  int adddialog(HWND dialog);
  void removedialog(HWND dialog);
  int dialogcount() const { return count_; }
  void setaccel(HWND window, const char* tableName);
  void setmdiclient(HWND client) { mdiClient_ = client; }
  void sethook(msghook* hook) { hook_ = hook; }

  void dispatch(MSG& message);
  // Handles waiting messages: all of them, or only the first without `all`; 1 when any was handled.
  // A WM_QUIT met here is posted again for the loop that owns it, and the pump returns.
  int pump(int all);
  // The pump of a wait: handles every waiting message, then sleeps until the next one or for
  // `milliseconds`. Answers 0 without sleeping when it met a WM_QUIT: the quit is posted again for the
  // loop that owns it, and it would wake every further sleep at once, so the wait must end.
  int wait(DWORD milliseconds);

private:
  int take(int all, int& quit);

  int count_ = 0;
  HWND accelWindow_ = nullptr;
  HWND mdiClient_ = nullptr;
  HWND dialogs_[MaxLoopDialogs] = {};
  HACCEL accel_ = nullptr;
  msghook* hook_ = nullptr;
};

msgloop& MessageLoop();

// GetMessageA until WM_QUIT, each message through the program's loop; 0.
int RunMessageLoop();
