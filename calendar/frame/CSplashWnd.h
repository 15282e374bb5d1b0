#pragma once

#include <appframe/CDialog.h>

// The start-up picture: a modeless window in the middle of the screen that takes itself away after two
// seconds. There is at most one; it deletes itself when its window is gone.
class CSplashWnd : public CDialog {
public:
  static constexpr UINT kShowMilliseconds = 2000;

  CSplashWnd();
  ~CSplashWnd() override;

  // The one splash window, or null.
  static CSplashWnd* Current();
  // What the timer does: the window goes.
  void Expire();

protected:
  bool OnInitDialog() override;
  void PostNcDestroy() override;

private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  UINT_PTR timer_ = 0;
};
