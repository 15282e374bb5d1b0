#include <foundation/strings/numbertext.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

const char* skipSpace(const char* p) {
  while (std::isspace(static_cast<unsigned char>(*p)))
    ++p;
  return p;
}

// The number ended at `end`, which must be followed by white space only.
int endsCleanly(const char* start, const char* end) { return end != start && !*skipSpace(end); }

} // namespace

int ParseSigned(const char* text, long long minimum, long long maximum, long long& out) {
  const char* start = skipSpace(text);
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(start, &end, 10);
  if (errno == ERANGE || !endsCleanly(start, end) || value < minimum || value > maximum)
    return 0;
  out = value;
  return 1;
}

int ParseUnsigned(const char* text, unsigned long long minimum, unsigned long long maximum,
                  unsigned long long& out) {
  const char* start = skipSpace(text);
  if (*start == '-')
    return 0;
  char* end = nullptr;
  errno = 0;
  unsigned long long value = std::strtoull(start, &end, 10);
  if (errno == ERANGE || !endsCleanly(start, end) || value < minimum || value > maximum)
    return 0;
  out = value;
  return 1;
}
