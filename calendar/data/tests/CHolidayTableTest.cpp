#include <calendar/data/CHolidayTable.h>

#include <calendar/data/FileBytes.h>
#include <calendar/data/HolidayRules.h>
#include <calendar/data/ShippedHolidays.h>
#include <calendar/tests/CalendarFixture.h>
#include <clock/Clock.h>

#include <gtest/gtest.h>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

struct Ymd {
  int year, month, day;
};

CDate dateOf(Ymd d) { return CDate(d.day, d.month, d.year); }

CHoliday rule(int kind, int a, int b, int c, const char* code = "") {
  CHoliday holiday;
  holiday.name = "Rule";
  holiday.enabled = 1;
  holiday.ruleKind = kind;
  holiday.ruleA = a;
  holiday.ruleB = b;
  holiday.ruleC = c;
  holiday.feastCode = code;
  return holiday;
}

TEST(HolidayRulesTest, EasterByTheFullGregorianRule) {
  Ymd cases[] = {
      {1753, 4, 22}, {1818, 3, 22}, {1886, 4, 25}, {1943, 4, 25}, {1954, 4, 18}, {1981, 4, 19},
      {2000, 4, 23}, {2008, 3, 23}, {2011, 4, 24}, {2026, 4, 5},  {2038, 4, 25}, {2049, 4, 18},
      {2076, 4, 19}, {2285, 3, 22}, {2500, 4, 18}, {3000, 4, 13},
  };
  for (const Ymd& c : cases) {
    EXPECT_EQ(holidayrules::EasterSunday(c.year), dateOf(c)) << c.year;
  }
  for (int year = 1753; year <= 3000; ++year) {
    CDate easter = holidayrules::EasterSunday(year);
    ASSERT_EQ(easter.Weekday(), 7) << year;
    ASSERT_GE(easter, CDate(22, 3, year)) << year;
    ASSERT_LE(easter, CDate(25, 4, year)) << year;
  }
}

