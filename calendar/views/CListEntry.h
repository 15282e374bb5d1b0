#pragma once

#include <calendar/data/CEventItem.h>
#include <calendar/data/CHoliday.h>

#include <appframe/CObject.h>

// One entry of the lists: an event of the document (kind 0) or a holiday of the holiday table (kind 1).
class CListEntry : public CObject {
public:
  enum Kind { EventKind = 0, HolidayKind = 1 };

  explicit CListEntry(CEventItem* e) : kind(EventKind), event(e) {}
  explicit CListEntry(CHoliday* h) : kind(HolidayKind), holiday(h) {}

  int kind;
  CEventItem* event = nullptr;
  CHoliday* holiday = nullptr;
};
