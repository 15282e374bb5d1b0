#include <calendar/frame/CDorvixDoc.h>

#include <calendar/data/UserMessage.h>
#include <calendar/views/CListEntry.h>
#include <calendar/views/Hints.h>

#include <appframe/CWinApp.h>

CDorvixDoc::CDorvixDoc() {
  CAppSettings& settings = AppSettings();
  eventFile.LoadEvents(events);
  Renumber();
  showAll = settings.showState;
  holidays = std::make_unique<CHolidayTable>();
  Recount();
  if (CWinApp* app = AfxGetApp())
    app->m_nCmdShow = FirstShowCommand(app->m_nCmdShow, listedCount, settings);
}

CDorvixDoc::~CDorvixDoc() = default;

int CDorvixDoc::FirstShowCommand(int defaultShow, int listedCount, const CAppSettings& settings) {
  if (settings.startupMode == 2 || (settings.startupMode == 3 && listedCount == 0))
    return settings.newShell ? SW_HIDE : SW_SHOWMINNOACTIVE;
  if (settings.maximized == 1)
    return SW_SHOWMAXIMIZED;
  return defaultShow;
}

int CDorvixDoc::RefreshEvents(int flag) {
  CDate today;
  int listed = 0;
  for (auto& event : events) {
    event->ComputeNextDate(today, flag);
    listed += event->listed;
  }
  return listed;
}

int CDorvixDoc::Recount() {
  listedCount = holidays->CountListedHolidays(showAll) + RefreshEvents(showAll);
  return listedCount;
}

void CDorvixDoc::SetShowAll(int flag) {
  if (flag == showAll)
    return;
  showAll = flag;
  Recount();
  UpdateAllViews(nullptr, kHintListChanged);
}

int CDorvixDoc::AddEvent(std::unique_ptr<CEventItem> event) {
  // The list holds only what the file keeps: an event the file refused would ring now and be gone after
  // the next start.
  if (!eventFile.AppendEvent(*event))
    return 0;
  CEventItem* added = event.get();
  added->listIndex = GetEventCount();
  events.push_back(std::move(event));
  Recount();
  CListEntry entry(added);
  UpdateAllViews(nullptr, kHintListChanged, &entry);
  return 1;
}

std::unique_ptr<CEventItem> CDorvixDoc::DeleteEvent(int index) {
  if (index < 0 || index >= GetEventCount())
    return nullptr;
  auto at = events.begin() + index;
  std::unique_ptr<CEventItem> event = std::move(*at);
  events.erase(at);
  // The list and the file agree: when the file keeps the event (it could not be written, or the user
  // would not have it replaced), so does the list.
  if (!eventFile.WriteEvents(events)) {
    events.insert(events.begin() + index, std::move(event));
    return nullptr;
  }
  // Only an entry that was listed leaves the count.
  if (event->listed && listedCount > 0)
    --listedCount;
  alarms_.erase(event->serialNumber);
  Renumber();
  return event;
}

int CDorvixDoc::ModifyEvent(const CEventItem& edited) {
  CEventItem* event = FindEvent(edited.serialNumber);
  if (!event)
    return 0;
  // The event's place may have moved while it was edited (another one deleted meanwhile): the live
  // index stays.
  CEventItem before = *event;
  *event = edited;
  event->listIndex = before.listIndex;
  if (eventFile.WriteEvents(events))
    return 1;
  *event = before;
  return 0;
}

void CDorvixDoc::DeleteAllEvents() {
  UpdateAllViews(nullptr, kHintEventsReplaced);
  events.clear();
  alarms_.clear();
}

void CDorvixDoc::TakeEvents(CEventArray fresh) {
  // An event read back unchanged is the same event: it keeps its serial number, and with it its alarm
  // state and any alarm window open on it. A record can match one event only.
  std::vector<std::string> records;
  for (const auto& event : events)
    records.push_back(CEventFile::PackEventRecord(*event));
  std::vector<bool> matched(events.size(), false);
  CDate today;
  for (auto& event : fresh) {
    // Worked out as the events in memory were (a monthly event's month moves on with it).
    event->ComputeNextDate(today, showAll);
    std::string record = CEventFile::PackEventRecord(*event);
    for (size_t i = 0; i < events.size(); ++i)
      if (!matched[i] && records[i] == record) {
        matched[i] = true;
        event->serialNumber = events[i]->serialNumber;
        break;
      }
  }
  for (size_t i = 0; i < events.size(); ++i)
    if (!matched[i])
      alarms_.erase(events[i]->serialNumber);
  UpdateAllViews(nullptr, kHintEventsReplaced);
  events = std::move(fresh);
}

int CDorvixDoc::ReloadEvents() {
  CEventArray fresh;
  int result = eventFile.LoadEvents(fresh);
  TakeEvents(std::move(fresh));
  Renumber();
  Recount();
  UpdateAllViews(nullptr, kHintListChanged);
  return result;
}

int CDorvixDoc::ConvertFile() {
  // Converted aside, so that the events stay as they are when the conversion fails.
  CEventArray converted;
  if (!eventFile.ConvertAndRewrite(converted)) {
    ShowUserMessage("Error converting file.", "Version 1.2 File Conversion", MB_OK | MB_ICONINFORMATION);
    return 0;
  }
  UpdateAllViews(nullptr, kHintEventsReplaced);
  events = std::move(converted);
  alarms_.clear();
  Renumber();
  Recount();
  ShowUserMessage(
      "Events file 'events.dat' converted to 'events20.dat'.\nOriginal 'events20.dat' file renamed to "
      "'events20.old'.",
      "Version 1.2 File Conversion", MB_OK | MB_ICONINFORMATION);
  UpdateAllViews(nullptr, kHintListChanged);
  return 1;
}

CEventItem* CDorvixDoc::FindEvent(int serial) const {
  int index = IndexOf(serial);
  return index < 0 ? nullptr : GetEvent(index);
}

int CDorvixDoc::IndexOf(int serial) const {
  for (size_t i = 0; i < events.size(); ++i)
    if (events[i]->serialNumber == serial)
      return static_cast<int>(i);
  return -1;
}

void CDorvixDoc::Renumber() {
  for (size_t i = 0; i < events.size(); ++i)
    events[i]->listIndex = static_cast<int>(i);
}

std::vector<CEventItem*> CDorvixDoc::CheckAlarms(long long now) {
  std::vector<CEventItem*> raised;
  for (auto& event : events) {
    auto found = alarms_.find(event->serialNumber);
    if (found == alarms_.end() && !alarmrules::CanRing(*event))
      continue;
    alarmrules::AlarmState& state = alarms_[event->serialNumber];
    if (alarmrules::CheckAlarm(*event, now, state))
      raised.push_back(event.get());
    event->alarmRaised = state.raised;
  }
  return raised;
}

void CDorvixDoc::SnoozeAlarm(int serial, long long now, int minutes) {
  alarmrules::Snooze(alarms_[serial], now, minutes);
  if (CEventItem* event = FindEvent(serial))
    event->alarmRaised = 0;
}

void CDorvixDoc::ClearSnooze(int serial) {
  auto found = alarms_.find(serial);
  if (found == alarms_.end())
    return;
  // The user answered this alarm by opening the event: it does not ring again for this occurrence (not
  // even while the dialog is open), and a changed time rings at its own next window.
  found->second.reRing = alarmrules::kNone;
  found->second.raised = true;
}
