#include <formlib/TListBox.h>

namespace formlib {

TListBox::TListBox(TComponent* owner, TControl* parent) : TListBox(owner, parent, 0) {}

TListBox::TListBox(TComponent* owner, TControl* parent, DWORD extraStyle) : TControl(owner, parent) {
  CreateHandle("LISTBOX",
               WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | extraStyle,
               WS_EX_CLIENTEDGE);
  SetColor(clWindow());
}

void TListBox::Add(const std::string& row) {
  SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
}

void TListBox::Clear() { SendMessageA(Handle(), LB_RESETCONTENT, 0, 0); }

int TListBox::Count() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int index) const {
  LRESULT length = SendMessageA(Handle(), LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR)
    return {};
  std::string text(length + 1, '\0');
  SendMessageA(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

int TListBox::ItemIndex() const { return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0)); }

void TListBox::SetItemIndex(int index) { SendMessageA(Handle(), LB_SETCURSEL, index, 0); }

void TListBox::SetTabWidth(int width) {
  int stops[1] = {width};
  SendMessageA(Handle(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops));
  Invalidate();
}

LRESULT TListBox::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(Handle(), message, wParam, lParam);
}

} // namespace formlib
