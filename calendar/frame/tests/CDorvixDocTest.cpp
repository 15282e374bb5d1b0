#include <calendar/frame/CDorvixDoc.h>

#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/RecordingView.h>

#include <appframe/CWinApp.h>
#include <clock/Clock.h>

#include <memory>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

std::unique_ptr<CEventItem> namedEvent(const std::string& name, int daysAhead = 1) {
  auto event = std::make_unique<CEventItem>();
  event->name = name;
  CDate date = CDate() + daysAhead;
  date.GetDMY(event->day, event->month, event->year);
  return event;
}

// A previous-version record: a one-time event on 17 March 2027.
std::string oldRecord(const std::string& name) {
  std::string r(112, '\0');
  r[0] = 3;
  r[2] = 17;
  r[4] = static_cast<char>(2027 & 0xFF);
  r[5] = static_cast<char>(2027 >> 8);
  r.replace(8, name.size(), name);
  r[52] = 1;
  return r;
}

class CDorvixDocTest : public CalendarFixture {
protected:
  CDorvixDocTest() { AppSettings().firstRun = 0; }
  long long recordCount() const {
    return (static_cast<long long>(readFile(file("events20.dat")).size()) - 24) / 458;
  }
  platform::ClockOverride clock{2026, 12, 10, 9, 0};
};

TEST_F(CDorvixDocTest, AddAndDeleteKeepArrayFileAndIndexesInStep) {
  CDorvixDoc doc;
  RecordingView view;
  doc.AddView(&view);
  EXPECT_EQ(doc.AddEvent(namedEvent("First")), 1);
  EXPECT_EQ(doc.AddEvent(namedEvent("Second")), 1);
  doc.AddEvent(namedEvent("Far", 300));
  EXPECT_EQ(view.updates, (std::vector<std::string>{"3:First", "3:Second", "3:Far"}));
  EXPECT_EQ(recordCount(), 3);
  EXPECT_EQ(doc.listedCount, 2);

  std::unique_ptr<CEventItem> removed = doc.DeleteEvent(0);
  ASSERT_TRUE(removed);
  EXPECT_EQ(removed->name, "First");
  ASSERT_EQ(doc.GetEventCount(), 2);
  EXPECT_EQ(doc.GetEvent(0)->listIndex, 0);
  EXPECT_EQ(doc.GetEvent(1)->listIndex, 1);
  EXPECT_EQ(doc.GetEvent(1)->name, "Far");
  EXPECT_EQ(recordCount(), 2);
  EXPECT_EQ(doc.listedCount, 1);

  doc.DeleteEvent(1); // "Far" was not listed: the count stays
  EXPECT_EQ(doc.listedCount, 1);
  EXPECT_EQ(recordCount(), 1);
  EXPECT_FALSE(doc.DeleteEvent(5));
}

TEST_F(CDorvixDocTest, ShowAllSendsAnUpdateOnlyWhenItChanges) {
  CDorvixDoc doc;
  RecordingView view;
  doc.AddView(&view);
  doc.SetShowAll(0);
  doc.SetShowAll(1);
  doc.SetShowAll(1);
  EXPECT_EQ(view.updates, (std::vector<std::string>{"3"}));
  EXPECT_EQ(doc.showAll, 1);
}

TEST_F(CDorvixDocTest, LoadsAndReloadsTheEventFileAndCounts) {
  {
    CDorvixDoc writer;
    writer.AddEvent(namedEvent("Kept"));
    writer.AddEvent(namedEvent("Later", 100));
  }
  CDorvixDoc doc;
  RecordingView view;
  doc.AddView(&view);
  ASSERT_EQ(doc.GetEventCount(), 2);
  EXPECT_EQ(doc.GetEvent(1)->listIndex, 1);
  EXPECT_EQ(doc.listedCount, 1);
  AppSettings().showState = 1;
  EXPECT_EQ(CDorvixDoc().listedCount, 2);

  doc.AddEvent(namedEvent("Third"));
  doc.events.pop_back(); // the array and the file now differ
  view.updates.clear();
  EXPECT_EQ(doc.ReloadEvents(), 1);
  EXPECT_EQ(doc.GetEventCount(), 3);
  EXPECT_EQ(doc.GetEvent(2)->name, "Third");
  // The views let go of the old events before they go, then refill.
  EXPECT_EQ(view.updates, (std::vector<std::string>{"12", "3"}));
}

TEST_F(CDorvixDocTest, AReloadOfTheSameEventsKeepsTheirIdentityAndAlarms) {
  CDorvixDoc doc;
  doc.AddEvent(namedEvent("Same"));
  doc.AddEvent(namedEvent("Same"));
  doc.AddEvent(namedEvent("Changed"));
  std::vector<int> serials;
  for (const auto& event : doc.events)
    serials.push_back(event->serialNumber);
  doc.GetEvent(2)->name = "Changed in memory only";
  doc.SnoozeAlarm(serials[1], 100, 5);
  doc.SnoozeAlarm(serials[2], 100, 5);

  EXPECT_EQ(doc.ReloadEvents(), 1);
  ASSERT_EQ(doc.GetEventCount(), 3);
  EXPECT_EQ(doc.GetEvent(0)->serialNumber, serials[0]);
  EXPECT_EQ(doc.GetEvent(1)->serialNumber, serials[1]) << "two equal records are two events";
  EXPECT_NE(doc.GetEvent(2)->serialNumber, serials[2]) << "an event that is not the same is new";
  EXPECT_EQ(doc.FindEvent(serials[2]), nullptr);
}

