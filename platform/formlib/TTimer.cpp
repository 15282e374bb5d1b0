#include <formlib/TTimer.h>

namespace formlib {

TTimer::TTimer(TComponent* owner) : TControl(owner, nullptr) {
  CreateHandle(nullptr, 0, 0, HWND_MESSAGE);
  update();
}

void TTimer::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  update();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  update();
}

void TTimer::update() {
  KillTimer(Handle(), 1);
  if (enabled_ && interval_ > 0)
    SetTimer(Handle(), 1, interval_, nullptr);
}

bool TTimer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_TIMER)
    return TControl::HandleMessage(message, wParam, lParam, result);
  if (enabled_ && OnTimer)
    OnTimer(this);
  return true;
}

} // namespace formlib
