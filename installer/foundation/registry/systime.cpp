#include <foundation/registry/systime.h>

#include <foundation/streams/porttype.h>
#include <foundation/system/checkfailed.h>

#include <clock/Clock.h>

namespace {
constexpr CheckSite DateNotWritable{"FPATH", 1436};
} // namespace

systime::systime() : SYSTEMTIME{} {
  wMonth = 1;
  wDay = 1;
}

void systime::now() { static_cast<SYSTEMTIME&>(*this) = platform::Clock::localTime(); }

int systime::compare(const systime& a, const systime& b) {
  const WORD systime::*order[] = {&systime::wYear,        &systime::wMonth,  &systime::wDay,
                                  &systime::wHour,        &systime::wMinute, &systime::wSecond,
                                  &systime::wMilliseconds};
  for (auto field : order) {
    if (a.*field != b.*field)
      return a.*field < b.*field ? -1 : 1;
  }
  return 0;
}

int systime::read(portistream& stream) {
  int values[6];
  for (int& value : values)
    if (!ReadInt(stream, value))
      return 0;
  wYear = static_cast<WORD>(values[0]);
  wMonth = static_cast<WORD>(values[1]);
  wDay = static_cast<WORD>(values[2]);
  wHour = static_cast<WORD>(values[3]);
  wMinute = static_cast<WORD>(values[4]);
  wSecond = static_cast<WORD>(values[5]);
  return 1;
}

int systime::write(portostream&) const {
  CheckFailed(DateNotWritable, 0);
  return 0;
}
