#include "CEventDlg.h"

#include "CEventItem.h"
#include "CalendarFixture.h"
#include "GridBody.h"
#include "SentInput.h"
#include "resource.h"

#include <clock/Clock.h>

#include <functional>

namespace {

class CEventDlgTest : public CalendarFixture {
protected:
  CEventDlgTest() { AppSettings().timeFormat = 1; }

  // Runs the dialog on the event with `steps` done on it, then the button `end` (0: none, the steps
  // end it).
  INT_PTR run(CEventItem& event, std::function<void(HWND)> steps, int end = IDOK) {
    answerer.act("Event Edit", [steps, end](HWND dialog) {
      steps(dialog);
      if (end)
        PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(end), 0);
    });
    CEventDlg dialog(event);
    return dialog.DoModal();
  }
  // Answers the message box and then cancels the dialog it stands over.
  void answerThenCancel(const std::string& message) {
    answerer.act(message, [](HWND box) {
      HWND dialog = GetWindow(box, GW_OWNER);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
  }
  static void set(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }
  static void click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static bool visible(HWND dialog, int id) {
    return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
  }

  platform::ClockOverride clock{2026, 12, 10, 9, 0};
};

TEST_F(CEventDlgTest, ShowsTheControlsOfEachKind) {
  struct {
    const char* name;
    int kindRadio;
    std::vector<int> shown;
    std::vector<int> hidden;
  } const cases[] = {
      {"one time",
       IDC_EV_ONETIME,
       {IDC_EV_MONTHGRID, IDC_EV_DATE},
       {IDC_EV_WEEKS, IDC_EV_DAY, IDC_EV_MON, 1061}},
      {"weekly",
       IDC_EV_WEEKLY,
       {IDC_EV_MONTHGRID, IDC_EV_WEEKLYLABEL, IDC_EV_WEEKS},
       {IDC_EV_DAY, IDC_EV_YEAR}},
      {"monthly",
       IDC_EV_MONTHLY,
       {IDC_EV_DAY, 1061, 1072, IDC_EV_ALLMONTHS},
       {IDC_EV_MONTHGRID, IDC_EV_MONTH}},
      {"yearly",
       IDC_EV_YEARLY,
       {IDC_EV_DAY, IDC_EV_MONTH, IDC_EV_YEAR, IDC_EV_AGELABEL},
       {1061, IDC_EV_MONTHGRID}},
      {"custom",
       IDC_EV_CUSTOM,
       {IDC_EV_SUN, IDC_EV_LASTWEEK, 1072, IDC_EV_PATTERNYEAR, IDC_EV_ALLYEARS},
       {IDC_EV_DAY, IDC_EV_MONTHGRID}},
  };
  for (const auto& c : cases) {
    CEventItem event;
    std::vector<int> wrong;
    run(
        event,
        [&](HWND d) {
          click(d, c.kindRadio);
          for (int id : c.shown)
            if (!visible(d, id))
              wrong.push_back(id);
          for (int id : c.hidden)
            if (visible(d, id))
              wrong.push_back(-id);
        },
        IDCANCEL);
    EXPECT_TRUE(wrong.empty()) << c.name << ": first wrong control " << wrong.front();
  }
}

TEST_F(CEventDlgTest, OkWritesTheEventAndCancelLeavesIt) {
  CEventItem event;
  event.name = "Old";
  EXPECT_EQ(run(
                event, [](HWND d) { set(d, IDC_EV_NAME, "New"); }, IDCANCEL),
            IDCANCEL);
  EXPECT_EQ(event.name, "Old");

  std::string dateShown;
  bool leadEnabled = false;
  EXPECT_EQ(run(event,
                [&](HWND d) {
                  set(d, IDC_EV_NAME, "Dentist");
                  set(d, IDC_EV_HOUR, "14");
                  set(d, IDC_EV_MINUTE, "05");
                  click(d, IDC_EV_ALARM);
                  leadEnabled = IsWindowEnabled(GetDlgItem(d, IDC_EV_LEAD));
                  // 24 December 2026 in the month grid
                  HWND grid = GetDlgItem(d, IDC_EV_MONTHGRID);
                  auto* month = dynamic_cast<CMonthGrid*>(CWnd::FromHandlePermanent(grid));
                  int col, row;
                  month->CellOfDay(24, col, row);
                  CRect rect;
                  month->GetCellRect(col, row, &rect);
                  testsupport::click(month->GetBody()->m_hWnd, (rect.left + rect.right) / 2,
                                     (rect.top + rect.bottom) / 2);
                  char text[64] = "";
                  GetDlgItemTextA(d, IDC_EV_DATE, text, sizeof text);
                  dateShown = text;
                }),
            IDOK);
  EXPECT_TRUE(leadEnabled);
  EXPECT_EQ(event.name, "Dentist");
  EXPECT_EQ(event.eventTime, 14 * 60 + 5);
  EXPECT_EQ(event.alarmEnabled, 1);
  EXPECT_EQ((std::vector<int>{event.day, event.month, event.year}), (std::vector<int>{24, 12, 2026}));
  EXPECT_FALSE(dateShown.empty());
}

TEST_F(CEventDlgTest, RefusesBadTimesAndDates) {
  CEventItem event;
  event.name = "Kept";
  answerThenCancel("Invalid Time Specified");
  EXPECT_EQ(run(event, [](HWND d) { set(d, IDC_EV_HOUR, "25"), set(d, IDC_EV_MINUTE, "00"); }), IDCANCEL);

  answerThenCancel("Valid Time Must be Entered When Alarm is Enabled");
  EXPECT_EQ(run(event, [](HWND d) { click(d, IDC_EV_ALARM); }), IDCANCEL);

  answerThenCancel("Invalid Date Specified");
  EXPECT_EQ(run(event,
                [](HWND d) {
                  click(d, IDC_EV_CUSTOM);
                  click(d, IDC_EV_ALLDAYS); // all days ...
                  click(d, IDC_EV_ALLDAYS); // ... and none again
                }),
            IDCANCEL);

  answerThenCancel("Invalid Date Specified");
  EXPECT_EQ(run(event, [](HWND d) { click(d, IDC_EV_YEARLY), set(d, IDC_EV_YEAR, "9999"); }), IDCANCEL);
  EXPECT_EQ(event.name, "Kept");
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CEventDlgTest, ANightTimeAsksFirst) {
  CEventItem event;
  answerer.answer("Is this correct?", IDYES);
  EXPECT_EQ(run(event, [](HWND d) { set(d, IDC_EV_HOUR, "23"), set(d, IDC_EV_MINUTE, "00"); }), IDOK);
  EXPECT_EQ(event.eventTime, 23 * 60);

  answerer.act("Is this correct?", [](HWND warning) {
    HWND dialog = GetWindow(warning, GW_OWNER);
    PostMessageA(warning, WM_COMMAND, IDNO, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(run(event, [](HWND d) { set(d, IDC_EV_HOUR, "4"), set(d, IDC_EV_MINUTE, "59"); }), IDCANCEL);
  EXPECT_EQ(event.eventTime, 23 * 60);

  EXPECT_EQ(run(event, [](HWND d) { set(d, IDC_EV_HOUR, "5"), set(d, IDC_EV_MINUTE, "01"); }), IDOK);
  EXPECT_EQ(event.eventTime, 5 * 60 + 1);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
