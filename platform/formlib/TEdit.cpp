#include <formlib/TEdit.h>

namespace formlib {

TEdit::TEdit(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle("EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
  SetBounds(0, 0, 121, 21);
  SetColor(clWindow());
}

void TEdit::SetMaxLength(int length) { SendMessageA(Handle(), EM_LIMITTEXT, length, 0); }

void TEdit::SetSelStart(int position) { SendMessageA(Handle(), EM_SETSEL, position, position); }

int TEdit::SelStart() const {
  DWORD start = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TEdit::CommandNotify(WORD code) {
  if (code == EN_CHANGE && OnChange)
    OnChange(this);
}

} // namespace formlib
