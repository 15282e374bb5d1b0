// Writes the shipped "holidays.dat" from the authored table: make_holidays <path>.
#include <calendar/data/CHolidayTable.h>
#include <calendar/data/FileBytes.h>
#include <calendar/data/ShippedHolidays.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_holidays <path of holidays.dat>\n");
    return 2;
  }
  if (!filebytes::Replace(argv[1], CHolidayTable::PackHolidays(ShippedHolidays()))) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
