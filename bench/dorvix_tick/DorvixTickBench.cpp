// The main window's one-second tick with a large calendar. Writes an events20.dat of 100 000 mixed
// events (every recurrence kind, alarms on about half of them) in the current folder, starts the
// program's application object on it (no splash, no sounds, no daily alert), then times, best of
// several runs:
// - one ordinary tick: the alarm check over every event, the daily alert check and the status bar;
// - one tick at midnight: the same plus the refresh of every event and holiday and the views' refill;
//   and those two parts on their own.
#include "CDorvixApp.h"
#include "CDorvixDoc.h"
#include "CEventFile.h"
#include "CMainFrame.h"
#include "DataFolder.h"

#include <clock/Clock.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kEvents = 100000;
constexpr int kTickRuns = 50;
constexpr int kDayRuns = 5;
constexpr double kTickGoal = 5;
constexpr double kDayGoal = 200;

class Random {
public:
  int Next(int below) {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((m_state >> 33) % static_cast<std::uint64_t>(below));
  }

private:
  std::uint64_t m_state = 20261210;
};

CEventArray mixedEvents() {
  Random random;
  CEventArray events;
  for (int i = 0; i < kEvents; ++i) {
    auto e = std::make_unique<CEventItem>();
    e->name = "Event " + std::to_string(i);
    e->type = "Meeting";
    e->day = 1 + random.Next(28);
    e->month = 1 + random.Next(12);
    e->year = 1990 + random.Next(45);
    e->eventTime = random.Next(4) == 0 ? -1 : random.Next(1440);
    e->alarmEnabled = random.Next(2);
    e->daysPrior = random.Next(30);
    e->oneTime = e->weekly = e->monthly = e->yearly = e->custom = 0;
    switch (i % 5) {
    case 0:
      e->oneTime = 1;
      break;
    case 1:
      e->weekly = 1;
      e->weeksInterval = 1 + random.Next(50);
      break;
    case 2:
      e->monthly = 1;
      e->monthMask = 1 + random.Next(4095);
      break;
    case 3:
      e->yearly = 1;
      break;
    case 4:
      e->custom = 1;
      e->monthMask = 1 + random.Next(4095);
      e->weekMask = 1 + random.Next(63);
      e->weekdayMask = 1 + random.Next(127);
      break;
    }
    events.push_back(std::move(e));
  }
  return events;
}

using Steady = std::chrono::steady_clock;

double timeTick(CMainFrame* frame) {
  auto start = Steady::now();
  frame->Tick();
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

// Closes alarm windows the ticks opened, so that each run does the same work.
void closeAlarms() {
  for (HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !"); alarm;
       alarm = FindWindowA(nullptr, "Calvorne Alarm !"))
    DestroyWindow(alarm);
}

} // namespace

int main() {
  CreateDirectoryA("dorvix_tick", nullptr);
  DataFolder::Set("dorvix_tick");
  CAppSettings& settings = AppSettings();
  settings.firstRun = 0;
  settings.splashEnabled = 0;
  settings.soundEnabled = 0;
  settings.alarmSoundEnabled = 0;
  settings.autoBackup = 0;
  settings.dailyAlert = 1;
  settings.dailyAlertTime = 12 * 60; // checked on every tick, never due in the runs
  settings.saveOnExit = 0;
  settings.warnExit = 0;
  settings.SaveSettings();
  platform::Clock::set(2026, 12, 10, 14, 0, 0);
  if (!CEventFile().WriteEvents(mixedEvents())) {
    std::printf("could not write events20.dat\n");
    return 1;
  }

  CDorvixApp app;
  app.m_nCmdShow = SW_HIDE; // in the background, as at night
  if (!app.InitInstance()) {
    std::printf("the program did not start\n");
    return 1;
  }
  auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  frame->Tick(); // the alarms due at start-up open here, outside the timing
  closeAlarms();

  double tick = 1e9;
  for (int run = 0; run < kTickRuns; ++run) {
    platform::Clock::advanceSeconds(1);
    tick = std::min(tick, timeTick(frame));
  }
  double day = 1e9;
  for (int run = 0; run < kDayRuns; ++run) {
    platform::Clock::set(2026, 12, 11 + run, 23, 59, 59);
    frame->Tick();
    closeAlarms();
    platform::Clock::advanceSeconds(1);
    day = std::min(day, timeTick(frame));
    closeAlarms();
  }
  double recount = 1e9;
  for (int run = 0; run < kDayRuns; ++run) {
    auto start = Steady::now();
    frame->GetDoc()->Recount();
    recount = std::min(recount, std::chrono::duration<double, std::milli>(Steady::now() - start).count());
  }
  double refill = 1e9;
  for (int run = 0; run < kDayRuns; ++run) {
    auto start = Steady::now();
    frame->GetDoc()->UpdateAllViews(nullptr, 3);
    refill = std::min(refill, std::chrono::duration<double, std::milli>(Steady::now() - start).count());
  }
  std::printf("%d events, %d listed at the last day change (best of %d ticks, %d day changes)\n", kEvents,
              frame->GetDoc()->listedCount, kTickRuns, kDayRuns);
  std::printf("one tick:             %8.3f ms (goal %.0f ms; ratio %.3f)\n", tick, kTickGoal,
              tick / kTickGoal);
  std::printf("one day-change tick:  %8.3f ms (goal %.0f ms; ratio %.3f)\n", day, kDayGoal, day / kDayGoal);
  std::printf("of which the recount:  %8.3f ms\n", recount);
  std::printf("and the views' refill: %8.3f ms\n", refill);
  frame->DestroyWindow();
  return 0;
}
