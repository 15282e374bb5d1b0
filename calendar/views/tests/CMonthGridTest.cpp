#include <calendar/views/CMonthGrid.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/frame/LocaleText.h>
#include <gridctrl/GridBody.h>
#include <tests/support/MessagePump.h>
#include <tests/support/SentInput.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

#include <set>
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

// Today's cell as it is drawn, across widths of the grid: "11 Today" on one line or broken after the
// number, never smaller than 8 pixels, or the day alone in today's colour; each whole in its cell.
TEST_F(CMonthGridTest, TodayIsReadableOnOneLineOnTwoOrAsTheDayAlone) {
  grid.SetMonth(2, 2015);
  int col, row;
  grid.CellOfDay(11, col, row);
  std::set<std::string> outcomes;
  HDC screen = GetDC(nullptr);
  for (int width = 700; width >= 35; width -= 7) {
    SCOPED_TRACE(width);
    grid.MoveWindow(0, 0, width, 180);
    CGridCell cell;
    grid.GetMergedCell(col, row, &cell);
    CRect rect;
    grid.GetCellRect(col, row, &rect);
    std::string shown = static_cast<const char*>(cell.m_strText);
    EXPECT_EQ(cell.m_crText, CMonthGrid::kTodayColour);
    LOGFONTA look{};
    ASSERT_TRUE(GetObjectA(cell.m_hFont, sizeof look, &look));
    HGDIOBJ old = SelectObject(screen, cell.m_hFont);
    RECT needed{0, 0, rect.Width() - 6, 0};
    const bool broken = cell.m_nTypeFlags >= 0 && (cell.m_nTypeFlags & 2);
    if (broken)
      DrawTextA(screen, shown.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    else
      DrawTextA(screen, shown.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, old);
    if (shown == "11") {
      outcomes.insert("the day alone");
      continue;
    }
    ASSERT_EQ(shown, "11 Today");
    EXPECT_GE(look.lfHeight, CMonthGrid::kReadableHeight);
    if (broken) {
      outcomes.insert("two lines");
      EXPECT_EQ(needed.bottom, 2 * metrics.tmHeight) << "broken anywhere but after the number";
      EXPECT_LE(needed.right, rect.Width() - 6);
      EXPECT_LE(needed.bottom, rect.Height() - 2);
    } else {
      outcomes.insert("one line");
      EXPECT_LE(needed.right, rect.Width());
      EXPECT_LE(needed.bottom, rect.Height());
    }
  }
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(outcomes, (std::set<std::string>{"one line", "two lines", "the day alone"}));
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
