#include <appframe/CComboBox.h>

CString CComboBox::GetLBText(int index) const {
  LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length == CB_ERR)
    return CString();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return CString(text);
}
