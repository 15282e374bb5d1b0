#include "CPlainMonthView.h"

#include "CDate.h"
#include "Hints.h"

#include <cstdio>

void CPlainMonthView::OnUpdate(CView*, LPARAM hint, CObject*) {
  if (hint == 0 || hint == kHintDayChanged || hint == kHintShowToday || hint == kHintListChanged)
    Invalidate();
}

void CPlainMonthView::OnDraw(CDC* dc) {
  static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
  static const char* const kDays[] = {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"};
  CRect client = GetClientRect();
  dc->FillSolidRect(client, RGB(255, 255, 255));
  HGDIOBJ oldFont = dc->SelectObject(GetStockObject(DEFAULT_GUI_FONT));
  dc->SetBkMode(TRANSPARENT);
  CDate today;
  char title[48];
  std::snprintf(title, sizeof title, "%s %d", kMonths[today.Month() - 1], today.Year());
  dc->SetTextColor(RGB(0, 0, 128));
  dc->TextOut(8, 4, title);
  const int cellWidth = 28, cellHeight = 16, top = 22;
  dc->SetTextColor(RGB(0, 0, 0));
  for (int d = 0; d < 7; ++d)
    dc->TextOut(8 + d * cellWidth, top, kDays[d]);
  CDate first(1, today.Month(), today.Year());
  int column = first.Weekday() - 1;
  int row = 1;
  for (int day = 1; day <= today.DaysInMonth(); ++day) {
    CRect cell(8 + column * cellWidth - 2, top + row * cellHeight, 8 + (column + 1) * cellWidth - 4,
               top + (row + 1) * cellHeight);
    bool isToday = day == today.Day();
    if (isToday)
      dc->FillSolidRect(cell, RGB(0, 0, 128));
    dc->SetTextColor(isToday ? RGB(255, 255, 255) : RGB(0, 0, 0));
    dc->TextOut(cell.left + 2, cell.top, std::to_string(day).c_str());
    if (++column == 7) {
      column = 0;
      ++row;
    }
  }
  dc->SelectObject(oldFont);
}
