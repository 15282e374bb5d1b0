#include <calendar/views/MonthLayout.h>

#include <calendar/data/CDate.h>

#include <algorithm>

namespace monthlayout {

int ColumnOfWeekday(int weekday, int startDay) { return startDay == 1 ? weekday - 1 : weekday % 7; }

int FirstColumn(int month, int year, int startDay) {
  return ColumnOfWeekday(CDate(1, month, year).Weekday(), startDay);
}

int RowCount(int daysInMonth, int firstColumn) { return (daysInMonth + firstColumn - 1) / 7 + 3; }

void CellOfDay(int day, int firstColumn, int& col, int& row) {
  col = (day - 1 + firstColumn) % 7;
  row = 2 + (day - 1 + firstColumn) / 7;
}

int DayOfCell(int col, int row, int firstColumn, int daysInMonth) {
  if (col < 0 || col > 6 || row < 2)
    return 0;
  int day = col + 7 * row - firstColumn - 13;
  return day >= 1 && day <= daysInMonth ? day : 0;
}

void Step(int navColumn, int& month, int& year) {
  switch (navColumn) {
  case 0:
    year = std::max(kFirstYear, year - 1);
    break;
  case 1:
    if (month > 1)
      --month;
    else if (year > kFirstYear) {
      month = 12;
      --year;
    }
    break;
  case 5:
    if (month < 12)
      ++month;
    else if (year < kLastYear) {
      month = 1;
      ++year;
    }
    break;
  case 6:
    year = std::min(kLastYear, year + 1);
    break;
  default:
    break;
  }
}

std::vector<int> RowHeights(int height, int rows) {
  std::vector<int> heights(static_cast<size_t>(std::max(rows, 0)), kTitleRowHeight);
  // Before a month is set there are only the two fixed rows: no weeks to share the rest.
  if (rows <= 2)
    return heights;
  int weeks = rows - 2;
  int body = std::max(0, height - 2 * kTitleRowHeight);
  for (int row = 2; row < rows; ++row)
    heights[static_cast<size_t>(row)] = body / weeks;
  heights.back() += body % weeks;
  return heights;
}

std::vector<int> ColumnWidths(int width) {
  width = std::max(0, width);
  std::vector<int> widths(7, width / 7);
  widths.back() += width % 7;
  return widths;
}

} // namespace monthlayout
