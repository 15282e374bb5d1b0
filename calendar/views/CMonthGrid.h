#pragma once

#include <gridctrl/GridCtrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One month in a grid: a title row with four navigation buttons (a year back, a month back, a month on,
// a year on), a row of weekday names and a row per week. A click on a day, or on a navigation button
// while a day is current, sends WM_USER + 1 to the parent window.
class CMonthGrid : public CGridCtrl {
  DECLARE_MESSAGE_MAP()

public:
  static constexpr UINT kDayMessage = WM_USER + 1;
  static constexpr COLORREF kTodayColour = RGB(200, 0, 0);
  // The pixel heights a text too wide for its cell is tried in, from the largest down.
  static constexpr int kLargestSmallHeight = 12;
  static constexpr int kSmallestHeight = 6;
  // Today's text is never shown smaller than this: below it breaks into two lines, and where even
  // those do not fit, the day number stands alone in today's colours.
  static constexpr int kReadableHeight = 8;
  // The cell type flag that draws a text broken into lines at its spaces.
  static constexpr int kWordBreak = 2;

  CMonthGrid();

  // Shows the month; nothing happens when it is the one shown.
  virtual void SetMonth(int month, int year);
  // After a new month is shown.
  virtual void OnMonthChanged(int /*month*/, int /*year*/) {}
  // Marks today anew after a day change.
  void RemarkToday();
  // Rewrites the weekday names and shows the month again (after the week start changed).
  void Refill();
  // Every day cell back to a white background.
  void ClearDays();
  // The day of the current cell, or 0.
  int GetCurrentDay() const;
  // The cell of a day of the shown month.
  void CellOfDay(int day, int& col, int& row) const;
  // Changes a stored cell in place.
  void ChangeCell(int col, int row, const std::function<void(CGridCell&)>& change);

  int Month() const { return month_; }
  int Year() const { return year_; }
  bool HasMonth() const { return !noMonth_; }
  int GetMonthRowCount() const { return rows_; }
  void DoLayout();

  void OnGridCreated() override;
  BOOL OnSelChanging(int curCol, int curRow, int newCol, int newRow) override;
  void OnSelChanged(int oldCol, int newCol, int oldRow, int newRow) override;
  void OnLButtonCell(int col, int row, BOOL down, const CRect& rect, CPoint point, int typeAnswer) override;
  int CompareCells(const CGridCell&, const CGridCell&) override { return 0; }

protected:
  void OnMonthSize(UINT type, int cx, int cy);
  int FirstColumn() const;
  int DaysInMonth() const;
  void SendDay();
  void ShowDay(int day);
  void WriteWeekdayNames();
  // Gives every text the grid's font where its cell holds it, else the largest smaller font that fits.
  void FitTexts();
  // `align` is the cell's alignment: a text is fitted where the cell will draw it.
  HFONT FittingFont(HDC dc, const std::string& text, const CRect& room, int align);
  // Today's cell: "%d Today" on one line or two, at the largest readable size that fits, else the day.
  void FitToday(HDC dc, CGridCell& cell, const CRect& room, int align);
  // The fonts tried, from the grid's own down to `smallest` pixels high.
  std::vector<HFONT> FontsDownTo(int smallest);

  CPen greyPen_;
  CFont font_;
  // The grid's font cannot be scaled (a bitmap face); smaller texts come from a scalable one, made
  // when first needed, by pixel height.
  std::unique_ptr<CFont> smallFonts_[kLargestSmallHeight + 1];

private:
  int month_ = -1;
  int year_ = -1;
  int today_ = -1;
  int rows_ = 2;
  int pressedCol_ = -1;
  int pressedRow_ = -1;
  bool noMonth_ = true;
};
