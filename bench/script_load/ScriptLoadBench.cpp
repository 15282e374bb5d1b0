// Loading an install script, against reading its bytes one by one through the portable stream (the
// loader's floor: it has to see every byte once). Writes "install.inf" with 5 000 events and 20 000
// file entries in the current folder, then times both, best of several runs, and counts the allocations
// and the memory of one load (figures a busy machine does not disturb). Memory the process has never
// used costs a fault per page on its first touch, so the bench also times writing a fresh block of the
// script's size: on a machine where such faults are dear, that alone is a large part of the floor, and
// the load is also shown against the floor with that block added.
#include <bench/AllocationCount.h>

#include <engine/builder/ScriptBuilder.h>
#include <engine/script/InstallScript.h>
#include <foundation/streams/filestream.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

namespace {

constexpr int kEvents = 5000;
constexpr int kEntries = 20000;
constexpr int kRuns = 7;

ScriptDraft bigScript() {
  ScriptDraft draft = MinimalScript();
  for (int i = 0; i < kEntries; ++i) {
    std::string n = std::to_string(i);
    draft.build.entries.push_back(
        {1, i * 100, i & 1, 100, 250, "src\\file" + n + ".bin", "file" + n + ".txt"});
  }
  const int types[] = {3, 5, 6, 7, 19, 20, 26, 12};
  for (int i = 0; i < kEvents; ++i) {
    DraftEvent event(types[i % 8]);
    event.condition = "installed == 0 && size > " + std::to_string(i);
    event.comment = "event " + std::to_string(i);
    if (event.id == 3)
      for (unsigned k = 0; k < 8; ++k)
        event.fields.references[0].push_back((static_cast<unsigned>(i) * 8 + k) % kEntries);
    draft.events.push_back(event);
  }
  return draft;
}

template <class F> double bestMilliseconds(F run) {
  double best = 1e30;
  for (int i = 0; i < kRuns; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// The bytes of memory the process holds in its working set.
SIZE_T workingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

} // namespace

int main() {
  RegisterEventTypes();
  std::string bytes = WriteScript(bigScript()).bytes;
  std::ofstream("install.inf", std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

  long seen = 0;
  double floor = bestMilliseconds([&] {
    fileistream stream("install.inf");
    stream.open();
    seen = 0;
    while (stream.readbyte() >= 0)
      ++seen;
  });
  // Each run loads into a script of its own; the scripts are freed after the timing.
  int loaded = 1;
  std::vector<InstallScript> scripts(kRuns);
  int run = 0;
  double load = bestMilliseconds([&] {
    InstallScript& script = scripts[static_cast<size_t>(run++)];
    loaded = loaded && LoadInstallScript(script, "install.inf") && script.events.count() == kEvents &&
             static_cast<int>(script.build->entries.size()) == kEntries;
  });
  if (!loaded || seen != static_cast<long>(bytes.size())) {
    std::printf("the script did not load\n");
    return 1;
  }
  std::vector<std::vector<char>> blocks(kRuns);
  run = 0;
  double fresh = bestMilliseconds([&] { blocks[static_cast<size_t>(run++)].assign(bytes.size(), 1); });
  size_t before = allocationcount::allocations;
  SIZE_T memoryBefore = workingSet();
  InstallScript counted;
  LoadInstallScript(counted, "install.inf");
  size_t allocations = allocationcount::allocations - before;
  double memory = static_cast<double>(workingSet() - memoryBefore);
  std::printf("script: %d events, %d file entries, %zu bytes\n", kEvents, kEntries, bytes.size());
  std::printf("bytes one by one through the stream: %8.2f ms\n", floor);
  std::printf("load of the script:                  %8.2f ms (goal under 100 ms)\n", load);
  std::printf("allocations of one load:             %8zu (%.2f per event or file entry)\n", allocations,
              static_cast<double>(allocations) / (kEvents + kEntries));
  std::printf("memory of one load:                  %8.0f KB (%.2f bytes per byte of script)\n",
              memory / 1024, memory / static_cast<double>(bytes.size()));
  std::printf("a fresh block of the script's size:  %8.2f ms\n", fresh);
  std::printf("load / floor:                        %8.2f (goal at most 3)\n", load / floor);
  // A loader that kept nothing but one copy of the script's bytes would still pay for that copy's
  // fresh memory: the floor of any load that holds what it read.
  std::printf("load / (floor + the fresh block):    %8.2f\n", load / (floor + fresh));
  ReleaseEventTypes();
  return 0;
}
