#include <calendar/dialogs/CEventDlg.h>

#include <calendar/data/CEventFile.h>
#include <calendar/data/CEventItem.h>
#include <calendar/resource.h>
#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/DialogSteps.h>
#include <gridctrl/GridBody.h>
#include <gridctrl/GridCellFrame.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/SentInput.h>

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
  // The label shows the chosen date in the user's short date format.
  SYSTEMTIME chosen{};
  chosen.wYear = 2026;
  chosen.wMonth = 12;
  chosen.wDay = 24;
  char expected[64] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &chosen, nullptr, expected, sizeof expected);
  EXPECT_EQ(dateShown, expected);
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

// The pixels a text draws in its colour and font when nothing cuts it: each line drawn alone.
int pixelsOfWholeText(const std::string& text, bool broken, HFONT font, COLORREF colour) {
  std::vector<std::string> lines{text};
  if (broken && text.find(' ') != std::string::npos)
    lines = {text.substr(0, text.find(' ')), text.substr(text.find(' ') + 1)};
  int pixels = 0;
  for (const std::string& line : lines) {
    testsupport::MemoryDib alone(400, 100, colour == RGB(255, 255, 255) ? RGB(0, 0, 0) : RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(alone.dc(), font);
    SetTextColor(alone.dc(), colour);
    SetBkMode(alone.dc(), TRANSPARENT);
    ExtTextOutA(alone.dc(), 50, 30, 0, nullptr, line.c_str(), static_cast<UINT>(line.size()), nullptr);
    SelectObject(alone.dc(), old);
    pixels += alone.count(colour);
  }
  return pixels;
}

// What a month grid shows cut: each text whose pixels, as the grid paints its cell, are fewer than the
// text draws when nothing cuts it. What is drawn is counted, not what the font says it measures: a face
// with bitmap strikes draws wider than it measures.
std::vector<std::string> textsThatDoNotFit(CMonthGrid& grid) {
  std::vector<std::string> cut;
  HWND body = grid.GetBody()->m_hWnd;
  RECT client{};
  GetClientRect(body, &client);
  testsupport::MemoryDib painted(client.right, client.bottom);
  testsupport::paintClient(body, painted);
  for (int row = 0; row < grid.GetRowCount(); ++row)
    for (int col = 0; col < grid.GetColCount(); ++col) {
      int anchorCol, anchorRow, lastCol, lastRow;
      if (grid.GetJoinedBlock(col, row, &anchorCol, &anchorRow, &lastCol, &lastRow) &&
          (anchorCol != col || anchorRow != row))
        continue;
      CGridCell cell;
      grid.GetMergedCell(col, row, &cell);
      CGridCtrl::ApplyBuiltInDefaults(cell);
      std::string text = static_cast<const char*>(cell.m_strText);
      if (text.empty())
        continue;
      const bool current =
          col == grid.GetCurCol() && row == grid.GetCurRow() && (grid.Dims().curCellStyle & 2);
      const COLORREF colour = current ? cell.m_crSelText : cell.m_crText;
      const bool broken = cell.m_nTypeFlags >= 0 && (cell.m_nTypeFlags & 2);
      const int whole =
          pixelsOfWholeText(text, broken, cell.m_hFont ? cell.m_hFont : grid.GetGridFont(), colour);
      CRect rect;
      grid.GetCellRect(col, row, &rect);
      const int shown = painted.count(colour, rect);
      if (shown < whole)
        cut.push_back("\"" + text + "\" shows " + std::to_string(shown) + " of its " + std::to_string(whole) +
                      " pixels in " + std::to_string(rect.Width()) + "x" + std::to_string(rect.Height()));
    }
  return cut;
}

// May 2026 starts on a Friday and spans six weeks, the most rows a month takes; today is the 10th.
TEST_F(CEventDlgTest, TheMonthGridShowsEveryTextWhole) {
  platform::Clock::set(2026, 5, 10, 9, 0, 0, 0);
  CEventItem event;
  std::vector<std::string> cut;
  int rows = 0;
  run(
      event,
      [&](HWND d) {
        auto* month = dynamic_cast<CMonthGrid*>(CWnd::FromHandlePermanent(GetDlgItem(d, IDC_EV_MONTHGRID)));
        rows = month->GetRowCount();
        cut = textsThatDoNotFit(*month);
        // Every month's title, the longest names among them.
        for (int m = 1; m <= 12; ++m) {
          month->SetMonth(m, 2026);
          for (const std::string& text : textsThatDoNotFit(*month))
            if (text.find(", 2026") != std::string::npos)
              cut.push_back(text);
        }
      },
      IDCANCEL);
  EXPECT_EQ(rows, 8);
  EXPECT_TRUE(cut.empty()) << ::testing::PrintToString(cut);
}

// The dialog as a user meets it: what its controls show, and its buttons pressed with the mouse.
class CEventDlgByUser : public CEventDlgTest {
protected:
  CEventDlgByUser() { AppSettings().warnTime = 0; }

  // Runs the dialog on the event with `steps` made by the user; the steps end it.
  INT_PTR runByUser(CEventItem& event, std::function<void(HWND)> steps) {
    actByUser(answerer, "Event Edit", std::move(steps));
    CEventDlg dialog(event);
    return dialog.DoModal();
  }
  static void press(HWND dialog, int id) { pressButton(dialog, id); }
  static void clickAt(HWND hwnd, POINT at) { testsupport::realinput::click(hwnd, at); }
  static bool checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
};

// An event of each kind as a file holds it, at 10:30 with a lead of 15 minutes.
CEventItem storedEvent(int kindRadio, int alarm) {
  CEventItem event;
  event.name = "Stored";
  event.type = "Birthday";
  event.notes = "kept as it is";
  event.eventTime = 10 * 60 + 30;
  event.leadMinutes = 15;
  event.alarmEnabled = alarm;
  event.daysPrior = 7;
  event.oneTime = kindRadio == IDC_EV_ONETIME ? 1 : 0;
  event.weekly = kindRadio == IDC_EV_WEEKLY ? 1 : 0;
  event.monthly = kindRadio == IDC_EV_MONTHLY ? 1 : 0;
  event.yearly = kindRadio == IDC_EV_YEARLY ? 1 : 0;
  event.custom = kindRadio == IDC_EV_CUSTOM ? 1 : 0;
  event.day = 17, event.month = 3, event.year = 2027;
  if (kindRadio == IDC_EV_YEARLY)
    event.year = 1990, event.noYear = 0;
  if (kindRadio == IDC_EV_WEEKLY)
    event.weeksInterval = 2;
  if (kindRadio == IDC_EV_MONTHLY)
    event.monthMask = 5;
  if (kindRadio == IDC_EV_CUSTOM)
    event.weekdayMask = 1, event.weekMask = 2, event.monthMask = 4095, event.patternYear = -1;
  return event;
}

TEST_F(CEventDlgTest, OkOnAnUnchangedEventStoresItAsItWas) {
  const struct {
    const char* name;
    int kindRadio;
  } kinds[] = {{"one time", IDC_EV_ONETIME},
               {"weekly", IDC_EV_WEEKLY},
               {"monthly", IDC_EV_MONTHLY},
               {"yearly", IDC_EV_YEARLY},
               {"custom", IDC_EV_CUSTOM}};
  const int kindRadios[] = {IDC_EV_ONETIME, IDC_EV_WEEKLY, IDC_EV_MONTHLY, IDC_EV_YEARLY, IDC_EV_CUSTOM};
  for (const auto& kind : kinds)
    for (int alarm : {0, 1}) {
      CEventItem event = storedEvent(kind.kindRadio, alarm);
      const std::string before = CEventFile::PackEventRecord(event);
      std::vector<int> radiosShown;
      bool alarmShown = false;
      INT_PTR result = run(event, [&](HWND d) {
        for (int radio : kindRadios)
          if (IsDlgButtonChecked(d, radio) == BST_CHECKED)
            radiosShown.push_back(radio);
        alarmShown = IsDlgButtonChecked(d, IDC_EV_ALARM) == BST_CHECKED;
      });
      std::string label = std::string(kind.name) + (alarm ? " with its alarm on" : " with its alarm off");
      EXPECT_EQ(result, IDOK) << label;
      EXPECT_EQ(radiosShown, std::vector<int>{kind.kindRadio}) << label;
      EXPECT_EQ(alarmShown, alarm == 1) << label;
      EXPECT_EQ(CEventFile::PackEventRecord(event), before) << label;
    }
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CEventDlgByUser, OkChecksOnlyTheFieldsTheUserSees) {
  // Old files hold weekly events repeating every 0 weeks; a lead beyond the spin's range with the alarm
  // off is as old.
  CEventItem weekly = storedEvent(IDC_EV_WEEKLY, 0);
  weekly.weeksInterval = 0;
  weekly.leadMinutes = 400;
  EXPECT_EQ(runByUser(weekly,
                      [](HWND d) {
                        press(d, IDC_EV_MONTHLY);
                        press(d, IDOK);
                      }),
            IDOK);
  EXPECT_EQ((std::vector<int>{weekly.weekly, weekly.monthly, weekly.leadMinutes}),
            (std::vector<int>{0, 1, 400}));

  // The same field is checked while it shows.
  CEventItem shown = storedEvent(IDC_EV_WEEKLY, 0);
  shown.weeksInterval = 0;
  answerer.act("between 1 and 50", [](HWND box) {
    HWND dialog = GetWindow(box, GW_OWNER);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(runByUser(shown, [](HWND d) { press(d, IDOK); }), IDCANCEL);
  EXPECT_EQ(shown.weeksInterval, 0);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
