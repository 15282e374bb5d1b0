#pragma once

#include <formlib/TControl.h>

namespace formlib {

// A single-line edit box.
class TEdit : public TControl {
public:
  TEdit(TComponent* owner, TControl* parent);

  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  void SetMaxLength(int length);
  void SetSelStart(int position);
  int SelStart() const;

  TNotifyEvent OnChange;

protected:
  void CommandNotify(WORD code) override;
};

} // namespace formlib
