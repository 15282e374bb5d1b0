#include <calendar2/MonthCalendars.h>

#include <algorithm>

namespace plovera {

using formsrt::Date;
using formsrt::FlexGridModel;

namespace {

const char* const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const int kRowHeight = 210;
const int kColWidth = 370;
// The designed grid and frame, in twips: the grid's size and its margins inside the frame.
const int kGridWidth = 2600;
const int kGridHeight = 1440;
const int kGridLeft = 35;
const int kGridTop = 250;
const int kFrameWidth = 2670;
const int kFrameHeight = 1780;

void layOut(FlexGridModel& grid) {
  grid.setRows(7);
  grid.setCols(7);
  for (int row = 0; row < 7; ++row) {
    grid.setRowHeight(row, kRowHeight);
    for (int col = 0; col < 7; ++col)
      grid.setTextMatrix(row, col, row == 0 ? kWeekdays[col] : "");
  }
  for (int col = 0; col < 7; ++col) {
    grid.setColWidth(col, kColWidth);
    grid.setColAlignment(col, 4);
    grid.setFixedAlignment(col, 4);
  }
}

// Writes the days of the month of `first` into the week rows; answers where `mark` was placed, or
// (0, 0) when it is not in that month.
std::pair<int, int> placeMonth(FlexGridModel& grid, Date first, const Date& mark) {
  std::pair<int, int> marked{0, 0};
  int row = 1;
  for (Date day = first; formsrt::Month(day) == formsrt::Month(first); day = formsrt::AddDays(day, 1)) {
    int col = formsrt::Weekday(day) - 1;
    grid.setTextMatrix(row, col, std::to_string(formsrt::Day(day)));
    if (day == mark)
      marked = {row, col};
    if (col == 6)
      ++row;
  }
  return marked;
}

// The smallest cell, in pixels, that shows every weekday name and every day number of a month.
SIZE fittingCell(const formsrt::FlexGrid& grid) {
  SIZE cell{0, 0};
  auto widen = [&](const std::string& text) {
    SIZE needed = grid.cellPixelsFor(text);
    cell.cx = std::max(cell.cx, needed.cx);
    cell.cy = std::max(cell.cy, needed.cy);
  };
  for (const char* name : kWeekdays)
    widen(name);
  for (int day = 1; day <= 31; ++day)
    widen(std::to_string(day));
  return cell;
}

} // namespace

int SizeMonthCalendar(formsrt::FlexGrid& grid, formsrt::Frame& frame) {
  using formsrt::pixelsToTwipsX;
  using formsrt::pixelsToTwipsY;
  SIZE cell = fittingCell(grid);
  int colWidth = std::max(kColWidth, pixelsToTwipsX(cell.cx));
  int rowHeight = std::max(kRowHeight, pixelsToTwipsY(cell.cy));
  for (int col = 0; col < grid.Cols(); ++col)
    grid.setColWidth(col, colWidth);
  for (int row = 0; row < grid.Rows(); ++row)
    grid.setRowHeight(row, rowHeight);
  // The grid's border, and a pixel to spare for rounding between twips and pixels.
  int borderX = 2 * GetSystemMetrics(SM_CXEDGE) + 1;
  int borderY = 2 * GetSystemMetrics(SM_CYEDGE) + 1;
  int gridWidth =
      std::max(kGridWidth, pixelsToTwipsX(grid.Cols() * formsrt::twipsToPixelsX(colWidth) + borderX));
  int gridHeight =
      std::max(kGridHeight, pixelsToTwipsY(grid.Rows() * formsrt::twipsToPixelsY(rowHeight) + borderY));
  grid.Move(kGridLeft, kGridTop, gridWidth, gridHeight);
  int frameWidth = std::max(kFrameWidth, kGridLeft + gridWidth + (kFrameWidth - kGridLeft - kGridWidth));
  int frameHeight = std::max(kFrameHeight, kGridTop + gridHeight + (kFrameHeight - kGridTop - kGridHeight));
  frame.Move(frame.Left(), frame.Top(), frameWidth, frameHeight);
  return frameHeight;
}

std::pair<std::string, std::string> FillMonthCalendars(FlexGridModel& current, FlexGridModel& next,
                                                       const Date& today) {
  layOut(current);
  layOut(next);
  // The first of the month from the four-digit year, so that every century reads right.
  Date first = formsrt::DateSerial(formsrt::Year(today), formsrt::Month(today), 1);
  Date nextFirst = formsrt::DateSerial(formsrt::Year(today), formsrt::Month(today) + 1, 1);
  auto [todayRow, todayCol] = placeMonth(current, first, today);
  placeMonth(next, nextFirst, Date{});
  current.setCol(todayCol);
  current.setColSel(todayCol);
  current.setRow(todayRow);
  current.setRowSel(todayRow);
  return {formsrt::Format(today, "mmmm yyyy"), formsrt::Format(formsrt::AddMonths(today, 1), "mmmm yyyy")};
}

} // namespace plovera
