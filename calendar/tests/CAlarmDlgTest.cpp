#include "CAlarmDlg.h"

#include "CDorvixDoc.h"
#include "CalendarFixture.h"
#include "MessagePump.h"
#include "RecordingView.h"
#include "TestSeams.h"
#include "resource.h"

#include <clock/Clock.h>

#include <algorithm>

using platform::Clock;

namespace {

class CAlarmDlgTest : public CalendarFixture {
protected:
  CAlarmDlgTest() {
    AppSettings().firstRun = 0;
    doc.AddView(&view);
    answerer.leaveOpen("Calvorne Alarm !");
    testsupport::writeFile(file("whip.wav"), "RIFF");
  }
  ~CAlarmDlgTest() override {
    for (HWND window : opened)
      if (IsWindow(window))
        DestroyWindow(window);
  }

  int addAlarm(const std::string& name, int time = 600, int lead = 15) {
    auto event = std::make_unique<CEventItem>();
    event->name = name;
    event->alarmEnabled = 1;
    event->eventTime = time;
    event->leadMinutes = lead;
    doc.AddEvent(std::move(event));
    return doc.GetEvent(doc.GetEventCount() - 1)->serialNumber;
  }
  CAlarmDlg* open(int serial) {
    auto* dialog = new CAlarmDlg(&doc, serial);
    EXPECT_TRUE(dialog->Create());
    opened.push_back(dialog->m_hWnd);
    return dialog;
  }
  static long long nowMinute() { return alarmrules::AbsoluteMinute(Clock::localTime()); }
  static std::string text(HWND dialog, int id) {
    char buffer[256] = "";
    GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
    return buffer;
  }

