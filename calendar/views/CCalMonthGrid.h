#pragma once

#include <calendar/views/CMonthGrid.h>

class CCalView;

// The calendar pane's month: marks one chosen day with a blue frame, and has the view highlight the
// days with listed entries whenever another month is shown. Choosing a day tells the other views.
class CCalMonthGrid : public CMonthGrid {
public:
  explicit CCalMonthGrid(CCalView* view);

  void MarkDay(int day, int month, int year);
  void ClearMark();
  int MarkedDay() const { return markedDay_; }
  int MarkedMonth() const { return markedMonth_; }
  int MarkedYear() const { return markedYear_; }

  BOOL OnSelChanging(int, int, int, int) override { return TRUE; }
  void OnSelChanged(int oldCol, int newCol, int oldRow, int newRow) override;
  void OnLButtonCell(int col, int row, BOOL down, const CRect& rect, CPoint point, int typeAnswer) override;
  void OnMonthChanged(int month, int year) override;

private:
  void Frame(int col, int row, short style, CPen* pen);

  CCalView* view_;
  CPen bluePen_;
  int markedCol_ = -1;
  int markedRow_ = -1;
  int markedDay_ = -1;
  int markedMonth_ = -1;
  int markedYear_ = -1;
};
