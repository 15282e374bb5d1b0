#pragma once

#include <formlib/TControl.h>

namespace formlib {

// A push button. A default button is pressed by Enter anywhere on its form, a cancel button by
// Escape; a button with a modal result ends its modal form with it after its click event.
class TButton : public TControl {
public:
  TButton(TComponent* owner, TControl* parent);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  std::string Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  void Click();

protected:
  void CommandNotify(WORD code) override;

private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
  std::string hint_;
};

} // namespace formlib
