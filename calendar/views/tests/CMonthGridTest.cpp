#include <calendar/views/CMonthGrid.h>

#include "GridBody.h"
#include "MessagePump.h"
#include "SentInput.h"
#include <calendar/data/CAppSettings.h>
#include <calendar/frame/LocaleText.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// A parent window that counts the days the grid reports.
class DayCounter : public CWnd {
public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == CMonthGrid::kDayMessage)
      ++days;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  int days = 0;
};

class CMonthGridTest : public ::testing::Test {
protected:
  CMonthGridTest() {
    AppSettings() = CAppSettings();
    parent.CreateEx(0, nullptr, "month", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0);
    grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 280, 180), &parent, 123);
  }
  ~CMonthGridTest() override {
    grid.DestroyWindow();
    parent.DestroyWindow();
    AppSettings() = CAppSettings();
  }
  std::string text(int col, int row) {
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    return static_cast<const char*>(cell.m_strText);
  }
  void clickCell(int col, int row) {
    CRect rect;
    grid.GetCellRect(col, row, &rect);
    testsupport::click(grid.GetBody()->m_hWnd, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    testsupport::pumpMessages();
  }

  platform::ClockOverride clock{2015, 2, 11, 9, 0};
  DayCounter parent;
  CMonthGrid grid;
};

TEST_F(CMonthGridTest, ShowsAMonthWithTitleWeekdaysAndToday) {
  EXPECT_FALSE(grid.HasMonth());
  EXPECT_EQ(grid.GetRowCount(), 2);
  grid.SetMonth(2, 2015);
  EXPECT_EQ(grid.GetRowCount(), 6);
  EXPECT_EQ(text(2, 0), localetext::MonthName(2) + ", 2015");
  EXPECT_EQ(text(0, 1), localetext::Date(CDate(1, 6, 1997), "ddd")); // a Sunday
  EXPECT_EQ(text(0, 2), "1");
  EXPECT_EQ(text(3, 3), "11 Today");
  EXPECT_EQ(text(6, 5), "28");
  // The title and weekday rows take 20 pixels; the four weeks share the rest of the pane, the last
  // taking what is left over.
  CRect client = grid.GetClientRect();
  std::vector<int> heights;
  int total = 0;
  for (int row = 0; row < grid.GetRowCount(); ++row) {
    int height = 0;
    grid.GetRowHeight(row, &height);
    heights.push_back(height);
    total += height;
  }
  EXPECT_EQ(total, client.Height());
  EXPECT_EQ((std::vector<int>{heights[0], heights[1]}), (std::vector<int>{20, 20}));
  EXPECT_EQ(heights[2], heights[4]);
  EXPECT_GE(heights[5], heights[2]);
  EXPECT_LT(heights[5] - heights[2], 4);
}

TEST_F(CMonthGridTest, ClicksChooseDaysAndNavigationStepsTheMonth) {
  grid.SetMonth(1, 1753);
  clickCell(3, 1); // a weekday name: no day
  EXPECT_EQ(parent.days, 0);
  clickCell(3, 3); // 1 January 1753 was a Monday
  EXPECT_EQ(grid.GetCurrentDay(), 10);
  EXPECT_GE(parent.days, 1);
  int before = parent.days;
  clickCell(1, 0); // a month back from January 1753 stays
  EXPECT_EQ(grid.Month(), 1);
  EXPECT_EQ(grid.Year(), 1753);
  EXPECT_EQ(parent.days, before);
  clickCell(6, 0);
  EXPECT_EQ(grid.Year(), 1754);
  EXPECT_GT(parent.days, before); // the current cell still holds a day
  EXPECT_EQ(grid.GetCurrentDay(), 9);
  CGridCell button;
  grid.GetCell(6, 0, &button);
  EXPECT_EQ(button.m_nFrameStyle, kFrameRaised); // drawn raised again after the click
}

TEST_F(CMonthGridTest, MondayFirstAndATinyPane) {
  AppSettings().calendarStartDay = 1;
  grid.Refill();
  grid.SetMonth(2, 2015);
  EXPECT_EQ(text(0, 1), localetext::Date(CDate(2, 6, 1997), "ddd")); // a Monday
  EXPECT_EQ(grid.GetRowCount(), 7);                                  // 1 February 2015 in column 6
  EXPECT_EQ(text(6, 2), "1");
  grid.MoveWindow(0, 0, 5, 10);
  // Too small for the weeks: they get no height, never a negative one.
  std::vector<int> heights;
  for (int row = 0; row < grid.GetRowCount(); ++row) {
    int height = -1;
    grid.GetRowHeight(row, &height);
    heights.push_back(height);
  }
  EXPECT_EQ(heights, (std::vector<int>{20, 20, 0, 0, 0, 0, 0}));
}

} // namespace
