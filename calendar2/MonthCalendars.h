#pragma once

#include <formsrt/Controls.h>
#include <formsrt/DateTime.h>
#include <formsrt/FlexGrid.h>
#include <formsrt/FlexGridModel.h>

#include <string>
#include <utility>

namespace plovera {

// Fills two 7 by 7 month calendars (weekday names in the fixed row, Sunday first, then up to six weeks)
// from `today`: its month in `current`, with today selected, and the next month in `next`. Answers the
// two frame captions, "mmmm yyyy".
std::pair<std::string, std::string>
FillMonthCalendars(formsrt::FlexGridModel& current, formsrt::FlexGridModel& next, const formsrt::Date& today);

// Sizes a month calendar to its font: every row and column grows, where the designed 210 by 370 twips are
// too small, until each cell shows a weekday name or a day number whole; the grid then grows to show its
// seven rows and seven columns, and its frame to hold the grid with the designed margins. Answers the
// frame's height.
int SizeMonthCalendar(formsrt::FlexGrid& grid, formsrt::Frame& frame);

} // namespace plovera
