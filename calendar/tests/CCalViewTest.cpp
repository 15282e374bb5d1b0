#include "CCalView.h"

#include "CGridView.h"
#include "DorvixAppFixture.h"
#include "GridBody.h"
#include "Hints.h"
#include "LocaleText.h"
#include "SentInput.h"

namespace {

class CCalViewTest : public DorvixAppFixture {
protected:
  void startWith(const std::vector<std::pair<std::string, int>>& events) {
    ASSERT_TRUE(start());
    for (const auto& [name, days] : events)
      addEvent(name, days);
    list = dynamic_cast<CGridView*>(frame->m_wndSplitter.GetPane(0, 0));
    cal = dynamic_cast<CCalView*>(frame->m_wndSplitter.GetPane(1, 0));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(cal, nullptr);
  }
  CCalMonthGrid& month() { return cal->Grid(); }
  CGridCell dayCell(int day) {
    int col, row;
    month().CellOfDay(day, col, row);
    CGridCell cell;
    month().GetCell(col, row, &cell);
    return cell;
  }
  void clickDay(int day) {
    int col, row;
    month().CellOfDay(day, col, row);
    CRect rect;
    month().GetCellRect(col, row, &rect);
    testsupport::click(month().GetBody()->m_hWnd, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    testsupport::pumpMessages();
  }

  CGridView* list = nullptr;
  CCalView* cal = nullptr;
};

TEST_F(CCalViewTest, ShowsTodaysMonthWithTheDaysOfEntriesHighlighted) {
  startWith({{"Dentist", 3}, {"Party", 5}, {"Next month", 25}});
  ASSERT_EQ(month().Month(), 12);
  EXPECT_EQ(month().Year(), 2026);
  EXPECT_EQ(dayCell(13).m_crBk, CCalView::kEntryColour);
  EXPECT_EQ(dayCell(15).m_crBk, CCalView::kEntryColour);
  EXPECT_EQ(dayCell(14).m_crBk, RGB(255, 255, 255));
  EXPECT_EQ(static_cast<const char*>(dayCell(10).m_strText), std::string("10 Today"));
}

TEST_F(CCalViewTest, TheListsCurrentEntryIsMarkedAndAChosenDaySelectsItsRows) {
  startWith({{"Dentist", 3}, {"Party", 5}, {"Lunch", 5}});
  list->Grid().SetCurRow(2); // Party, on the 15th
  EXPECT_EQ(month().MarkedDay(), 15);
  EXPECT_EQ(dayCell(15).m_nFrameStyle, kFrameBox);

  clickDay(13);
  EXPECT_EQ(list->Grid().GetCurRow(), 0);
  EXPECT_TRUE(list->Grid().GetSelection().IsSelected(0, 0));
  EXPECT_FALSE(list->Grid().GetSelection().IsSelected(0, 1));
  EXPECT_EQ(month().MarkedDay(), 13);
  EXPECT_NE(dayCell(15).m_nFrameStyle, kFrameBox);

  doc->UpdateAllViews(nullptr, kHintNoDate);
  EXPECT_EQ(month().MarkedDay(), -1);
  EXPECT_NE(dayCell(13).m_nFrameStyle, kFrameBox);
}

TEST_F(CCalViewTest, TodayIsShownAgainAndTheWeekStartRebuildsTheWeekdayRow) {
  startWith({});
  month().SetMonth(3, 2027);
  doc->UpdateAllViews(nullptr, kHintShowToday);
  EXPECT_EQ(month().Month(), 12);
  AppSettings().calendarStartDay = 1;
  doc->UpdateAllViews(nullptr, kHintWeekStart);
  CGridCell first;
  month().GetCell(0, 1, &first);
  EXPECT_EQ(static_cast<const char*>(first.m_strText), localetext::Date(CDate(2, 6, 1997), "ddd"));
  EXPECT_EQ(static_cast<const char*>(dayCell(1).m_strText), std::string("1"));
  int col, row;
  month().CellOfDay(1, col, row);
  EXPECT_EQ(col, 1); // 1 December 2026 is a Tuesday
}

} // namespace
