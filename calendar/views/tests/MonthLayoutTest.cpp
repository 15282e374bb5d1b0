#include <calendar/views/MonthLayout.h>

#include <calendar/data/CDate.h>

#include <gtest/gtest.h>

#include <vector>

using namespace monthlayout;

TEST(MonthLayoutTest, RowsForEveryStartColumnAndMonthLength) {
  // The title and weekday rows, then one row per calendar week the month touches (counted by hand).
  const struct {
    int days;
    std::vector<int> rowsFromColumn; // for day 1 in columns 0 .. 6
  } cases[] = {
      {28, {6, 7, 7, 7, 7, 7, 7}}, // from column 0 four whole weeks
      {29, {7, 7, 7, 7, 7, 7, 7}},
      {30, {7, 7, 7, 7, 7, 7, 8}},
      {31, {7, 7, 7, 7, 7, 8, 8}},
  };
  for (const auto& c : cases) {
    std::vector<int> rows;
    for (int first = 0; first < 7; ++first)
      rows.push_back(RowCount(c.days, first));
    EXPECT_EQ(rows, c.rowsFromColumn) << c.days << " days";
  }
  EXPECT_EQ(FirstColumn(2, 2015, 0), 0); // February 2015 starts on a Sunday
  EXPECT_EQ(FirstColumn(2, 2015, 1), 6);
}

TEST(MonthLayoutTest, DaysAndCellsRoundTrip) {
  for (int days = 28; days <= 31; ++days)
    for (int first = 0; first < 7; ++first) {
      int found = 0;
      for (int row = 0; row < RowCount(days, first); ++row)
        for (int col = 0; col < 7; ++col) {
          int day = DayOfCell(col, row, first, days);
          if (day == 0)
            continue;
          ++found;
          int c, r;
          CellOfDay(day, first, c, r);
          EXPECT_EQ(c, col);
          EXPECT_EQ(r, row);
        }
      EXPECT_EQ(found, days) << days << " days from column " << first;
    }
  EXPECT_EQ(DayOfCell(3, 1, 0, 31), 0); // weekday row
  EXPECT_EQ(DayOfCell(7, 2, 0, 31), 0);
}

TEST(MonthLayoutTest, WeekdayColumns) {
  struct {
    int weekday, startDay, col;
  } const cases[] = {{7, 0, 0}, {1, 0, 1}, {6, 0, 6}, {1, 1, 0}, {7, 1, 6}, {3, 1, 2}};
  for (const auto& c : cases)
    EXPECT_EQ(ColumnOfWeekday(c.weekday, c.startDay), c.col) << c.weekday << "/" << c.startDay;
}

TEST(MonthLayoutTest, NavigationStaysWithin1753And3000) {
  struct {
    const char* name;
    int column, month, year, toMonth, toYear;
  } const cases[] = {
      {"month back", 1, 5, 2026, 4, 2026},
      {"month back over the year", 1, 1, 2026, 12, 2025},
      {"month back at the start", 1, 1, 1753, 1, 1753},
      {"month on", 5, 5, 2026, 6, 2026},
      {"month on over the year", 5, 12, 2026, 1, 2027},
      {"month on at the end", 5, 12, 3000, 12, 3000},
      {"year back", 0, 3, 2026, 3, 2025},
      {"year back at the start", 0, 3, 1753, 3, 1753},
      {"year on", 6, 3, 2026, 3, 2027},
      {"year on at the end", 6, 3, 3000, 3, 3000},
      {"the title", 3, 3, 2026, 3, 2026},
  };
  for (const auto& c : cases) {
    int month = c.month, year = c.year;
    Step(c.column, month, year);
    EXPECT_EQ(month, c.toMonth) << c.name;
    EXPECT_EQ(year, c.toYear) << c.name;
  }
}

TEST(MonthLayoutTest, RowHeightsShareTheRestAndNeverGoNegative) {
  struct {
    const char* name;
    int height, rows;
    std::vector<int> heights;
  } const cases[] = {
      {"no month yet", 300, 2, {20, 20}},
      {"six rows", 143, 6, {20, 20, 25, 25, 25, 28}},
      {"a tiny pane", 10, 7, {20, 20, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RowHeights(c.height, c.rows), c.heights) << c.name;
  EXPECT_EQ(ColumnWidths(150), (std::vector<int>{21, 21, 21, 21, 21, 21, 24}));
}
