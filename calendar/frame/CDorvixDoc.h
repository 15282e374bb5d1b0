#pragma once

#include <calendar/data/CAppSettings.h>
#include <calendar/data/CEventFile.h>
#include <calendar/data/CHolidayTable.h>
#include <calendar/frame/AlarmRules.h>

#include <appframe/CDocument.h>

#include <memory>
#include <unordered_map>
#include <vector>

// The calendar's one document: every event, the event file and the holiday table, the show-all flag
// and the number of entries listed. Views learn of changes only through UpdateAllViews. The alarm state
// of each event (raised, snoozed) is kept here by serial number, so that it outlives a day change and
// an alarm window never holds an event that may be gone.
class CDorvixDoc : public CDocument {
public:
  // Loads the events and holidays, counts what is listed and chooses how the main window first shows.
  CDorvixDoc();
  ~CDorvixDoc() override;

  // Works out every event's next date against today; the number listed.
  int RefreshEvents(int showAll);
  // Listed holidays + listed events, kept as the listed count. Every change that sends hint 3 has
  // recounted first, so views read the listed flags as they are.
  int Recount();
  void SetShowAll(int flag);
  // Appends the event and the file record; the file's result.
  int AddEvent(std::unique_ptr<CEventItem> event);
  // Takes the event out of the array and rewrites the file; the caller gets the event. When the file
  // cannot be rewritten the event stays, and the result is empty.
  std::unique_ptr<CEventItem> DeleteEvent(int index);
  // The edited copy of an event (found by its serial number) in place of the event, and the file
  // rewritten; when that fails the event stays as it was and the result is 0.
  int ModifyEvent(const CEventItem& edited);
  void DeleteAllEvents();
  // The file's events in place of the array's; 0 when the file could not be read. Events read back
  // unchanged keep their identity.
  int ReloadEvents();
  // The previous version's file in place of the events, which stay as they are when that fails.
  int ConvertFile();

  int GetEventCount() const { return static_cast<int>(events.size()); }
  CEventItem* GetEvent(int index) const { return events[static_cast<size_t>(index)].get(); }
  CEventItem* FindEvent(int serial) const;
  int IndexOf(int serial) const;

  // The events whose alarm is raised at `now` (absolute minutes), in array order.
  std::vector<CEventItem*> CheckAlarms(long long now);
  void SnoozeAlarm(int serial, long long now, int minutes);
  void ClearSnooze(int serial);

  // How the main window first shows for the start-up mode and the listed count.
  static int FirstShowCommand(int defaultShow, int listedCount, const CAppSettings& settings);

  int showAll = 0;
  int listedCount = 0;
  CEventArray events;
  CEventFile eventFile;
  std::unique_ptr<CHolidayTable> holidays;

private:
  void Renumber();
  // The events in place of the array's, after the views have let go of the old ones.
  void TakeEvents(CEventArray fresh);
  std::unordered_map<int, alarmrules::AlarmState> alarms_;
};
