#include "MonthCalendars.h"

namespace plovera {

using formsrt::Date;
using formsrt::FlexGridModel;

namespace {

const char* const kWeekdays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const int kRowHeight = 210;
const int kColWidth = 370;

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

} // namespace

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