TEST(HolidayRulesTest, DatesOfEveryRuleKind) {
  constexpr Ymd none{0, 0, 0};
  struct Case {
    const char* name;
    CHoliday holiday;
    int year;
    Ymd expected;
  } cases[] = {
      {"Easter 2000", rule(3, 0, 0, 0, "easter  "), 2000, {2000, 4, 23}},
      {"Good Friday 2000", rule(3, 0, 0, 0, "goodfri "), 2000, {2000, 4, 21}},
      {"Ash Wednesday 2000", rule(3, 0, 0, 0, "ashwed  "), 2000, {2000, 3, 8}},
      {"Mardi Gras 2000", rule(3, 0, 0, 0, "mardigra"), 2000, {2000, 3, 7}},
      {"Palm Sunday 2000", rule(3, 0, 0, 0, "palmsun "), 2000, {2000, 4, 16}},
      {"Ascension 2000", rule(3, 0, 0, 0, "ascensio"), 2000, {2000, 6, 1}},
      {"Easter Monday 2000", rule(3, 0, 0, 0, "eastmon "), 2000, {2000, 4, 24}},
      {"Good Friday 1954", rule(3, 0, 0, 0, "goodfri "), 1954, {1954, 4, 16}},
      {"Ascension 2076", rule(3, 0, 0, 0, "ascensio"), 2076, {2076, 5, 28}},
      {"Ash Wednesday 2285", rule(3, 0, 0, 0, "ashwed  "), 2285, {2285, 2, 4}},
      {"election 2000", rule(3, 0, 0, 0, "election"), 2000, {2000, 11, 7}},
      {"election 2026, November 1 a Sunday", rule(3, 0, 0, 0, "election"), 2026, {2026, 11, 3}},
      {"election 2027, November 1 a Monday", rule(3, 0, 0, 0, "election"), 2027, {2027, 11, 2}},
      {"victoria 2000", rule(3, 0, 0, 0, "victoria"), 2000, {2000, 5, 22}},
      {"victoria 2026, May 25 a Monday", rule(3, 0, 0, 0, "victoria"), 2026, {2026, 5, 18}},
      {"victoria 2037, May 25 a Monday", rule(3, 0, 0, 0, "victoria"), 2037, {2037, 5, 18}},
      {"victoria 2029, May 24 a Thursday", rule(3, 0, 0, 0, "victoria"), 2029, {2029, 5, 21}},
      {"code without its blanks", rule(3, 0, 0, 0, "easter"), 2000, none},
      {"unknown code", rule(3, 0, 0, 0, "solstice"), 2000, none},
      {"last Monday of May 2000", rule(2, 5, 1, -1), 2000, {2000, 5, 29}},
      {"first Monday of September 2000", rule(2, 9, 1, 1), 2000, {2000, 9, 4}},
      {"fourth Thursday of November 2026", rule(2, 11, 4, 4), 2026, {2026, 11, 26}},
      {"last Sunday of a leap February", rule(2, 2, 7, -1), 2032, {2032, 2, 29}},
      {"fifth Wednesday of December 2026", rule(2, 12, 3, 5), 2026, {2026, 12, 30}},
      {"no fifth Monday in February 2027", rule(2, 2, 1, 5), 2027, none},
      {"weekday 0", rule(2, 5, 0, 1), 2026, none},
      {"weekday 8", rule(2, 5, 8, 1), 2026, none},
      {"week 6", rule(2, 5, 1, 6), 2026, none},
      {"week 0", rule(2, 5, 1, 0), 2026, none},
      {"month 13", rule(2, 13, 1, 1), 2026, none},
      {"fixed date", rule(1, 7, 4, 0), 2026, {2026, 7, 4}},
      {"fixed 29 February in a common year", rule(1, 2, 29, 0), 2027, none},
      {"fixed month 0", rule(1, 0, 4, 0), 2026, none},
      {"unknown rule kind", rule(4, 7, 4, 0), 2026, none},
  };
  for (const Case& c : cases) {
    CDate date = holidayrules::DateInYear(c.holiday, c.year);
    if (c.expected.year == 0) {
      EXPECT_FALSE(date.IsValid()) << c.name;
    } else
      EXPECT_EQ(date, dateOf(c.expected)) << c.name;
  }
}

class CHolidayTableTest : public CalendarFixture {
protected:
  std::string holidaysPath() const { return file("holidays.dat"); }
  void put(std::string& image, size_t offset, const std::string& value) {
    image.replace(offset, value.size(), value);
  }
  platform::ClockOverride clock{2026, 12, 9};
};

TEST_F(CHolidayTableTest, RecordByteForByte) {
  CHoliday labor = rule(2, 9, 1, 1);
  labor.name = "Labor Day";
  labor.notifyDays = 7;
  labor.description = "1st Monday in September";
  labor.listed = 1;
  labor.daysLeft = -3;
  labor.month = 9;
  labor.day = 7;
  labor.year = 2026;
  labor.weekdayName = "Monday";

  std::string r(133, '\0');
  put(r, 0, "Labor Day");                // name, zeros to 40
  put(r, 41, bytes({0x01, 0x00}));       // enabled
  put(r, 43, bytes({0x07, 0x00}));       // notify 7 days
  put(r, 45, bytes({0x02, 0x00}));       // weekday of a month
  put(r, 47, bytes({0x09, 0x00}));       // September
  put(r, 49, bytes({0x01, 0x00}));       // Monday
  put(r, 51, bytes({0x01, 0x00}));       // first week
  put(r, 62, "1st Monday in September"); // feast code at 53 stays zeros
  put(r, 113, bytes({0x01, 0x00}));      // listed
  put(r, 115, bytes({0xFD, 0xFF}));      // -3 days left
  put(r, 117, bytes({0x09, 0x00}));
  put(r, 119, bytes({0x07, 0x00}));
  put(r, 121, bytes({0xEA, 0x07})); // 2026
  put(r, 123, "Monday");
  EXPECT_EQ(CHolidayTable::PackHolidayRecord(labor), r);

  CHoliday back = CHolidayTable::UnpackHolidayRecord(r.data(), 4);
  EXPECT_EQ(back.index, 4);
  EXPECT_EQ(back.daysLeft, -3);
  EXPECT_EQ(back.description, "1st Monday in September");
  EXPECT_EQ(CHolidayTable::PackHolidayRecord(back), r);

  put(r, 0, std::string(41, 'H')); // no terminator in the name slot
  put(r, 53, "easter  ");
  put(r, 62, std::string(51, 'D'));
  back = CHolidayTable::UnpackHolidayRecord(r.data(), 0);
  EXPECT_EQ(back.name, std::string(40, 'H'));
  EXPECT_EQ(back.feastCode, "easter  ");
  EXPECT_EQ(back.description, std::string(50, 'D'));

  put(r, 0, std::string("Easter\0", 7));
  EXPECT_EQ(CHolidayTable::UnpackHolidayRecord(r.data(), 0).description,
            "1st Sun. after 1st full moon on/after Mar. 21");
}

