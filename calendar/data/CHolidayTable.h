#pragma once

#include <calendar/data/CHoliday.h>

#include <string>
#include <vector>

// The holidays of "holidays.dat" (a plain sequence of 133-byte records), held for the life of the
// document. Every record of the file is kept, so that a rewrite loses none.
class CHolidayTable {
public:
  static constexpr size_t kRecordSize = 133;
  static constexpr char kFileName[] = "holidays.dat";
  static constexpr char kEasterDescription[] = "1st Sun. after 1st full moon on/after Mar. 21";

  // Reads the file.
  CHolidayTable();

  // A missing file gives an empty table, with no message. Returns the number of holidays.
  int LoadHolidays();
  // Rewrites the file with every holiday in table order; 0, after telling the user, when it failed or
  // the table could not be read in the first place (the file is then kept as it is).
  int SaveHolidays();
  // Works out every holiday's next date against today and returns how many are listed: enabled ones
  // whose date is within their notification days, or every enabled one with showAll.
  int CountListedHolidays(int showAll);

  int GetCount() const { return static_cast<int>(holidays.size()); }
  CHoliday& GetAt(int index) { return holidays[index]; }

  static std::string PackHolidayRecord(const CHoliday& holiday);
  static CHoliday UnpackHolidayRecord(const char* record, int index);
  static std::string PackHolidays(const std::vector<CHoliday>& holidays);

  std::vector<CHoliday> holidays;

private:
  bool m_readFailed = false;
};
