#pragma once

#include <calendar/data/CDate.h>
#include <calendar/data/CEventText.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// One calendar entry: name, type, notes, date, optional time and alarm, notification window, and one
// recurrence kind (one time, weekly, monthly, yearly or a custom pattern). The last group of fields is
// what ComputeNextDate works out against today.
class CEventItem {
public:
  static constexpr size_t kMaxNameLength = 39;
  static constexpr size_t kMaxTypeLength = 39;
  static constexpr size_t kMaxNotesLength = 199;
  static constexpr int kAllQuarters = 15;
  static constexpr int kAllMonths = 4095;
  static constexpr int kAllWeeks = 63;
  static constexpr int kAllWeekdays = 127;
  // Week mask bits besides 1, 2, 4, 8 (days 1-7 ... 22-28).
  static constexpr int kLastSevenDays = 16;
  static constexpr int kDay29On = 32;

  CEventItem();
  // The same with "today" given, for building many events at once.
  explicit CEventItem(const CDate& today);
  // The same with the type given instead of the default one, for a reader that sets every field.
  CEventItem(const CDate& today, CEventText type);
  virtual ~CEventItem() = default;
  CEventItem(const CEventItem&) = default;
  CEventItem& operator=(const CEventItem&) = default;

  // Events live in slots of one pool: a file's events take a few large blocks instead of one allocation
  // each (a class derived from this one is allocated as usual).
  static void* operator new(std::size_t size);
  static void operator delete(void* event, std::size_t size) noexcept;
  // Makes room for `count` more events in one block, before a load makes them.
  static void ReserveSlots(std::size_t count);

  enum class Kind { OneTime, Weekly, Monthly, Yearly, Custom };
  // The kind that applies when several flags are set (old files hold such records): custom, one time,
  // weekly, monthly, yearly; with none set, one time. The one-time flag counts only when it is 1.
  Kind RecurrenceKind() const;

  // Moves d forward to the first date on or after it that fits the custom pattern, looking no further
  // than the end of the tenth year after d's year. Returns 1 when found, else 0.
  int FindNextOccurrence(CDate& d);
  // Works out the next date, days left, age, weekday and whether the event is listed, against today.
  void ComputeNextDate(const CDate& today, int showAll);
  // False for an event without a date to show: a custom pattern not found, or a stored date that no
  // rule can turn into a day. Such an event takes no part in alarms or day marks.
  bool HasNextDate() const { return nextDate.IsValid(); }

  int searchStartYear = 0;
  int alarmRaised = 0;
  int patternFound = 0;
  int alarmEnabled = 0;
  int weekdayIndex = 0; // 0 = Sunday ... 6 = Saturday; 7 when the day field is -1
  int day;
  int month;
  int year;
  int eventTime = -1; // minutes after midnight, -1 none
  int leadMinutes;
  int daysPrior = 14;
  CEventText type;
  CEventText name;
  CEventText notes;
  int notifyDisabled = 0;
  int oneTime = 1;
  int weekly = 0;
  int monthly = 0;
  int yearly = 0;
  int age = -1;
  int daysLeft = -1;
  int listed = 0;
  int noYear = 1;
  std::string weekdayName;
  int custom = 0;
  int quarterMask = kAllQuarters;
  int monthMask = kAllMonths;
  int weekMask = 0;
  int weekdayMask = 0;
  int patternYear = -1;
  int weeksInterval = 1;
  int listIndex = 0;
  CDate nextDate;
  int serialNumber;
  int snoozeMinutes = 0;

private:
  CDate NextOneTime() const;
  CDate NextWeekly(const CDate& today) const;
  CDate NextMonthly(const CDate& today);
  CDate NextYearly(const CDate& today) const;
};

// The document's events, in file order.
using CEventArray = std::vector<std::unique_ptr<CEventItem>>;