TEST_F(CHolidayTableTest, KeepsEveryRecordAndRewritesThemAll) {
  std::vector<CHoliday> many;
  for (int i = 0; i < 150; ++i) {
    CHoliday holiday = rule(1, 1 + i % 12, 1 + i % 28, 0);
    holiday.name = "Holiday " + std::to_string(i);
    many.push_back(holiday);
  }
  std::string image = CHolidayTable::PackHolidays(many);
  ASSERT_TRUE(writeFile(holidaysPath(), image + image.substr(0, 60))); // and a short trailing piece

  CHolidayTable table;
  ASSERT_EQ(table.GetCount(), 150);
  EXPECT_EQ(table.GetAt(149).name, "Holiday 149");
  EXPECT_EQ(table.GetAt(149).index, 149);
  table.GetAt(120).enabled = 0;
  ASSERT_EQ(table.SaveHolidays(), 1);
  many[120].enabled = 0;
  EXPECT_EQ(readFile(holidaysPath()), CHolidayTable::PackHolidays(many));
}

TEST_F(CHolidayTableTest, MissingFileGivesAnEmptyTableWithoutAMessage) {
  CHolidayTable table;
  EXPECT_EQ(table.GetCount(), 0);
  EXPECT_EQ(table.CountListedHolidays(1), 0);
  EXPECT_TRUE(answerer.seen().empty());
}

TEST_F(CHolidayTableTest, AFailedSaveIsReportedAndKeepsTheFile) {
  std::string image = CHolidayTable::PackHolidays({rule(1, 7, 4, 0)});
  ASSERT_TRUE(writeFile(holidaysPath(), image));
  CHolidayTable table;
  table.GetAt(0).enabled = 0;
  ASSERT_TRUE(CreateDirectoryA((holidaysPath() + ".new").c_str(), nullptr));
  answerer.answer("could not be saved", IDOK);
  EXPECT_EQ(table.SaveHolidays(), 0);
  EXPECT_EQ(readFile(holidaysPath()), image);
}

