// Loading the calendar's events and working out every next date, against reading the file's bytes.
// Writes an events20.dat of 100 000 mixed events (every recurrence kind, custom masks among them) in
// the current folder, then times, best of several runs:
// - one read of the whole file in a single call, into a buffer already in memory, and into a newly
//   allocated one (what a program that reads the file in one call pays);
// - the load of the file into events followed by the refresh of every event against today;
// - touching as much new memory as the loaded events occupy, the floor of any load on this host;
// and counts the allocations of one load.
#include <bench/AllocationCount.h>
#include <bench/MixedEvents.h>
#include <calendar/data/CDate.h>
#include <calendar/data/CEventFile.h>
#include <calendar/data/DataFolder.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kEvents = 100000;
constexpr int kRuns = 7;

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void readInOneCall(const std::string& path, std::string& buffer) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD got = 0;
  ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
  CloseHandle(file);
  if (got != buffer.size())
    std::printf("the read got %lu of %zu bytes\n", got, buffer.size());
}

double rawReadReused(const std::string& path, std::string& buffer) {
  auto start = Clock::now();
  readInOneCall(path, buffer);
  return milliseconds(Clock::now() - start);
}

double rawReadFresh(const std::string& path, size_t size) {
  auto start = Clock::now();
  std::string buffer(size, '\0');
  readInOneCall(path, buffer);
  return milliseconds(Clock::now() - start);
}

double loadAndRefresh(int& listed, std::size_t& allocations) {
  CEventFile file;
  CEventArray events;
  CDate today;
  std::size_t before = allocationcount::allocations;
  auto start = Clock::now();
  file.ReadEvents(events);
  listed = 0;
  for (auto& event : events) {
    event->ComputeNextDate(today, 0);
    listed += event->listed;
  }
  double elapsed = milliseconds(Clock::now() - start);
  allocations = allocationcount::allocations - before;
  if (events.size() != kEvents)
    std::printf("loaded %zu events, expected %d\n", events.size(), kEvents);
  return elapsed;
}

double touchNewMemory() {
  auto start = Clock::now();
  std::vector<std::unique_ptr<char[]>> blocks;
  blocks.reserve(kEvents);
  for (int i = 0; i < kEvents; ++i) {
    blocks.push_back(std::make_unique<char[]>(sizeof(CEventItem)));
    std::memset(blocks.back().get(), 1, sizeof(CEventItem));
  }
  return milliseconds(Clock::now() - start);
}

} // namespace

int main() {
  DataFolder::Set();
  CEventFile file;
  if (!file.WriteEvents(mixedevents::Make(kEvents, 20261209))) {
    std::printf("could not write events20.dat\n");
    return 1;
  }
  std::string path = DataFolder::Path("events20.dat");
  std::string buffer(CEventFile::kHeaderSize + kEvents * CEventFile::kRecordSize, '\0');

  double reused = 1e9, fresh = 1e9, load = 1e9, memory = 1e9;
  int listed = 0;
  std::size_t allocations = 0;
  for (int run = 0; run < kRuns; ++run) {
    reused = std::min(reused, rawReadReused(path, buffer));
    fresh = std::min(fresh, rawReadFresh(path, buffer.size()));
    load = std::min(load, loadAndRefresh(listed, allocations));
    memory = std::min(memory, touchNewMemory());
  }
  std::printf("events20.dat: %d events, %zu bytes; %d listed today (best of %d runs)\n", kEvents,
              buffer.size(), listed, kRuns);
  std::printf("raw read in one call, buffer in memory:   %8.2f ms\n", reused);
  std::printf("raw read in one call, new buffer:         %8.2f ms\n", fresh);
  std::printf("load and refresh:                         %8.2f ms\n", load);
  std::printf("new memory for the events (%zu bytes each): %6.2f ms\n", sizeof(CEventItem), memory);
  std::printf("allocations of a load: %zu, %.3f per event\n", allocations,
              static_cast<double>(allocations) / kEvents);
  std::printf("ratio to the read into a buffer in memory: %7.2f (goal 5 or less)\n", load / reused);
  std::printf("ratio to the read into a new buffer:       %7.2f\n", load / fresh);
  return 0;
}
