#include <calendar/dialogs/CHolidayGrid.h>

int CHolidayGrid::ParseNotifyDays(const char* text) {
  int value = 0;
  if (!*text)
    return -1;
  for (const char* c = text; *c; ++c) {
    if (*c < '0' || *c > '9' || value > kMaxNotifyDays)
      return -1;
    value = value * 10 + (*c - '0');
  }
  return value >= kMinNotifyDays && value <= kMaxNotifyDays ? value : -1;
}

void CHolidayGrid::OnLButtonCell(int col, int, BOOL down, const CRect&, CPoint, int) {
  if (down && col == kNotifyDays)
    EditCurCell();
}

BOOL CHolidayGrid::OnEndEdit(int col, int, CEdit* editor) {
  if (col != kNotifyDays || ParseNotifyDays(editor->GetWindowText()) >= 0)
    return TRUE;
  if (HWND parent = GetParentHwnd())
    ::PostMessageA(parent, kRefusedMessage, 0, 0);
  return FALSE;
}
