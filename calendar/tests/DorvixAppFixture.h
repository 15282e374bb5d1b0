#pragma once

#include <calendar/data/CHolidayTable.h>
#include <calendar/frame/CDorvixApp.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/CMainFrame.h>
#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/TestSeams.h>
#include <tests/support/MessagePump.h>

#include <clock/Clock.h>

#include <memory>

// The whole program started in the test's data folder on 10 December 2026, 9:30, without splash,
// daily alert or exit warning, and taken down again.
class DorvixAppFixture : public CalendarFixture {
protected:
  DorvixAppFixture() {
    CAppSettings& settings = AppSettings();
    settings.firstRun = 0;
    settings.splashEnabled = 0;
    settings.dailyAlert = 0;
    settings.warnExit = 0;
    settings.warnTime = 0;
    answerer.leaveOpen("Calvorne Alarm !");
  }
  ~DorvixAppFixture() override { stop(); }

  // A holiday on a fixed date, listed that many days ahead.
  static CHoliday fixedHoliday(const std::string& name, int day, int month, int notifyDays = 60) {
    CHoliday holiday;
    holiday.name = name;
    holiday.enabled = 1;
    holiday.notifyDays = notifyDays;
    holiday.ruleKind = CHoliday::FixedDate;
    holiday.ruleA = month;
    holiday.ruleB = day;
    holiday.description = name + " day";
    return holiday;
  }
  void writeHolidays(const std::vector<CHoliday>& holidays) {
    ASSERT_TRUE(testsupport::writeFile(file("holidays.dat"), CHolidayTable::PackHolidays(holidays)));
  }

  CMainFrame* start(int show = SW_SHOWNORMAL) {
    app = std::make_unique<CDorvixApp>();
    app->m_nCmdShow = show;
    EXPECT_TRUE(app->InitInstance());
    frame = dynamic_cast<CMainFrame*>(app->m_pMainWnd);
    doc = frame ? frame->GetDoc() : nullptr;
    return frame;
  }
  void stop() {
    if (app && app->m_pMainWnd) {
      AppSettings().warnExit = 0;
      app->m_pMainWnd->DestroyWindow();
    }
    for (HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !"); alarm;
         alarm = FindWindowA(nullptr, "Calvorne Alarm !"))
      DestroyWindow(alarm);
    testsupport::pumpMessages();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    doc = nullptr;
    frame = nullptr;
    app.reset();
  }
  // An event `days` after today, at `time` minutes (-1 none), added as the Add command does.
  int addEvent(const std::string& name, int days, int time = -1) {
    auto event = std::make_unique<CEventItem>();
    event->name = name;
    event->type = "Birthday";
    event->eventTime = time;
    CDate date = CDate() + days;
    date.GetDMY(event->day, event->month, event->year);
    doc->AddEvent(std::move(event));
    return doc->GetEvent(doc->GetEventCount() - 1)->serialNumber;
  }

  platform::ClockOverride clock{2026, 12, 10, 9, 30};
  RecordingSound sound;
  std::unique_ptr<CDorvixApp> app;
  CMainFrame* frame = nullptr;
  CDorvixDoc* doc = nullptr;
};
