#include <calendar/frame/CSplashWnd.h>

#include <calendar/resource.h>

namespace {

CSplashWnd* current = nullptr;

} // namespace

CSplashWnd::CSplashWnd() : CDialog(IDD_SPLASH) { current = this; }

CSplashWnd::~CSplashWnd() {
  if (timer_)
    KillTimer(nullptr, timer_);
  if (current == this)
    current = nullptr;
}

CSplashWnd* CSplashWnd::Current() { return current; }

bool CSplashWnd::OnInitDialog() {
  CenterWindow();
  timer_ = SetTimer(nullptr, 0, kShowMilliseconds, &CSplashWnd::TimerProc);
  return true;
}

void CALLBACK CSplashWnd::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (current)
    current->Expire();
}

void CSplashWnd::Expire() { DestroyWindow(); }

void CSplashWnd::PostNcDestroy() {
  CDialog::PostNcDestroy();
  delete this;
}
