#pragma once

#include <formsrt/DateTime.h>
#include <formsrt/FlexGridModel.h>

#include <string>
#include <utility>

namespace plovera {

// Fills two 7 by 7 month calendars (weekday names in the fixed row, Sunday first, then up to six weeks)
// from `today`: its month in `current`, with today selected, and the next month in `next`. Answers the
// two frame captions, "mmmm yyyy".
std::pair<std::string, std::string>
FillMonthCalendars(formsrt::FlexGridModel& current, formsrt::FlexGridModel& next, const formsrt::Date& today);

} // namespace plovera
