#include <calendar2/MonthCalendars.h>

#include <formsrt/DateTime.h>

#include <gtest/gtest.h>

#include <string>

using namespace plovera;

namespace {

struct CalendarCase {
  int year, month, day;
  const char* thisCaption;
  const char* nextCaption;
  int firstCol;     // column of the 1st in both row 1 and the next month's row 1
  int lastDay;      // days of the current month
  int nextFirstCol; // column of the next month's 1st
  int nextLastDay;
  int todayRow, todayCol;
};

// Where a day number stands in a calendar grid, or (-1, -1).
std::pair<int, int> find(const formsrt::FlexGridModel& grid, int day) {
  for (int row = 1; row < grid.Rows(); ++row)
    for (int col = 0; col < grid.Cols(); ++col)
      if (grid.TextMatrix(row, col) == std::to_string(day))
        return {row, col};
  return {-1, -1};
}

int dayCells(const formsrt::FlexGridModel& grid) {
  int count = 0;
  for (int row = 1; row < grid.Rows(); ++row)
    for (int col = 0; col < grid.Cols(); ++col)
      count += !grid.TextMatrix(row, col).empty();
  return count;
}

// Leap February, a month starting on Sunday, and a December that runs into the next year after 2030,
// where a two-digit year would read the wrong century.
const CalendarCase kCases[] = {
    {2028, 2, 29, "February 2028", "March 2028", 2, 29, 3, 31, 5, 2},
    {2026, 3, 10, "March 2026", "April 2026", 0, 31, 3, 30, 2, 2},
    {2030, 12, 31, "December 2030", "January 2031", 0, 31, 3, 31, 5, 2},
};

TEST(MonthCalendarsTest, DaysStandUnderTheirWeekdaysWithTodaySelected) {
  for (const CalendarCase& c : kCases) {
    SCOPED_TRACE(c.thisCaption);
    formsrt::FlexGridModel current(2, 2, 1, 0), next(2, 2, 1, 0);
    auto [thisCaption, nextCaption] =
        FillMonthCalendars(current, next, formsrt::DateSerial(c.year, c.month, c.day));
    EXPECT_EQ(thisCaption, c.thisCaption);
    EXPECT_EQ(nextCaption, c.nextCaption);
    ASSERT_EQ(current.Rows(), 7);
    ASSERT_EQ(current.Cols(), 7);
    EXPECT_EQ(current.TextMatrix(0, 0), "Sun");
    EXPECT_EQ(next.TextMatrix(0, 6), "Sat");
    EXPECT_EQ(find(current, 1), std::make_pair(1, c.firstCol));
    EXPECT_EQ(dayCells(current), c.lastDay);
    EXPECT_EQ(find(next, 1), std::make_pair(1, c.nextFirstCol));
    EXPECT_EQ(dayCells(next), c.nextLastDay);
    // Each day follows the one before it, wrapping after Saturday.
    for (int day = 2; day <= c.lastDay; ++day) {
      auto [row, col] = find(current, day - 1);
      EXPECT_EQ(find(current, day), col == 6 ? std::make_pair(row + 1, 0) : std::make_pair(row, col + 1));
    }
    EXPECT_EQ(std::make_pair(current.Row(), current.Col()), std::make_pair(c.todayRow, c.todayCol));
    EXPECT_EQ(current.TextMatrix(current.Row(), current.Col()), std::to_string(c.day));
    EXPECT_EQ(std::make_pair(current.RowSel(), current.ColSel()), std::make_pair(c.todayRow, c.todayCol));
    EXPECT_EQ(current.RowHeight(3), 210);
    EXPECT_EQ(current.ColWidth(5), 370);
    EXPECT_EQ(current.alignmentOf(0, 1), 4);
    EXPECT_EQ(next.alignmentOf(2, 1), 4);
  }
}

} // namespace
