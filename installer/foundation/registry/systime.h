#pragma once

#include <windows.h>

class portistream;
class portostream;

// The engine's date and time: the system's own record, so that it goes straight to the Windows calls.
// The default is year 0, January 1st, midnight, with no day of the week.
class systime : public SYSTEMTIME {
public:
  systime();

  void now();
  // -1, 0 or 1, by year, month, day, hour, minute, second and milliseconds.
  static int compare(const systime& a, const systime& b);

  // Six ints of the stream: year, month, day, hour, minute, second. All six or nothing changes.
  int read(portistream& stream);
  // Dates are never written by the engine: a failed check, and 0.
  int write(portostream& stream) const;
};
