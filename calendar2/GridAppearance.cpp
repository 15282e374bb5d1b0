#include <calendar2/GridAppearance.h>

#include <calendar2/EventGridLayout.h>
#include <calendar2/EventTypes.h>

#include <formsrt/DateTime.h>
#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

#include <algorithm>
#include <cstdio>

namespace plovera {

using formsrt::FlexGridModel;

void ColorRowsByType(FlexGridModel& grid, const PloveraSettings& settings, int row) {
  int type = typeOfWord(grid.TextArray(row * kEventColumns + colType));
  COLORREF fore = colourValue(settings.CF[type]);
  COLORREF back = colourValue(settings.CB[type]);
  grid.setRow(row);
  for (int col = 0; col < kEventColumns; ++col) {
    grid.setCol(col);
    grid.setCellBackColor(back);
    grid.setCellForeColor(fore);
  }
}

namespace {

void selectCurrentRow(FlexGridModel& grid) {
  grid.setCol(colSeq);
  grid.setColSel(colDate);
  grid.setRowSel(grid.Row());
}

} // namespace

int GoToToday(FlexGridModel& grid) {
  formsrt::Date today = formsrt::Today();
  char todayText[8];
  std::snprintf(todayText, sizeof todayText, "%02d/%02d", formsrt::Month(today), formsrt::Day(today));
  grid.setCol(colDate);
  // The first row dated today or later becomes current; with none, the last row. The rows are read
  // without moving the current row through them, which a window would repaint at every step.
  if (grid.Rows() > 1) {
    int first = 1;
    while (first < grid.Rows() - 1 &&
           (grid.TextMatrix(first, colDate) < todayText || grid.TextMatrix(first, colDate) == kSeparatorDate))
      ++first;
    grid.setRow(first);
    if (grid.Text() >= todayText && grid.Text() != kSeparatorDate)
      selectCurrentRow(grid);
  }
  const std::string& date = grid.TextMatrix(grid.Row(), colDate);
  if (date == kSeparatorDate || date.empty()) {
    // No event on or after today: the first event of the year, below the first month's separator. A
    // grid too short to hold one keeps to its last row.
    int row = grid.Row() + 2 > grid.Rows() ? 2 : grid.Row() + 1;
    grid.setRow(std::min(row, grid.Rows() - 1));
    selectCurrentRow(grid);
  }
  grid.setTopRow(std::max(grid.Row() - 4, 1));
  return formsrt::Month(today);
}

void ApplyGridSettings(FlexGridModel& grid, PloveraSettings& settings) {
  settings.FontBoldFlag = settings.FontBold == 'Y' ? 1 : 0;
  settings.FontItalicFlag = settings.FontItalic == 'Y' ? 1 : 0;
  grid.GridLines = settings.Grid == 'Y' ? 2 : 0;
  grid.FontName = settings.FontName;
  grid.FontSize = settings.FontSize;
  grid.FontBold = settings.FontBoldFlag != 0;
  grid.FontItalic = settings.FontItalicFlag != 0;
  const int widths[kEventColumns] = {settings.WDate, settings.WEvent, settings.WYear, settings.WType,
                                     settings.WSeq};
  for (int col = 0; col < kEventColumns && col < grid.Cols(); ++col) {
    try {
      grid.setColWidth(col, widths[col]);
    } catch (const formsrt::RuntimeError&) {
      // Keep the width the grid has.
    }
  }
  if (grid.changed)
    grid.changed();
}

void FitDateColumn(formsrt::FlexGrid& grid) {
  int needed = 0;
  for (char digit = '0'; digit <= '9'; ++digit) {
    std::string date = std::string("*") + digit + digit + "/" + digit + digit;
    needed = std::max(needed, formsrt::pixelsToTwipsX(grid.cellPixelsFor(date).cx + 1));
  }
  if (grid.ColWidth(colDate) < needed)
    grid.setColWidth(colDate, needed);
}

} // namespace plovera
