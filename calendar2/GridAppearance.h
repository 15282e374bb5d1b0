#pragma once

#include <calendar2/PloveraSettings.h>

#include <formsrt/FlexGrid.h>
#include <formsrt/FlexGridModel.h>

namespace plovera {

// Colours the five cells of `row` by the word in its type cell; leaves that row current and the type's
// last column (4) the current column.
void ColorRowsByType(formsrt::FlexGridModel& grid, const PloveraSettings& settings, int row);

// Selects the first event on or after today and scrolls it near the top; answers today's month, the
// month the month commands start from. With no such event the first event of the year is selected.
int GoToToday(formsrt::FlexGridModel& grid);

// Grid lines, font and column widths from the settings; sets the bold and italic flags. A value the grid
// refuses (a negative width) leaves that property as it was, and the others are still applied.
void ApplyGridSettings(formsrt::FlexGridModel& grid, PloveraSettings& settings);

// Widens the date column, where its width from the settings is too small, until a deleted event's date
// ("*" and mm/dd) shows whole in the grid's font.
void FitDateColumn(formsrt::FlexGrid& grid);

} // namespace plovera
