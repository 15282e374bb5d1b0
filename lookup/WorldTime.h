#pragma once

#include <formlib/SysUtils.h>

namespace pellawin {

// Whether the row's daylight-saving rule is in force on the date of `now`.
bool IsDaylightTime(int row, formlib::TDateTime now);
bool IsDaylightTime(int row);

// The time at `targetRow` when the computer's clock, showing `now`, keeps the time of `localRow`.
formlib::TDateTime TimeAtCity(int localRow, int targetRow, formlib::TDateTime now);
formlib::TDateTime TimeAtCity(int localRow, int targetRow);

} // namespace pellawin
