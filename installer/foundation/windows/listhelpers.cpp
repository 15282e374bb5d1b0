#include <foundation/windows/listhelpers.h>

#include <foundation/strings/formattext.h>

#include <cstdarg>

namespace {

// The room of a formatted combo box item: longer ones are cut.
constexpr std::size_t ComboItemRoom = 256;

} // namespace

int ListKeepTop = 0;

void ListEnsureVisible(HWND list, int index) {
  int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  if (index < top) {
    SendMessageA(list, LB_SETTOPINDEX, index, 0);
    return;
  }
  RECT client;
  GetClientRect(list, &client);
  int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  int visible = itemHeight > 0 ? (client.bottom - client.top) / itemHeight : 1;
  if (visible < 1)
    visible = 1;
  if (index > top + visible - 1)
    SendMessageA(list, LB_SETTOPINDEX, index - visible + 1, 0);
}

void ListSelect(HWND list, int index, int select) {
  LRESULT top = SendMessageA(list, LB_GETTOPINDEX, 0, 0);
  if (SendMessageA(list, LB_GETSELCOUNT, 0, 0) != LB_ERR)
    SendMessageA(list, LB_SETSEL, select != 0, index);
  else if (select)
    SendMessageA(list, LB_SETCURSEL, index, 0);
  if (ListKeepTop)
    SendMessageA(list, LB_SETTOPINDEX, top, 0);
}

void ListRedrawItem(HWND list, int index) {
  RECT item;
  if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
    InvalidateRect(list, &item, FALSE);
}

int ComboAddF(HWND combo, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, ComboItemRoom);
  va_end(args);
  return static_cast<int>(SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}
