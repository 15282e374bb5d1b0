#include <appframe/Controls.h>

CString CListBox::GetText(int index) const {
  LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR)
    return CString();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return CString(text);
}