  platform::ClockOverride clock{2026, 12, 10, 9, 45};
  RecordingSound sound;
  CDorvixDoc doc;
  RecordingView view;
  std::vector<HWND> opened;
};

TEST_F(CAlarmDlgTest, ShowsTheEventAndRingsForTheAlarmLength) {
  AppSettings().alarmLength = 5;
  int serial = addAlarm("Dentist");
  doc.GetEvent(0)->type = "Appointment";
  doc.Recount();
  CAlarmDlg* dialog = open(serial);
  HWND hwnd = dialog->m_hWnd;
  EXPECT_EQ(text(hwnd, IDC_ALARM_NAME), "Dentist");
  EXPECT_EQ(text(hwnd, IDC_ALARM_TYPE), "Appointment");
  EXPECT_EQ(text(hwnd, IDC_SNOOZE), "5");
  EXPECT_FALSE(text(hwnd, IDC_ALARM_TIME).empty());
  EXPECT_EQ(CAlarmDlg::FromTimer(dialog->TimerId()), dialog);

  for (int second = 20; second < 600; second += 20) {
    Clock::advanceSeconds(20);
    dialog->Ring();
  }
  EXPECT_EQ(sound.heard.size(), 15u);
  EXPECT_EQ(sound.heard.front(), "play whip.wav");
  EXPECT_FALSE(dialog->IsRinging());
  EXPECT_TRUE(IsWindow(hwnd)); // silent but open
}

TEST_F(CAlarmDlgTest, RingingContinuesPastMidnight) {
  Clock::set(2026, 12, 10, 23, 58);
  AppSettings().alarmLength = 5;
  AppSettings().alarmSoundEnabled = 0;
  CAlarmDlg* dialog = open(addAlarm("Late", 1439, 5));
  Clock::advanceSeconds(180);
  dialog->Ring();
  EXPECT_TRUE(dialog->IsRinging());
  Clock::advanceSeconds(120);
  dialog->Ring();
  EXPECT_FALSE(dialog->IsRinging());
  EXPECT_TRUE(sound.heard.empty()); // sound off: the window still comes up, silently
}

TEST_F(CAlarmDlgTest, SnoozeTakesOneToSixtyMinutes) {
  int serial = addAlarm("Dentist");
  struct Case {
    const char* input;
    bool accepted;
  } cases[] = {{"0", false}, {"61", false}, {"ab", false}, {"", false}, {"60", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    CAlarmDlg* dialog = open(serial);
    HWND hwnd = dialog->m_hWnd;
    SetDlgItemTextA(hwnd, IDC_SNOOZE, c.input);
    if (!c.accepted)
      answerer.answer("Please enter an integer between 1 and 60", IDOK);
    SendMessageA(hwnd, WM_COMMAND, IDC_SNOOZEBUTTON, 0);
    EXPECT_EQ(IsWindow(hwnd) == 0, c.accepted);
    if (!c.accepted)
      DestroyWindow(hwnd);
  }
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
  auto snoozeErrors =
      std::count_if(answerer.seen().begin(), answerer.seen().end(),
                    [](const testsupport::SeenBox& box) { return box.caption == "Snooze Value"; });
  EXPECT_EQ(snoozeErrors, 4);
  EXPECT_TRUE(doc.CheckAlarms(nowMinute() + 59).empty());
  EXPECT_EQ(doc.CheckAlarms(nowMinute() + 60).size(), 1u);
}

TEST_F(CAlarmDlgTest, ASnoozeAfterTheEventTimeStillRingsAgain) {
  int serial = addAlarm("Dentist");
  ASSERT_EQ(doc.CheckAlarms(nowMinute()).size(), 1u);
  Clock::set(2026, 12, 10, 10, 2);
  CAlarmDlg* dialog = open(serial);
  SetDlgItemTextA(dialog->m_hWnd, IDC_SNOOZE, "5");
  SendMessageA(dialog->m_hWnd, WM_COMMAND, IDC_SNOOZEBUTTON, 0);
  EXPECT_TRUE(doc.CheckAlarms(nowMinute() + 4).empty());
  EXPECT_EQ(doc.CheckAlarms(nowMinute() + 5).size(), 1u);
}

TEST_F(CAlarmDlgTest, TwoWindowsRingOnTheirOwnTimers) {
  CAlarmDlg* first = open(addAlarm("First"));
  CAlarmDlg* second = open(addAlarm("Second"));
  EXPECT_NE(first->TimerId(), second->TimerId());
  EXPECT_EQ(CAlarmDlg::OpenCount(), 2u);
  EXPECT_EQ(CAlarmDlg::FromTimer(second->TimerId()), second);
  UINT_PTR firstTimer = first->TimerId();
  SendMessageA(first->m_hWnd, WM_COMMAND, IDOK, 0); // acknowledged
  EXPECT_EQ(CAlarmDlg::FromTimer(firstTimer), nullptr);
  EXPECT_EQ(CAlarmDlg::OpenCount(), 1u);
  EXPECT_TRUE(second->IsRinging());
  // A tick for a timer nobody owns is ignored.
  EXPECT_EQ(CAlarmDlg::FromTimer(0x7FFF0000), nullptr);
}

TEST_F(CAlarmDlgTest, ModifyAndDeleteGoToTheViewsByTheEventsCurrentState) {
  int kept = addAlarm("Kept");
  int gone = addAlarm("Gone");
  view.updates.clear();
  SendMessageA(open(kept)->m_hWnd, WM_COMMAND, IDC_MODIFYEVENT, 0);
  SendMessageA(open(kept)->m_hWnd, WM_COMMAND, IDC_DELETEEVENT, 0);
  EXPECT_EQ(view.updates, (std::vector<std::string>{"9:Kept", "10:Kept"}));

  CAlarmDlg* stale = open(gone);
  HWND hwnd = stale->m_hWnd;
  doc.DeleteEvent(doc.IndexOf(gone));
  answerer.answer("Event Already Deleted", IDOK);
  view.updates.clear();
  SendMessageA(hwnd, WM_COMMAND, IDC_DELETEEVENT, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(view.updates.empty());
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
  EXPECT_EQ(CAlarmDlg::OpenCount(), 0u);
}

} // namespace
