#pragma once

#include <calendar/data/CDate.h>

#include <appframe/CObject.h>

// What a view update means. The object travelling with it is named beside each.
enum Hint : long {
  kHintEntryCurrent = 2, // CListEntry: the entry became current
  kHintListChanged = 3,  // none, or CListEntry: the entry to select and mark
  kHintDayChosen = 4,    // CDateObject: the chosen date
  kHintNoDate = 5,       // the current entry has no date
  kHintStoreColumns = 6, // store the event list's column widths
  kHintShowToday = 7,    // show today's month
  kHintDayChanged = 8,   // the day changed: mark today anew
  kHintEditEvent = 9,    // CListEntry: edit this event
  kHintDeleteEvent = 10, // CListEntry: delete this event
  kHintWeekStart = 11,   // the first day of the week changed
  // The document is about to free its events (a restore, a conversion): every view lets go of the
  // entries that point at them; a hint 3 follows.
  kHintEventsReplaced = 12,
};

// A date travelling with a view update.
class CDateObject : public CObject {
public:
  explicit CDateObject(const CDate& d) : date(d) {}
  CDate date;
};