// After a read that failed, the user may keep the file as it is; the list then keeps the event too, or
// it would come back at the next start.
TEST_F(CDorvixDocTest, ADeleteTheFileRefusesLeavesTheEventInTheList) {
  {
    CDorvixDoc writer;
    writer.AddEvent(namedEvent("On disk"));
  }
  HANDLE lock =
      CreateFileA(file("events20.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  answerer.answer("could not be read", IDOK);
  CDorvixDoc doc;
  CloseHandle(lock);
  doc.AddEvent(namedEvent("Added"));
  ASSERT_EQ(recordCount(), 2);

  answerer.answer("could not be read completely", IDNO);
  EXPECT_FALSE(doc.DeleteEvent(0));
  ASSERT_EQ(doc.GetEventCount(), 1);
  EXPECT_EQ(doc.GetEvent(0)->name, "Added");
  EXPECT_EQ(recordCount(), 2);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CDorvixDocTest, AFailedConversionKeepsTheEvents) {
  CDorvixDoc doc;
  doc.AddEvent(namedEvent("Mine"));
  RecordingView view;
  doc.AddView(&view);
  answerer.answer("Error converting file.", IDOK);
  EXPECT_EQ(doc.ConvertFile(), 0);
  ASSERT_EQ(doc.GetEventCount(), 1);
  EXPECT_EQ(doc.GetEvent(0)->name, "Mine");
  EXPECT_EQ(recordCount(), 1);
  EXPECT_TRUE(view.updates.empty());

  ASSERT_TRUE(writeFile(file("events.dat"), oldRecord("Old one") + oldRecord("Old two")));
  answerer.answer("converted to 'events20.dat'", IDOK);
  EXPECT_EQ(doc.ConvertFile(), 1);
  ASSERT_EQ(doc.GetEventCount(), 2);
  EXPECT_EQ(doc.GetEvent(1)->name, "Old two");
  EXPECT_EQ(doc.GetEvent(1)->listIndex, 1);
  EXPECT_EQ(recordCount(), 2);
  // The views let go of the old events before they go, then refill.
  EXPECT_EQ(view.updates, (std::vector<std::string>{"12", "3"}));
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CDorvixDocTest, FirstShowCommandFollowsTheStartUpMode) {
  struct Case {
    const char* name;
    int mode, listed, newShell, maximized, expected;
  } cases[] = {
      {"mode 1", 1, 0, 1, 0, SW_SHOWNORMAL},
      {"mode 1 maximised", 1, 0, 1, 1, SW_SHOWMAXIMIZED},
      {"mode 2 with a tray", 2, 5, 1, 0, SW_HIDE},
      {"mode 2 without a tray", 2, 5, 0, 0, SW_SHOWMINNOACTIVE},
      {"mode 3 nothing listed", 3, 0, 1, 1, SW_HIDE},
      {"mode 3 nothing listed, no tray", 3, 0, 0, 0, SW_SHOWMINNOACTIVE},
      {"mode 3 something listed", 3, 1, 1, 0, SW_SHOWNORMAL},
  };
  for (const Case& c : cases) {
    CAppSettings settings;
    settings.startupMode = c.mode;
    settings.newShell = c.newShell;
    settings.maximized = c.maximized;
    EXPECT_EQ(CDorvixDoc::FirstShowCommand(SW_SHOWNORMAL, c.listed, settings), c.expected) << c.name;
  }

  // The document sets it on the application when it is made.
  CWinApp app;
  AppSettings().startupMode = 3;
  AppSettings().newShell = 0;
  CDorvixDoc doc;
  EXPECT_EQ(app.m_nCmdShow, SW_SHOWMINNOACTIVE);
}

TEST_F(CDorvixDocTest, AlarmStateFollowsTheEventBySerial) {
  CDorvixDoc doc;
  auto event = namedEvent("Ring", 0);
  event->alarmEnabled = 1;
  event->eventTime = 600;
  event->leadMinutes = 15;
  doc.AddEvent(std::move(event));
  int serial = doc.GetEvent(0)->serialNumber;
  long long nine45 = alarmrules::AbsoluteMinute(CDate(), 9 * 60 + 45);
  ASSERT_EQ(doc.CheckAlarms(nine45).size(), 1u);
  EXPECT_EQ(doc.GetEvent(0)->alarmRaised, 1);
  EXPECT_TRUE(doc.CheckAlarms(nine45 + 1).empty());
  doc.SnoozeAlarm(serial, nine45 + 2, 5);
  EXPECT_TRUE(doc.CheckAlarms(nine45 + 6).empty());
  EXPECT_EQ(doc.CheckAlarms(nine45 + 7).size(), 1u);
  doc.SnoozeAlarm(serial, nine45 + 10, 10);
  doc.ClearSnooze(serial); // modified: the snooze is gone
  EXPECT_TRUE(doc.CheckAlarms(nine45 + 20).empty());
}

} // namespace
