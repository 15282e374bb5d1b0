#include <calendar/views/CCalMonthGrid.h>

#include <calendar/frame/CDorvixDoc.h>
#include <calendar/views/CCalView.h>
#include <calendar/views/Hints.h>

CCalMonthGrid::CCalMonthGrid(CCalView* view) : view_(view) {
  bluePen_.CreatePen(PS_SOLID, 1, RGB(64, 64, 255));
}

void CCalMonthGrid::OnSelChanged(int, int, int, int) {
  // Only a day cell chooses a day: the title, the buttons and the weekday names choose none.
  int day = GetCurrentDay();
  if (day <= 0 || !view_->GetDocument())
    return;
  CDateObject date(CDate(day, Month(), Year()));
  view_->GetDocument()->UpdateAllViews(view_, kHintDayChosen, &date);
}

void CCalMonthGrid::OnLButtonCell(int col, int row, BOOL down, const CRect& rect, CPoint point,
                                  int typeAnswer) {
  // A click on the day that is already current changes no selection, yet the user chose that day again
  // (after picking another row of the list, say): the list is told all the same.
  bool again = down && col == GetCurCol() && row == GetCurRow();
  CMonthGrid::OnLButtonCell(col, row, down, rect, point, typeAnswer);
  if (again)
    OnSelChanged(col, col, row, row);
}

void CCalMonthGrid::OnMonthChanged(int month, int year) {
  // The new month's cells were all laid anew: no cell carries the mark any more.
  markedCol_ = markedRow_ = -1;
  view_->HighlightEntryDays();
  if (markedMonth_ == month && markedYear_ == year)
    MarkDay(markedDay_, markedMonth_, markedYear_);
}

void CCalMonthGrid::Frame(int col, int row, short style, CPen* pen) {
  ChangeCell(col, row, [&](CGridCell& cell) {
    cell.SetFrameStyle(style);
    cell.SetPen(pen);
  });
  RedrawCell(col, row);
}

void CCalMonthGrid::MarkDay(int day, int month, int year) {
  markedDay_ = day;
  markedMonth_ = month;
  markedYear_ = year;
  if (markedCol_ >= 0)
    Frame(markedCol_, markedRow_, kFrameGridLines, &greyPen_);
  markedCol_ = markedRow_ = -1;
  SetMonth(month, year);
  int col, row;
  CellOfDay(day, col, row);
  Frame(col, row, kFrameBox, &bluePen_);
  markedCol_ = col;
  markedRow_ = row;
}

void CCalMonthGrid::ClearMark() {
  markedDay_ = markedMonth_ = markedYear_ = -1;
  if (markedCol_ >= 0)
    Frame(markedCol_, markedRow_, kFrameGridLines, &greyPen_);
  markedCol_ = markedRow_ = -1;
}
