#include <foundation/strings/linescan.h>

#include <cstring>

namespace {

const char* findLineEnd(const char* line) { return std::strstr(line, "\r\n"); }

} // namespace

void linescan::start(const char* text) {
  line_ = text;
  end_ = text ? findLineEnd(text) : nullptr;
}

void linescan::next() {
  if (!line_)
    return;
  if (!end_) {
    line_ = nullptr;
    return;
  }
  start(end_ + 2);
}

int linescan::copy(char* buffer, int size) const {
  if (size <= 0)
    return 0;
  buffer[0] = 0;
  if (!line_)
    return 0;
  size_t length = end_ ? static_cast<size_t>(end_ - line_) : std::strlen(line_);
  size_t fits = length < static_cast<size_t>(size) ? length : static_cast<size_t>(size - 1);
  std::memcpy(buffer, line_, fits);
  buffer[fits] = 0;
  return fits == length;
}

int CountLines(const char* text) {
  int count = 0;
  linescan lines;
  for (lines.start(text); lines.valid(); lines.next())
    ++count;
  return count;
}

int GetLine(const char* text, int n, char* buffer, int size) {
  linescan lines;
  lines.start(n >= 0 ? text : nullptr);
  for (int i = 0; i < n && lines.valid(); ++i)
    lines.next();
  return lines.copy(buffer, size);
}
