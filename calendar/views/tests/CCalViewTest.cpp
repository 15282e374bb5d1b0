#include <calendar/views/CCalView.h>

#include <calendar/frame/LocaleText.h>
#include <calendar/resource.h>
#include <calendar/tests/DialogSteps.h>
#include <calendar/tests/DorvixAppFixture.h>
#include <calendar/views/CGridView.h>
#include <calendar/views/Hints.h>
#include <gridctrl/GridBody.h>
#include <tests/support/RealInput.h>
#include <tests/support/SentInput.h>

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

// The calendar as the user sees it while stepping months and making changes through the dialogs.
class CCalViewByUser : public CCalViewTest {
protected:
  static POINT centre(const CRect& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  void clickCell(CMonthGrid& grid, int col, int row) {
    CRect rect;
    grid.GetCellRect(col, row, &rect);
    testsupport::realinput::click(grid.GetBody()->m_hWnd, centre(rect));
  }
  void clickDayOf(CMonthGrid& grid, int day) {
    int col, row;
    grid.CellOfDay(day, col, row);
    clickCell(grid, col, row);
  }
  void clickListRow(int row) {
    CRect rect;
    list->Grid().GetCellRect(0, row, &rect);
    testsupport::realinput::click(list->Grid().GetBody()->m_hWnd, centre(rect));
  }
  void pressBarButton(int id) { pressButton(frame->m_wndDlgBar.m_hWnd, id); }
  // Add on the bar: the event dialog, a name typed and 20 December chosen in its month, then OK.
  void addPartyOnThe20th() {
    actByUser(answerer, "Event Edit", [this](HWND dialog) {
      testsupport::realinput::click(GetDlgItem(dialog, IDC_EV_NAME), {5, 5});
      testsupport::realinput::typeText("Party");
      auto* grid = dynamic_cast<CMonthGrid*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_EV_MONTHGRID)));
      ASSERT_NE(grid, nullptr);
      clickDayOf(*grid, 20);
      pressButton(dialog, IDOK);
    });
    pressBarButton(IDC_ADD);
  }
  // The days of the shown month whose cell has the entry colour, and the days framed as marked.
  std::vector<int> highlightedDays() {
    std::vector<int> days;
    for (int day = 1; day <= CDate::DaysInMonth(month().Month(), month().Year()); ++day)
      if (dayCell(day).m_crBk == CCalView::kEntryColour)
        days.push_back(day);
    return days;
  }
  std::vector<int> boxedDays() {
    std::vector<int> days;
    for (int day = 1; day <= CDate::DaysInMonth(month().Month(), month().Year()); ++day)
      if (dayCell(day).m_nFrameStyle == kFrameBox)
        days.push_back(day);
    return days;
  }
  // Every week-row cell of the month that holds no day and yet carries a mark.
  int markedEmptyCells() {
    int found = 0;
    for (int row = 2; row < month().GetMonthRowCount(); ++row)
      for (int col = 0; col < 7; ++col) {
        CGridCell cell;
        month().GetCell(col, row, &cell);
        bool isDay = std::string(static_cast<const char*>(cell.m_strText)).size() > 0;
        if (!isDay && (cell.m_nFrameStyle == kFrameBox || cell.m_crBk == CCalView::kEntryColour))
          ++found;
      }
    return found;
  }
};

TEST_F(CCalViewByUser, EveryMonthShownCarriesTheMarksOfItsOwnDays) {
  AppSettings().showState = 1;
  startWith({{"Dentist", 3}, {"Party", 5}, {"January", 40}});
  clickListRow(1); // Party, on 15 December
  ASSERT_EQ(boxedDays(), std::vector<int>{15});

  clickCell(month(), 5, 0); // a month on
  ASSERT_EQ(month().Month(), 1);
  EXPECT_EQ(boxedDays(), std::vector<int>{}) << "the cell of 15 December holds another day now";
  EXPECT_EQ(highlightedDays(), std::vector<int>{19});
  EXPECT_EQ(markedEmptyCells(), 0);

  clickCell(month(), 1, 0); // and back
  ASSERT_EQ(month().Month(), 12);
  EXPECT_EQ(highlightedDays(), (std::vector<int>{13, 15}));
  EXPECT_EQ(boxedDays(), std::vector<int>{15});
  EXPECT_EQ(markedEmptyCells(), 0);
}

TEST_F(CCalViewByUser, ChoosingTheSameDayAgainSelectsItsRowsAgain) {
  startWith({{"Dentist", 3}, {"Party", 5}});
  clickDayOf(month(), 13);
  ASSERT_EQ(list->Grid().GetCurRow(), 0);
  clickListRow(1); // Party: the calendar marks the 15th, its current cell stays on the 13th
  ASSERT_EQ(list->Grid().GetCurRow(), 1);
  clickDayOf(month(), 13);
  EXPECT_EQ(list->Grid().GetCurRow(), 0);
  EXPECT_EQ(boxedDays(), std::vector<int>{13});
}

TEST_F(CCalViewByUser, TheCalendarFollowsAnAddModifyAndDeleteMadeThroughTheDialogs) {
  startWith({});
  AppSettings().warnTime = 0;
  addPartyOnThe20th();
  ASSERT_EQ(doc->GetEventCount(), 1);
  EXPECT_EQ(highlightedDays(), std::vector<int>{20});
  EXPECT_EQ(boxedDays(), std::vector<int>{20});

  // Modify: moved to the 22nd.
  actByUser(answerer, "Event Edit", [this](HWND dialog) {
    auto* grid = dynamic_cast<CMonthGrid*>(CWnd::FromHandlePermanent(GetDlgItem(dialog, IDC_EV_MONTHGRID)));
    ASSERT_NE(grid, nullptr);
    clickDayOf(*grid, 22);
    pressButton(dialog, IDOK);
  });
  pressBarButton(IDC_MODIFY);
  EXPECT_EQ(highlightedDays(), std::vector<int>{22});
  EXPECT_EQ(boxedDays(), std::vector<int>{22});

  // Delete: the last listed entry goes, and its day with it.
  answerer.answer("Delete Current Event?", IDYES);
  pressBarButton(IDC_DELETE);
  EXPECT_EQ(doc->GetEventCount(), 0);
  EXPECT_EQ(highlightedDays(), std::vector<int>{});
  EXPECT_EQ(boxedDays(), std::vector<int>{});
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CCalViewByUser, AnEventTheFileRefusesIsNeitherListedNorMarked) {
  startWith({});
  const std::string damaged = "not an event file at all, damaged";
  ASSERT_TRUE(testsupport::writeFile(file("events20.dat"), damaged));
  answerer.answer("The file has been kept as it is.", IDOK);
  addPartyOnThe20th();
  EXPECT_EQ(doc->GetEventCount(), 0);
  EXPECT_EQ(list->Grid().GetRowCount(), 0);
  EXPECT_EQ(highlightedDays(), std::vector<int>{});
  EXPECT_EQ(testsupport::readFile(file("events20.dat")), damaged);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
