#pragma once

#include <string>

namespace plovera {

// The event grid: a header row, then for each month with events a separator row followed by its event
// rows in date order, a closing separator, and empty rows up to kMinimumRows.
enum EventColumn : int { colDate = 0, colEvent = 1, colYear = 2, colType = 3, colSeq = 4 };
const int kEventColumns = 5;
const int kMinimumRows = 17;
extern const char* const kHeaderRow[kEventColumns];
extern const char* const kMonthSeparator[kEventColumns];
extern const char* const kClosingSeparator[kEventColumns];
// The date cell of both separators.
extern const char kSeparatorDate[];

// A date cell whose characters 1-2 begin a month 1 to 12 and 4-5 a day 1 to 31; separators, empty
// rows and deleted ("*") rows are not event rows.
bool isEventRow(const std::string& dateCell);

} // namespace plovera
