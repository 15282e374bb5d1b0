#pragma once

#include <cstdarg>
#include <cstddef>
#include <string>

// The one place where the installer turns a printf format and its arguments into text.
constexpr std::size_t AnyLength = static_cast<std::size_t>(-1);

// The formatted text, whole; with a limit, cut to what a buffer of `limit` bytes holds with its
// terminator (limit - 1 characters), for the callers whose text has a fixed room. A format the C
// library refuses gives "".
std::string FormatText(const char* format, va_list args, std::size_t limit = AnyLength);
