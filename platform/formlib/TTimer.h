#pragma once

#include <formlib/TControl.h>

namespace formlib {

// A repeating timer on a hidden message-only window of its own; its event runs on the thread's loop.
class TTimer : public TControl {
public:
  explicit TTimer(TComponent* owner);

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) override;

  TNotifyEvent OnTimer;

protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void update();

  unsigned interval_ = 1000;
  bool enabled_ = true;
};

} // namespace formlib
