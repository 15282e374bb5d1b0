#pragma once

// A large calendar for the benchmarks: events of every recurrence kind (custom masks and pattern years
// among them), alarms on about half, made the same way on every run from a seed.
#include <calendar/data/CAppSettings.h>
#include <calendar/data/CEventFile.h>
#include <calendar/data/DataFolder.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace mixedevents {

class Random {
public:
  explicit Random(std::uint64_t seed) : m_state(seed) {}
  int Next(int below) {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((m_state >> 33) % static_cast<std::uint64_t>(below));
  }

private:
  std::uint64_t m_state;
};

inline CEventArray Make(int count, std::uint64_t seed) {
  Random random(seed);
  CEventArray events;
  for (int i = 0; i < count; ++i) {
    auto e = std::make_unique<CEventItem>();
    e->name = "Event " + std::to_string(i);
    e->type = "Meeting";
    e->notes = "Notes of event " + std::to_string(i);
    e->day = 1 + random.Next(31);
    e->month = 1 + random.Next(12);
    e->year = 1990 + random.Next(45);
    e->eventTime = random.Next(4) == 0 ? -1 : random.Next(1440);
    e->alarmEnabled = random.Next(2);
    e->daysPrior = random.Next(60);
    e->noYear = random.Next(2);
    e->oneTime = e->weekly = e->monthly = e->yearly = e->custom = 0;
    switch (i % 5) {
    case 0:
      e->oneTime = 1;
      break;
    case 1:
      e->weekly = 1;
      e->weeksInterval = random.Next(51); // 0 included, as old files may hold it
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
      e->quarterMask = 1 + random.Next(15);
      e->monthMask = 1 + random.Next(4095);
      e->weekMask = 1 + random.Next(63);
      e->weekdayMask = 1 + random.Next(127);
      e->patternYear = random.Next(10) == 0 ? 2026 + random.Next(20) : -1;
      break;
    }
    events.push_back(std::move(e));
  }
  return events;
}

// The program's settings in a data folder of its own, quiet: no first-run questions, splash, sounds,
// backups, daily alert or exit questions. The caller adds what it needs and saves them.
inline CAppSettings& QuietSettings(const char* folder) {
  CreateDirectoryA(folder, nullptr);
  DataFolder::Set(folder);
  CAppSettings& settings = AppSettings();
  settings.firstRun = 0;
  settings.splashEnabled = 0;
  settings.soundEnabled = 0;
  settings.alarmSoundEnabled = 0;
  settings.autoBackup = 0;
  settings.dailyAlert = 0;
  settings.saveOnExit = 0;
  settings.warnExit = 0;
  return settings;
}

} // namespace mixedevents
