// The main window's one-second tick with a large calendar. Writes an events20.dat of 100 000 mixed
// events (every recurrence kind, alarms on about half of them) in the current folder, starts the
// program's application object on it (no splash, no sounds, no daily alert), then times, best of
// several runs:
// - one ordinary tick: the alarm check over every event, the daily alert check and the status bar;
// - one tick at midnight: the same plus the refresh of every event and holiday and the views' refill;
//   and those two parts on their own.
#include <bench/MixedEvents.h>
#include <calendar/data/CEventFile.h>
#include <calendar/frame/CDorvixApp.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/CMainFrame.h>

#include <clock/Clock.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int kEvents = 100000;
constexpr int kTickRuns = 50;
constexpr int kDayRuns = 5;
constexpr double kTickGoal = 5;
constexpr double kDayGoal = 200;

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
  CAppSettings& settings = mixedevents::QuietSettings("dorvix_tick");
  settings.dailyAlert = 1;
  settings.dailyAlertTime = 12 * 60; // checked on every tick, never due in the runs
  settings.SaveSettings();
  platform::Clock::set(2026, 12, 10, 14, 0, 0);
  if (!CEventFile().WriteEvents(mixedevents::Make(kEvents, 20261210))) {
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