TEST_F(CHolidayTableTest, CountsTheHolidaysWithinTheirNotice) {
  struct Row {
    const char* name;
    CHoliday holiday;
    int notifyDays;
    int enabled;
    Ymd listedShowAll; // year 0: not listed even with show all
    bool listedUpcoming;
  } rows[] = {
      {"Christmas beyond 14 days", rule(1, 12, 25, 0), 14, 1, {2026, 12, 25}, false},
      {"Christmas within 30 days", rule(1, 12, 25, 0), 30, 1, {2026, 12, 25}, true},
      {"today", rule(1, 12, 9, 0), 0, 1, {2026, 12, 9}, true},
      {"passed this year: next year", rule(1, 12, 1, 0), 0, 1, {2027, 12, 1}, false},
      {"New Year within notice", rule(1, 1, 1, 0), 30, 1, {2027, 1, 1}, true},
      {"no fifth Sunday in January 2026: 2027's", rule(2, 1, 7, 5), 60, 1, {2027, 1, 31}, true},
      {"Easter next year", rule(3, 0, 0, 0, "easter  "), 14, 1, {2027, 3, 28}, false},
      {"disabled", rule(1, 12, 10, 0), 14, 0, {0, 0, 0}, false},
      {"unknown feast", rule(3, 0, 0, 0, "unknown "), 14, 1, {0, 0, 0}, false},
      {"no fifth Monday in February, ever near", rule(2, 2, 1, 5), 400, 1, {0, 0, 0}, false},
  };
  std::vector<CHoliday> list;
  for (const Row& row : rows) {
    CHoliday holiday = row.holiday;
    holiday.notifyDays = row.notifyDays;
    holiday.enabled = row.enabled;
    list.push_back(holiday);
  }
  ASSERT_TRUE(writeFile(holidaysPath(), CHolidayTable::PackHolidays(list)));
  CHolidayTable table;

  int upcoming = 0, all = 0;
  for (const Row& row : rows) {
    upcoming += row.listedUpcoming;
    all += row.listedShowAll.year != 0;
  }
  EXPECT_EQ(table.CountListedHolidays(0), upcoming);
  for (int i = 0; i < table.GetCount(); ++i) {
    EXPECT_EQ(table.GetAt(i).listed, rows[i].listedUpcoming ? 1 : 0) << rows[i].name;
  }

  EXPECT_EQ(table.CountListedHolidays(1), all);
  for (int i = 0; i < table.GetCount(); ++i) {
    const CHoliday& holiday = table.GetAt(i);
    bool listed = rows[i].listedShowAll.year != 0;
    EXPECT_EQ(holiday.listed, listed ? 1 : 0) << rows[i].name;
    if (!listed)
      continue;
    CDate expected = dateOf(rows[i].listedShowAll);
    EXPECT_EQ(holiday.Date(), expected) << rows[i].name;
    EXPECT_EQ(holiday.daysLeft, expected - CDate(9, 12, 2026)) << rows[i].name;
    EXPECT_EQ(holiday.weekdayName, CDate::WeekdayName(expected.Weekday())) << rows[i].name;
  }
}

TEST_F(CHolidayTableTest, TheShippedFileIsTheAuthoredTableAndEveryHolidayHasADate) {
  std::string shipped;
  ASSERT_EQ(filebytes::ReadAll(SHIPPED_HOLIDAYS_FILE, shipped), filebytes::ReadResult::Ok);
  EXPECT_EQ(shipped, CHolidayTable::PackHolidays(ShippedHolidays()))
      << "holidays.dat is out of date: regenerate it with make_holidays";
  ASSERT_TRUE(writeFile(holidaysPath(), shipped));
  CHolidayTable table;
  ASSERT_GT(table.GetCount(), 0);
  for (const char* code : {"easter  ", "goodfri ", "ashwed  ", "mardigra", "palmsun ", "ascensio", "eastmon ",
                           "election", "victoria"}) {
    bool present = false;
    for (const CHoliday& holiday : table.holidays)
      present = present || holiday.feastCode == code;
    EXPECT_TRUE(present) << code;
  }
  for (int year = 2026; year <= 2040; ++year) {
    for (const CHoliday& holiday : table.holidays) {
      EXPECT_EQ(holiday.enabled, 1) << holiday.name;
      EXPECT_TRUE(holidayrules::DateInYear(holiday, year).IsValid()) << holiday.name << ' ' << year;
    }
  }
  EXPECT_EQ(table.CountListedHolidays(1), table.GetCount());
}

} // namespace
