#include "CityTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

using namespace pellawin;

namespace {

// FNV-1a over every row as "country\tcity\tcountry code\tcity code\trule\tzone\n".
std::uint32_t tableChecksum() {
  std::uint32_t hash = 0x811c9dc5u;
  for (int row = 1; row <= kCityCount; ++row) {
    const TCity& c = City(row);
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%d", static_cast<int>(c.CountryCode));
    std::string line = std::string(c.Country) + "\t" + c.City + "\t" + numbers + "\t" + c.CityCode + "\t" +
                       std::to_string(c.DstRule) + "\t" + std::to_string(c.Zone) + "\n";
    for (unsigned char byte : line)
      hash = (hash ^ byte) * 0x01000193u;
  }
  return hash;
}

TEST(CityTableTest, CountsAndChecksumMatchTheTable) {
  int countries = 0;
  int rules[4] = {};
  std::string previous;
  for (int row = 1; row <= kCityCount; ++row) {
    const TCity& c = City(row);
    if (c.Country != previous)
      ++countries;
    previous = c.Country;
    ASSERT_GE(c.DstRule, 0);
    ASSERT_LE(c.DstRule, 3);
    ++rules[c.DstRule];
    EXPECT_GE(c.Zone, 0) << row;
    EXPECT_LE(c.Zone, 48) << row;
  }
  EXPECT_EQ(countries, 234);
  EXPECT_EQ(rules[0], 1247);
  EXPECT_EQ(rules[1], 31);
  EXPECT_EQ(rules[2], 303);
  EXPECT_EQ(rules[3], 3);
  EXPECT_EQ(tableChecksum(), 0x6eb5c054u);
}

TEST(CityTableTest, IrregularRowsKeepTheirBlanksEmptyFieldsAndCodes) {
  struct Case {
    int row;
    const char* country;
    const char* city;
    int countryCode;
    const char* cityCode;
    int rule;
    int zone;
  } cases[] = {
      {1, "Afghanistan", "Kabul", 93, "", 0, 33},
      {90, "Belarus", "Minsk", 375, "0172", 2, 30},
      {91, "Belarus", "Mogilev", 375, " 0222", 2, 30},
      {153, "Brunei Darussalam ", "Behawan", 673, "2", 0, 40},
      {188, "Canada", "Saskatchewan", 1, "306", 0, 14},
      {398, "Cocos Islands", "", 6722, "", 0, 37},
      {438, "Denmark", "Aalborg", 45, " 8", 2, 26},
      {439, "Denmark", "Aarhus", 42, "6", 2, 26},
      {1166, "Russia", "Moscow", 7, "095", 3, 30},
      {1365, "Tokelau ", "", 690, "", 0, 38},
      {1529, "United States*", "Washington EASTERN", 1, "", 1, 14},
      {1535, "United States*", "Nome", 1, "", 1, 2},
      {1584, "Zimbabwe", "Mutare", 263, "20", 0, 28},
  };
  for (const Case& c : cases) {
    const TCity& city = City(c.row);
    EXPECT_STREQ(city.Country, c.country) << c.row;
    EXPECT_STREQ(city.City, c.city) << c.row;
    EXPECT_EQ(city.CountryCode, c.countryCode) << c.row;
    EXPECT_STREQ(city.CityCode, c.cityCode) << c.row;
    EXPECT_EQ(city.DstRule, c.rule) << c.row;
    EXPECT_EQ(city.Zone, c.zone) << c.row;
  }
}

} // namespace
