#pragma once

#include <vector>

// Where the days of a month stand in the month grid: 7 columns; row 0 the title with the navigation
// cells, row 1 the weekday names, rows 2 and on the weeks. With k the column of day 1, day d stands in
// row 2 + (d - 1 + k) / 7 and column (d - 1 + k) mod 7.
namespace monthlayout {

constexpr int kFirstYear = 1753;
constexpr int kLastYear = 3000;
constexpr int kTitleRowHeight = 20;

// The column of a weekday (1 Monday .. 7 Sunday): Monday first with startDay 1, else Sunday first.
int ColumnOfWeekday(int weekday, int startDay);
// The column of day 1 of a month.
int FirstColumn(int month, int year, int startDay);
int RowCount(int daysInMonth, int firstColumn);
void CellOfDay(int day, int firstColumn, int& col, int& row);
// The day of a cell, or 0 when the cell holds none.
int DayOfCell(int col, int row, int firstColumn, int daysInMonth);

// The month shown after a click on navigation column 0 (a year back), 1 (a month back), 5 (a month on)
// or 6 (a year on), kept within January 1753 .. December 3000.
void Step(int navColumn, int& month, int& year);

// Row heights for a grid of that height: the title and weekday rows 20 pixels, the weeks share the
// rest and the last takes the remainder; never negative.
std::vector<int> RowHeights(int height, int rows);
// Column widths: a seventh each, the last one with the remainder.
std::vector<int> ColumnWidths(int width);

} // namespace monthlayout
