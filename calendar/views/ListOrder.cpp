#include <calendar/views/ListOrder.h>

#include <algorithm>
#include <cstring>

namespace listorder {

namespace {

const char kHolidayType[] = "Holiday";

int DateKey(const CDate& date) { return date.Year() * 10000 + date.Month() * 100 + date.Day(); }

Keys EventKeys(const CEventItem& event) {
  Keys keys;
  keys.name = event.name.c_str();
  keys.type = event.type.c_str();
  keys.number[kDay] = event.weekdayIndex;
  bool dated = event.HasNextDate();
  keys.number[kDate] = dated ? DateKey(event.nextDate) : kNoDateKey;
  keys.number[kDaysLeft] = dated ? event.daysLeft : kNoDateKey;
  keys.number[kTime] = event.eventTime;
  // A yearly event whose year is still to come has no age yet: it sorts with those that have none.
  keys.number[kAge] = event.yearly && !event.noYear && event.age >= 0 ? event.age : kNoAgeKey;
  return keys;
}

Keys HolidayKeys(const CHoliday& holiday) {
  Keys keys;
  keys.name = holiday.name.c_str();
  keys.type = kHolidayType;
  CDate date = holiday.Date();
  keys.number[kDay] = date.Weekday() % 7; // Sunday first
  keys.number[kDate] = DateKey(date);
  keys.number[kDaysLeft] = holiday.daysLeft;
  keys.number[kTime] = -1;
  keys.number[kAge] = kNoAgeKey;
  return keys;
}

} // namespace

Keys MakeKeys(const CListEntry& entry) {
  return entry.kind == CListEntry::EventKind ? EventKeys(*entry.event) : HolidayKeys(*entry.holiday);
}

int Compare(const Keys& a, const Keys& b, const std::vector<int>& sortColumns) {
  for (int column : sortColumns) {
    int result = 0;
    if (column == kName)
      result = std::strcmp(a.name, b.name);
    else if (column == kType)
      result = std::strcmp(a.type, b.type);
    else if (a.number[column] != b.number[column])
      result = a.number[column] < b.number[column] ? -1 : 1;
    if (result != 0)
      return result;
  }
  return 0;
}

std::vector<CListEntry*> Order(const std::vector<CListEntry*>& inserted,
                               const std::vector<int>& sortColumns) {
  struct Item {
    Keys keys;
    CListEntry* entry;
  };
  std::vector<Item> items;
  items.reserve(inserted.size());
  for (auto it = inserted.rbegin(); it != inserted.rend(); ++it)
    items.push_back({MakeKeys(**it), *it});
  std::stable_sort(items.begin(), items.end(),
                   [&](const Item& a, const Item& b) { return Compare(a.keys, b.keys, sortColumns) < 0; });
  std::vector<CListEntry*> ordered;
  ordered.reserve(items.size());
  for (const Item& item : items)
    ordered.push_back(item.entry);
  return ordered;
}

} // namespace listorder
