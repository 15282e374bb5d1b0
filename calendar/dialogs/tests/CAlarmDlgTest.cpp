#include <calendar/dialogs/CAlarmDlg.h>

#include <calendar/data/CEventFile.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/resource.h>
#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/DialogSteps.h>
#include <calendar/tests/DorvixAppFixture.h>
#include <calendar/tests/RecordingView.h>
#include <calendar/tests/TestSeams.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>

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

// The dark pixels of a text as a static control of `control`'s font and size draws it with `format`.
std::vector<bool> inkOfText(HWND control, const std::string& text, UINT format) {
  RECT client{};
  GetClientRect(control, &client);
  testsupport::MemoryDib dib(client.right, client.bottom);
  HGDIOBJ old = SelectObject(dib.dc(), reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SetTextColor(dib.dc(), RGB(0, 0, 0));
  SetBkMode(dib.dc(), TRANSPARENT);
  DrawTextA(dib.dc(), text.c_str(), -1, &client, format);
  SelectObject(dib.dc(), old);
  std::vector<bool> ink;
  for (int y = 0; y < dib.height(); ++y)
    for (int x = 0; x < dib.width(); ++x)
      ink.push_back(GetGValue(dib.pixel(x, y)) < 128);
  return ink;
}

std::vector<bool> inkOfControl(HWND control) {
  RECT client{};
  GetClientRect(control, &client);
  testsupport::MemoryDib dib(client.right, client.bottom);
  testsupport::paintClient(control, dib);
  std::vector<bool> ink;
  for (int y = 0; y < dib.height(); ++y)
    for (int x = 0; x < dib.width(); ++x)
      ink.push_back(GetGValue(dib.pixel(x, y)) < 128);
  return ink;
}

TEST_F(CAlarmDlgTest, ShowsTheNameAsTypedAndTheTimeOnTheClockTheUserChose) {
  const std::string name = "Caf\xE9 & co";
  int serial = addAlarm(name, 17 * 60 + 9);
  doc.GetEvent(0)->type = "Lunch & talk";
  HWND control = GetDlgItem(open(serial)->m_hWnd, IDC_ALARM_NAME);
  const UINT shown = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;
  ASSERT_NE(inkOfText(control, name, shown | DT_NOPREFIX), inkOfText(control, name, shown))
      << "the check cannot tell a mnemonic from an ampersand";
  EXPECT_EQ(inkOfControl(control), inkOfText(control, name, shown | DT_NOPREFIX))
      << "the name is not drawn as typed";

  const struct {
    int clock;
    const char* time;
  } cases[] = {{1, "17:09"}, {0, "5:09 PM"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.time);
    AppSettings().timeFormat = c.clock;
    EXPECT_EQ(text(open(serial)->m_hWnd, IDC_ALARM_TIME), c.time);
  }
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

TEST_F(CAlarmDlgTest, AClockSetBackDoesNotProlongTheRinging) {
  AppSettings().alarmLength = 5;
  CAlarmDlg* dialog = open(addAlarm("Dentist"));
  // Two minutes of rings, then the clock goes back an hour (the end of summer time), then on.
  for (int ring = 0; ring < 6; ++ring) {
    Clock::advanceSeconds(20);
    dialog->Ring();
  }
  Clock::advanceSeconds(-3600);
  for (int ring = 0; ring < 30; ++ring) {
    Clock::advanceSeconds(20);
    dialog->Ring();
  }
  EXPECT_EQ(sound.heard.size(), 15u) << "five minutes of rings, as the time passed";
  EXPECT_FALSE(dialog->IsRinging());
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
  // A late tick of the acknowledged window's timer rings nothing; the second window's timer rings it.
  size_t heard = sound.heard.size();
  CAlarmDlg::TimerProc(nullptr, WM_TIMER, firstTimer, 0);
  EXPECT_EQ(sound.heard.size(), heard);
  CAlarmDlg::TimerProc(nullptr, WM_TIMER, second->TimerId(), 0);
  EXPECT_EQ(sound.heard.size(), heard + 1);
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

// The alarm window's buttons pressed by the user, with the whole program behind it.
class CAlarmDlgByUser : public DorvixAppFixture {
protected:
  CAlarmDlgByUser() { Clock::set(2026, 12, 10, 9, 50); }
  // An alarm at 10:00 (lead 15) whose event the list does not show: its notification is off.
  int addQuietAlarm(const std::string& name) {
    auto event = std::make_unique<CEventItem>();
    event->name = name;
    event->alarmEnabled = 1;
    event->eventTime = 600;
    event->leadMinutes = 15;
    event->notifyDisabled = 1;
    doc->AddEvent(std::move(event));
    return doc->GetEvent(doc->GetEventCount() - 1)->serialNumber;
  }
  HWND openAlarm(int serial) {
    auto* alarm = new CAlarmDlg(doc, serial);
    EXPECT_TRUE(alarm->Create());
    return alarm->m_hWnd;
  }
  long long recordCount() const {
    return (static_cast<long long>(testsupport::readFile(file("events20.dat")).size()) - 24) / 458;
  }
};

TEST_F(CAlarmDlgByUser, ModifyAndDeleteReachAnEventTheListDoesNotShow) {
  AppSettings().showState = 0;
  start();
  int serial = addQuietAlarm("Quiet");
  addEvent("Shown", 2);
  ASSERT_FALSE(doc->FindEvent(serial)->listed);

  std::string nameShown;
  actByUser(answerer, "Event Edit", [&](HWND dialog) {
    char name[64] = "";
    GetDlgItemTextA(dialog, IDC_EV_NAME, name, sizeof name);
    nameShown = name;
    pressButton(dialog, IDCANCEL);
  });
  HWND alarm = openAlarm(serial);
  pressButton(alarm, IDC_MODIFYEVENT);
  EXPECT_EQ(nameShown, "Quiet");
  EXPECT_FALSE(IsWindow(alarm));

  answerer.answer("Delete Current Event?", IDYES);
  alarm = openAlarm(serial);
  pressButton(alarm, IDC_DELETEEVENT);
  EXPECT_EQ(doc->FindEvent(serial), nullptr);
  EXPECT_EQ(recordCount(), 1);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CAlarmDlgByUser, EnterInTheSnoozeBoxSnoozes) {
  start();
  addQuietAlarm("Dentist");
  frame->Tick();
  HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  ASSERT_NE(alarm, nullptr);
  testsupport::realinput::click(GetDlgItem(alarm, IDC_SNOOZE), {4, 4});
  testsupport::realinput::pressKey(VK_END);
  for (int i = 0; i < 3; ++i)
    testsupport::realinput::pressKey(VK_BACK);
  testsupport::realinput::typeText("5");
  testsupport::realinput::pressKey(VK_RETURN);
  EXPECT_FALSE(IsWindow(alarm));
  Clock::set(2026, 12, 10, 9, 54);
  frame->Tick();
  EXPECT_EQ(FindWindowA(nullptr, "Calvorne Alarm !"), nullptr) << "rang before its snooze ended";
  Clock::set(2026, 12, 10, 9, 55);
  frame->Tick();
  EXPECT_NE(FindWindowA(nullptr, "Calvorne Alarm !"), nullptr) << "the snooze never rang";
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CAlarmDlgByUser, ModifyFromASnoozedAlarmClearsTheSnooze) {
  start();
  int serial = addQuietAlarm("Dentist");
  frame->Tick();
  HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  ASSERT_NE(alarm, nullptr);
  SetDlgItemTextA(alarm, IDC_SNOOZE, "5");
  pressButton(alarm, IDC_SNOOZEBUTTON);
  ASSERT_FALSE(IsWindow(alarm));
  Clock::set(2026, 12, 10, 9, 55);
  frame->Tick();
  alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  ASSERT_NE(alarm, nullptr) << "the snooze rings again";
  ASSERT_EQ(doc->FindEvent(serial)->name, "Dentist");

  // Snoozed once more, then moved to 11:00 from a window of its own: the snooze of the old time ends.
  SetDlgItemTextA(alarm, IDC_SNOOZE, "3");
  pressButton(alarm, IDC_SNOOZEBUTTON);
  actByUser(answerer, "Event Edit", [](HWND dialog) {
    testsupport::realinput::click(GetDlgItem(dialog, IDC_EV_HOUR), {2, 2});
    testsupport::realinput::pressKey(VK_END);
    testsupport::realinput::pressKey(VK_BACK);
    testsupport::realinput::pressKey(VK_BACK);
    testsupport::realinput::typeText("11");
    pressButton(dialog, IDOK);
  });
  pressButton(openAlarm(serial), IDC_MODIFYEVENT);
  Clock::set(2026, 12, 10, 9, 58);
  frame->Tick();
  EXPECT_EQ(doc->FindEvent(serial)->eventTime, 11 * 60);
  EXPECT_EQ(FindWindowA(nullptr, "Calvorne Alarm !"), nullptr) << "no ring at the snooze's time";
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
