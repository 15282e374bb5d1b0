#include <calendar/dialogs/EventTypeList.h>

#include <calendar/data/CAppSettings.h>

#include <gtest/gtest.h>

namespace {

std::string defaultName(const EventTypeList& list) {
  return list.Default() < 0 ? "" : list.Types()[static_cast<size_t>(list.Default())];
}

} // namespace

TEST(EventTypeListTest, AddsInOrderAndTheDefaultStaysWithItsEntry) {
  EventTypeList list(CAppSettings::DefaultEventTypes(), 2); // Birthday
  EXPECT_EQ(list.Add("Zoo"), 6);
  EXPECT_EQ(list.Add("apple"), 2);
  EXPECT_EQ(list.Types(), (std::vector<std::string>{"Alarm", "Anniversary", "apple", "Birthday", "Holiday",
                                                    "Meeting", "Work", "Zoo"}));
  EXPECT_EQ(defaultName(list), "Birthday");
}

TEST(EventTypeListTest, ModifyAndDeleteAroundTheDefault) {
  struct {
    const char* name;
    void (*change)(EventTypeList&);
    const char* defaultAfter;
  } const cases[] = {
      {"an entry before it moves after it", [](EventTypeList& l) { l.Modify(0, "Zebra"); }, "Birthday"},
      {"an entry after it moves before it", [](EventTypeList& l) { l.Modify(5, "Aardvark"); }, "Birthday"},
      {"the default itself is renamed", [](EventTypeList& l) { l.Modify(2, "Wedding"); }, "Wedding"},
      {"an entry before it goes", [](EventTypeList& l) { l.Delete(0); }, "Birthday"},
      {"an entry after it goes", [](EventTypeList& l) { l.Delete(4); }, "Birthday"},
      {"the default goes", [](EventTypeList& l) { l.Delete(2); }, ""},
      {"cleared", [](EventTypeList& l) { l.ClearDefault(); }, ""},
      {"another is set", [](EventTypeList& l) { l.SetDefault(4); }, "Meeting"},
  };
  for (const auto& c : cases) {
    EventTypeList list(CAppSettings::DefaultEventTypes(), 2);
    c.change(list);
    EXPECT_EQ(defaultName(list), c.defaultAfter) << c.name;
  }
  EventTypeList unsorted({"Work", "Alarm", "Meeting"}, 0);
  EXPECT_EQ(defaultName(unsorted), "Work");
  EXPECT_EQ(EventTypeList({"Work"}, 5).Default(), -1);
}

TEST(EventTypeListTest, TheHundredthTypeIsRefused) {
  EventTypeList list({}, -1);
  for (int i = 0; i < 99; ++i)
    ASSERT_GE(list.Add("Type " + std::to_string(i)), 0);
  EXPECT_EQ(list.Add("One more"), -1);
  EXPECT_EQ(list.Count(), 99);
}
