#include <calendar/data/CEventText.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Texts laid in an arena of small blocks: one fills a block's rest, one is longer than a block, and the
// arena goes before its texts do.
TEST(CEventTextTest, ArenaTextsOutliveTheArenaWhateverTheirLength) {
  CEventText a, b, c, d;
  {
    CEventTextArena arena(16);
    a.AssignIn(arena, "0123456789");
    b.AssignIn(arena, "abcd"); // 5 + 11 bytes: the first block is full
    c.AssignIn(arena, std::string(100, 'c'));
    d.AssignIn(arena, "next");
    CEventText e;
    e.AssignIn(arena, "");
    EXPECT_TRUE(e.empty());
    EXPECT_STREQ(e.c_str(), "");
  }
  b = "own";
  EXPECT_EQ(a, "0123456789");
  EXPECT_EQ(b, "own");
  EXPECT_EQ(c, std::string(100, 'c'));
  EXPECT_EQ(d, "next");
  EXPECT_EQ(c.c_str()[100], '\0');
  a = a.View().substr(4); // from a part of itself
  EXPECT_EQ(a, "456789");
  CEventText moved = std::move(d);
  EXPECT_EQ(moved, "next");
  EXPECT_TRUE(d.empty());
}

// Where callers use an event's text as they would a std::string.
TEST(CEventTextTest, ReadsAsAStringInComparisonsJoinsAndStreams) {
  CEventText name(std::string_view("Dentist"));
  std::string same = "Dentist";
  EXPECT_TRUE(name == same && same == name && name == "Dentist" && "Dentist" == name);
  EXPECT_TRUE(name != "Doctor" && "Doctor" != name);
  EXPECT_TRUE(name < "Doctor" && "Birthday" < name && name < CEventText(std::string_view("E")));
  EXPECT_EQ("Delete \"" + name + "\"?", "Delete \"Dentist\"?");
  EXPECT_EQ(same + name, "DentistDentist");
  std::string converted = name;
  EXPECT_EQ(converted, same);
  std::ostringstream out;
  out << name;
  EXPECT_EQ(out.str(), same);
  bool holiday = false;
  EXPECT_EQ(holiday ? same : name, "Dentist") << "a std::string and an event text meet as std::strings";
}

} // namespace
