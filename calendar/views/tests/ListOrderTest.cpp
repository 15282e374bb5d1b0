#include <calendar/views/ListOrder.h>

#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <random>

using namespace listorder;

namespace {

const CDate kToday(10, 12, 2026);

struct Events {
  // A listed event `days` after today, at `time` minutes (-1 none); days < 0 leaves it without a date.
  CListEntry* Add(const std::string& name, int days, int time = -1, const std::string& type = "Birthday") {
    auto event = std::make_unique<CEventItem>(kToday);
    event->name = name;
    event->type = type;
    event->eventTime = time;
    event->nextDate = CDate::FromDayNumber(0);
    if (days >= 0) {
      event->nextDate = kToday + days;
      event->daysLeft = days;
      event->weekdayIndex = event->nextDate.Weekday() % 7;
    }
    events.push_back(std::move(event));
    entries.push_back(std::make_unique<CListEntry>(events.back().get()));
    return entries.back().get();
  }
  CListEntry* AddHoliday(const std::string& name, int days) {
    auto holiday = std::make_unique<CHoliday>();
    holiday->name = name;
    CDate date = kToday + days;
    date.GetDMY(holiday->day, holiday->month, holiday->year);
    holiday->daysLeft = days;
    holidays.push_back(std::move(holiday));
    entries.push_back(std::make_unique<CListEntry>(holidays.back().get()));
    return entries.back().get();
  }
  std::vector<CListEntry*> Inserted() const {
    std::vector<CListEntry*> all;
    for (const auto& entry : entries)
      all.push_back(entry.get());
    return all;
  }
  static std::vector<std::string> Names(const std::vector<CListEntry*>& list) {
    std::vector<std::string> names;
    for (CListEntry* entry : list)
      names.push_back(entry->event ? entry->event->name : entry->holiday->name);
    return names;
  }

  std::vector<std::unique_ptr<CEventItem>> events;
  std::vector<std::unique_ptr<CHoliday>> holidays;
  std::vector<std::unique_ptr<CListEntry>> entries;
};

// The list as the insertion walk builds it: each entry goes before the first one not smaller than it.
std::vector<CListEntry*> InsertOneByOne(const std::vector<CListEntry*>& inserted,
                                        const std::vector<int>& columns) {
  std::list<CListEntry*> list;
  for (CListEntry* entry : inserted) {
    Keys keys = MakeKeys(*entry);
    auto at = list.begin();
    while (at != list.end() && Compare(MakeKeys(**at), keys, columns) < 0)
      ++at;
    list.insert(at, entry);
  }
  return {list.begin(), list.end()};
}

} // namespace

TEST(ListOrderTest, DateTimeOrderPutsTodayFirstEqualDatesNewestFirstAndUndatedLast) {
  Events e;
  e.Add("Tomorrow", 1);
  e.Add("Custom not found", -1);
  e.Add("Early", 3);
  e.Add("Late", 3);
  e.Add("Timed", 3, 600);
  e.Add("Today", 0, 900);
  e.AddHoliday("Feast", 2);
  EXPECT_EQ(
      Events::Names(Order(e.Inserted(), {kDate, kTime})),
      (std::vector<std::string>{"Today", "Tomorrow", "Feast", "Late", "Early", "Timed", "Custom not found"}));
}

TEST(ListOrderTest, KeysPerColumn) {
  Events e;
  CListEntry* undated = e.Add("Lost", -1);
  CListEntry* dated = e.Add("Dated", 5, 75, "Work");
  dated->event->yearly = 1;
  dated->event->noYear = 0;
  dated->event->age = 40;
  CListEntry* noYear = e.Add("No year", 5);
  noYear->event->yearly = 1;
  noYear->event->age = 12;
  CListEntry* holiday = e.AddHoliday("Feast", 3); // Sunday 13 December 2026

  struct Case {
    const char* name;
    CListEntry* entry;
    int column;
    int key;
  } cases[] = {
      {"undated date", undated, kDate, kNoDateKey},
      {"undated days left", undated, kDaysLeft, kNoDateKey},
      {"date", dated, kDate, 20261215},
      {"days left", dated, kDaysLeft, 5},
      {"weekday, Sunday 0", dated, kDay, 2},
      {"time", dated, kTime, 75},
      {"age of a yearly event with a year", dated, kAge, 40},
      {"age without a year", noYear, kAge, kNoAgeKey},
      {"age of a holiday", holiday, kAge, kNoAgeKey},
      {"holiday weekday", holiday, kDay, 0},
      {"holiday date", holiday, kDate, 20261213},
      {"holiday time", holiday, kTime, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MakeKeys(*c.entry).number[static_cast<size_t>(c.column)], c.key) << c.name;
  EXPECT_STREQ(MakeKeys(*holiday).type, "Holiday");
  EXPECT_STREQ(MakeKeys(*dated).type, "Work");
}

TEST(ListOrderTest, AgeSortPutsEntriesWithoutAgeLastAndTextsCompareBytewise) {
  Events e;
  CListEntry* old = e.Add("old", 1);
  old->event->yearly = 1;
  old->event->noYear = 0;
  old->event->age = 70;
  CListEntry* young = e.Add("young", 2);
  young->event->yearly = 1;
  young->event->noYear = 0;
  young->event->age = 3;
  e.Add("none", 3);
  e.Add("Zed", 4);
  // Born in a year still to come: its Age cell is empty, and it sorts with the entries without an age.
  CListEntry* future = e.Add("future", 5);
  future->event->yearly = 1;
  future->event->noYear = 0;
  future->event->age = -1;
  EXPECT_EQ(Events::Names(Order(e.Inserted(), {kAge})),
            (std::vector<std::string>{"young", "old", "future", "Zed", "none"}));
  EXPECT_EQ(Events::Names(Order(e.Inserted(), {kName})),
            (std::vector<std::string>{"Zed", "future", "none", "old", "young"}));
}

TEST(ListOrderTest, StableSortGivesTheInsertionWalksOrderOnRandomData) {
  std::mt19937 random(17);
  const std::vector<std::vector<int>> sorts = {{kDate, kTime}, {kType, kAge}, {kType, kDate, kTime},
                                               {kType, kName}, {kDaysLeft},   {kDay}};
  for (int round = 0; round < 40; ++round) {
    Events e;
    int count = static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) {
      static const char* const kTypes[] = {"Work", "Birthday", "Alarm"};
      static const char* const kNames[] = {"a", "b", "c", "d"};
      if (random() % 5 == 0) {
        e.AddHoliday(kNames[random() % 4], static_cast<int>(random() % 6));
        continue;
      }
      CListEntry* entry = e.Add(kNames[random() % 4], static_cast<int>(random() % 7) - 1,
                                static_cast<int>(random() % 3) - 1, kTypes[random() % 3]);
      entry->event->yearly = static_cast<int>(random() % 2);
      entry->event->noYear = static_cast<int>(random() % 2);
      entry->event->age = static_cast<int>(random() % 3);
    }
    for (const auto& columns : sorts)
      ASSERT_EQ(Order(e.Inserted(), columns), InsertOneByOne(e.Inserted(), columns)) << "round " << round;
  }
}
