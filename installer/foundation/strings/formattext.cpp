#include <foundation/strings/formattext.h>

#include <algorithm>
#include <cstdio>

std::string FormatText(const char* format, va_list args, std::size_t limit) {
  if (limit == 0)
    return std::string();
  // The first pass only measures, and it consumes its own copy of the arguments.
  va_list measure;
  va_copy(measure, args);
  int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0)
    return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::vsnprintf(&text[0], text.size(), format, args);
  text.resize(std::min(static_cast<std::size_t>(length), limit - 1));
  return text;
}
