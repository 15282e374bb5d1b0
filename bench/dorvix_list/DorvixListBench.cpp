// The event list with a large calendar. Writes an events20.dat of 100 000 mixed events (every
// recurrence kind) in the current folder, starts the program on it showing all events, then times,
// best of several runs:
// - a refill of the list: the recount of every event and holiday, the list order and the grid's
//   100 000 rows of seven cells;
// - a day change: the tick at midnight, which recounts and refills every view;
// - sorting the same 100 000 entries' keys alone (date, then time), the floor of any ordered refill.
#include <bench/MixedEvents.h>
#include <calendar/data/CEventFile.h>
#include <calendar/frame/CDorvixApp.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/CMainFrame.h>
#include <calendar/views/CGridView.h>
#include <calendar/views/Hints.h>
#include <calendar/views/ListOrder.h>

#include <clock/Clock.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr int kEvents = 100000;
constexpr int kRuns = 5;
constexpr double kRefillGoal = 1000;
constexpr double kSortRatioGoal = 20;

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
  CAppSettings& settings = mixedevents::QuietSettings("dorvix_list");
  settings.showState = 1; // every event listed
  settings.SaveSettings();
  platform::Clock::set(2026, 12, 10, 14, 0, 0);
  if (!CEventFile().WriteEvents(mixedevents::Make(kEvents, 20261211))) {
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
