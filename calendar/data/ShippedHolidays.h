#pragma once

#include <calendar/data/CHoliday.h>

#include <vector>

// The holidays delivered in "holidays.dat", all enabled. The make_holidays tool writes the file from
// this table, and a test checks that the shipped file still matches it.
std::vector<CHoliday> ShippedHolidays();
