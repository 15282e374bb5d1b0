#pragma once

#include <foundation/dialogs/msgdlg.h>

#include <memory>

// The controller's busy message: a notice on DLGMSGDLG with its centre at a point given in
// thousandths of the screen, kept up for at least its time once shown. One at a time: showing another
// takes the first down. A stoppable one has a button; pressing it marks the message stopped.
class BusyMessage {
public:
  BusyMessage() = default;
  BusyMessage(const BusyMessage&) = delete;
  BusyMessage& operator=(const BusyMessage&) = delete;
  ~BusyMessage() { hide(); }

  // 1 when shown.
  int show(int x, int y, const char* text, const char* title, long milliseconds, int stoppable = 0);
  // Waits out the message's time, then takes it down.
  void hide();
  HWND window() const { return notice_ ? notice_->hwnd() : nullptr; }
  int stopped() const { return notice_ && notice_->acknowledged; }

private:
  std::unique_ptr<msgdlg> notice_;
};
