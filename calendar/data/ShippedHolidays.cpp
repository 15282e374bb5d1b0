#include <calendar/data/ShippedHolidays.h>

namespace {

struct Row {
  const char* name;
  int notifyDays;
  int kind;
  int a, b, c;
  const char* code;
  const char* description;
};

constexpr int F = CHoliday::FixedDate;
constexpr int W = CHoliday::WeekdayOfMonth;
constexpr int M = CHoliday::MovableFeast;
constexpr int kLast = CHoliday::kLastWeek;
// Weekdays as the rules count them.
constexpr int Mon = 1, Thu = 4, Sun = 7;

const Row kRows[] = {
    {"New Year's Day", 14, F, 1, 1, 0, "", "January 1"},
    {"Martin Luther King Day", 7, W, 1, Mon, 3, "", "3rd Monday in January"},
    {"Groundhog Day", 3, F, 2, 2, 0, "", "February 2"},
    {"Valentine's Day", 14, F, 2, 14, 0, "", "February 14"},
    {"Presidents' Day", 7, W, 2, Mon, 3, "", "3rd Monday in February"},
    {"St. Patrick's Day", 7, F, 3, 17, 0, "", "March 17"},
    {"April Fools' Day", 3, F, 4, 1, 0, "", "April 1"},
    {"Earth Day", 3, F, 4, 22, 0, "", "April 22"},
    {"Mother's Day", 14, W, 5, Sun, 2, "", "2nd Sunday in May"},
    {"Memorial Day", 7, W, 5, Mon, kLast, "", "Last Monday in May"},
    {"Flag Day", 3, F, 6, 14, 0, "", "June 14"},
    {"Father's Day", 14, W, 6, Sun, 3, "", "3rd Sunday in June"},
    {"Canada Day", 7, F, 7, 1, 0, "", "July 1"},
    {"Independence Day", 7, F, 7, 4, 0, "", "July 4"},
    {"Labor Day", 7, W, 9, Mon, 1, "", "1st Monday in September"},
    {"Columbus Day", 7, W, 10, Mon, 2, "", "2nd Monday in October"},
    {"Thanksgiving (Canada)", 7, W, 10, Mon, 2, "", "2nd Monday in October"},
    {"Halloween", 7, F, 10, 31, 0, "", "October 31"},
    {"Veterans Day", 7, F, 11, 11, 0, "", "November 11"},
    {"Thanksgiving", 14, W, 11, Thu, 4, "", "4th Thursday in November"},
    {"Christmas Eve", 14, F, 12, 24, 0, "", "December 24"},
    {"Christmas Day", 30, F, 12, 25, 0, "", "December 25"},
    {"Boxing Day", 7, F, 12, 26, 0, "", "December 26"},
    {"New Year's Eve", 7, F, 12, 31, 0, "", "December 31"},
    {"Mardi Gras", 7, M, 0, 0, 0, "mardigra", "Day before Ash Wednesday"},
    {"Ash Wednesday", 7, M, 0, 0, 0, "ashwed  ", "46 days before Easter"},
    {"Palm Sunday", 7, M, 0, 0, 0, "palmsun ", "Sunday before Easter"},
    {"Good Friday", 7, M, 0, 0, 0, "goodfri ", "Friday before Easter"},
    {"Easter", 14, M, 0, 0, 0, "easter  ", "1st Sun. after 1st full moon on/after Mar. 21"},
    {"Easter Monday", 7, M, 0, 0, 0, "eastmon ", "Monday after Easter"},
    {"Ascension Day", 7, M, 0, 0, 0, "ascensio", "39 days after Easter"},
    {"Victoria Day", 7, M, 0, 0, 0, "victoria", "Monday before May 25"},
    {"Election Day", 7, M, 0, 0, 0, "election", "Tuesday after the 1st Monday in November"},
};

} // namespace

std::vector<CHoliday> ShippedHolidays() {
  std::vector<CHoliday> list;
  for (const Row& row : kRows) {
    CHoliday holiday;
    holiday.name = row.name;
    holiday.enabled = 1;
    holiday.notifyDays = row.notifyDays;
    holiday.ruleKind = row.kind;
    holiday.ruleA = row.a;
    holiday.ruleB = row.b;
    holiday.ruleC = row.c;
    holiday.feastCode = row.code;
    holiday.description = row.description;
    holiday.index = static_cast<int>(list.size());
    list.push_back(holiday);
  }
  return list;
}
