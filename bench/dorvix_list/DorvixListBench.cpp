// The event list with a large calendar. Writes an events20.dat of 100 000 mixed events (every
// recurrence kind) in the current folder, starts the program on it showing all events, then times,
// best of several runs:
// - a refill of the list: the recount of every event and holiday, the list order and the grid's
//   100 000 rows of seven cells;
// - a day change: the tick at midnight, which recounts and refills every view;
// - sorting the same 100 000 entries' keys alone (date, then time), the floor of any ordered refill.
#include "CDorvixApp.h"
#include "CDorvixDoc.h"
#include "CEventFile.h"
#include "CGridView.h"
#include "CMainFrame.h"
#include "DataFolder.h"
#include "Hints.h"
#include "ListOrder.h"

#include <clock/Clock.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kEvents = 100000;
constexpr int kRuns = 5;
constexpr double kRefillGoal = 1000;
constexpr double kSortRatioGoal = 20;

class Random {
public:
  int Next(int below) {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((m_state >> 33) % static_cast<std::uint64_t>(below));
  }

private:
  std::uint64_t m_state = 20261211;
};

CEventArray mixedEvents() {
  Random random;
  CEventArray events;
  for (int i = 0; i < kEvents; ++i) {
    auto e = std::make_unique<CEventItem>();
    e->name = "Event " + std::to_string(random.Next(kEvents));
    e->type = "Meeting";
    e->day = 1 + random.Next(28);
    e->month = 1 + random.Next(12);
    e->year = 1990 + random.Next(45);
    e->eventTime = random.Next(4) == 0 ? -1 : random.Next(1440);
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
      e->noYear = random.Next(2);
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

template <class Work> double bestOf(int runs, Work work) {
  double best = 1e9;
  for (int run = 0; run < runs; ++run) {
    auto start = Steady::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Steady::now() - start).count());
  }
  return best;
}

} // namespace

int main() {
  CreateDirectoryA("dorvix_list", nullptr);
  DataFolder::Set("dorvix_list");
  CAppSettings& settings = AppSettings();
  settings.firstRun = 0;
  settings.splashEnabled = 0;
  settings.soundEnabled = 0;
  settings.alarmSoundEnabled = 0;
  settings.autoBackup = 0;
  settings.dailyAlert = 0;
  settings.saveOnExit = 0;
  settings.warnExit = 0;
  settings.showState = 1; // every event listed
  settings.SaveSettings();
  platform::Clock::set(2026, 12, 10, 14, 0, 0);
  if (!CEventFile().WriteEvents(mixedEvents())) {
    std::printf("could not write events20.dat\n");
    return 1;
  }

  CDorvixApp app;
  app.m_nCmdShow = SW_HIDE;
  if (!app.InitInstance()) {
    std::printf("the program did not start\n");
    return 1;
  }
  auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  auto* list = dynamic_cast<CGridView*>(frame->m_wndSplitter.GetPane(0, 0));
  CDorvixDoc* doc = frame->GetDoc();

  double refill = bestOf(kRuns, [&] { list->OnUpdate(nullptr, kHintListChanged, nullptr); });
  int rows = list->Grid().GetRowCount();

  double day = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    platform::Clock::set(2026, 12, 11 + run, 23, 59, 59);
    frame->Tick();
    platform::Clock::advanceSeconds(1);
    day = std::min(day, bestOf(1, [&] { frame->Tick(); }));
    for (HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !"); alarm;
         alarm = FindWindowA(nullptr, "Calvorne Alarm !"))
      DestroyWindow(alarm);
  }

  std::vector<listorder::Keys> keys;
  std::vector<std::unique_ptr<CListEntry>> entries;
  for (const auto& event : doc->events)
    entries.push_back(std::make_unique<CListEntry>(event.get()));
  for (const auto& entry : entries)
    keys.push_back(listorder::MakeKeys(*entry));
  const std::vector<int> columns{listorder::kDate, listorder::kTime};
  double sort = bestOf(kRuns, [&] {
    std::vector<listorder::Keys> sorted = keys;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const listorder::Keys& a, const listorder::Keys& b) {
      return listorder::Compare(a, b, columns) < 0;
    });
  });

  std::printf("%d events, %d rows in the list (best of %d runs)\n", kEvents, rows, kRuns);
  std::printf("refill of the list:      %8.1f ms (goal %.0f ms; ratio %.3f)\n", refill, kRefillGoal,
              refill / kRefillGoal);
  std::printf("sort of the keys alone:  %8.1f ms (refill / sort %.1f; goal %.0f)\n", sort, refill / sort,
              kSortRatioGoal);
  std::printf("day change (all views):  %8.1f ms\n", day);
  frame->DestroyWindow();
  return 0;
}
