#pragma once

#include <string>

namespace plovera {

// Turns a typed date, or a data file's date, into the five-character month/day text mm/dd. It only
// moves characters: the month part gets no digit test, and characters after the fifth are ignored.
std::string NormalizeMonthDay(const std::string& input);

} // namespace plovera
