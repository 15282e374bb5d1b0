#include <formlib/TButton.h>

#include <formlib/TForm.h>

namespace formlib {

TButton::TButton(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle("BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
  SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value) {
  default_ = value;
  SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  TForm* form = ParentForm();
  if (OnClick)
    OnClick(this);
  if (modalResult_ != 0 && form)
    form->SetModalResult(modalResult_);
}

void TButton::CommandNotify(WORD code) {
  if (code == BN_CLICKED)
    Click();
}

} // namespace formlib
