#include <calendar2/MonthDay.h>

#include <gtest/gtest.h>

namespace {

TEST(MonthDayTest, TypedDatesAndTheirNormalForms) {
  struct Case {
    const char* typed;
    const char* normal;
  } cases[] = {
      {"1/5", "01/05"},  {"12/25", "12/25"}, {"1/25", "01/25"},       {"12/5", "12/05"},   {"1225", "12/25"},
      {"7/4", "07/04"},  {"01/01", "01/01"}, {"12/25/1999", "12/25"}, {"", "00/00"},       {"5", "55/00"},
      {"/5", "05/00"},   {"1/", "01/00"},    {"7-4", "7-/04"},        {"CANCEL", "CA/00"}, {"ab/cd", "ab/00"},
      {"1/2x", "01/02"}, {"12/3/", "12/03"}, {"123456789", "12/45"},
  };
  for (const Case& c : cases) {
    std::string normal = plovera::NormalizeMonthDay(c.typed);
    EXPECT_EQ(normal, c.normal) << "typed \"" << c.typed << "\"";
    EXPECT_EQ(normal.size(), 5u);
  }
}

} // namespace
