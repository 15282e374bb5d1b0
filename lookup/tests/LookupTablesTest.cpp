#include "AreaCodeTable.h"
#include "DomainSuffixTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using namespace pellawin;

namespace {

std::uint32_t fnv1a(const std::string& text) {
  std::uint32_t hash = 0x811c9dc5u;
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 0x01000193u;
  }
  return hash;
}

std::vector<std::string> fields(const std::string& row) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t tab; (tab = row.find('\t', start)) != std::string::npos; start = tab + 1)
    parts.push_back(row.substr(start, tab - start));
  parts.push_back(row.substr(start));
  return parts;
}

TEST(LookupTablesTest, AreaCodesAscendAndMatchTheirZonesStatesAndChecksum) {
  std::string keyFields;
  std::map<std::string, int> zones, states;
  int previousCode = 0;
  for (int i = 0; i < kAreaCodeRowCount; ++i) {
    std::vector<std::string> row = fields(kAreaCodeRows[i]);
    ASSERT_EQ(row.size(), 4u) << kAreaCodeRows[i];
    EXPECT_EQ(row[0].size(), 3u) << kAreaCodeRows[i];
    EXPECT_FALSE(row[3].empty()) << kAreaCodeRows[i];
    int code = std::stoi(row[0]);
    EXPECT_GT(code, previousCode) << kAreaCodeRows[i];
    previousCode = code;
    ++zones[row[1]];
    ++states[row[2]];
    keyFields += (i ? "\n" : "") + row[0] + "\t" + row[1] + "\t" + row[2];
  }
  EXPECT_EQ(fnv1a(keyFields), 0x07eda017u);
  std::map<std::string, int> expectedZones = {{"EASTERN", 114}, {"CENTRAL", 61}, {"PACIFIC", 34},
                                              {"MOUNTAIN", 12}, {"ATLANTIC", 3}, {"ALASKA", 1},
                                              {"HAWAIIP-2", 1}};
  EXPECT_EQ(zones, expectedZones);
  EXPECT_EQ(states["CAN"], 18);
  EXPECT_EQ(states["--"], 21);
}

TEST(LookupTablesTest, AreaCodeDescriptionsKeepTheirPunctuationWhole) {
  std::vector<std::string> all(kAreaCodeRows, kAreaCodeRows + kAreaCodeRowCount);
  EXPECT_EQ(all.front(), "201\tEASTERN\tNJ\tN New Jersey: Jersey City, Hackensack (see 973)");
  EXPECT_EQ(all.back(),
            "978\tEASTERN\tMA\tCentral Mass. (split, 978 is northern half of 508; no effective date)");
  const char* quoted[] = {
      "205\tCENTRAL\tAL\tHuntsville and Birmingham; excludes only the SE corner of Alabama; see 334)",
      "242\tEASTERN\t--\tBahamas",
      "306\tMOUNTAIN\tCAN\tSaskatchewan",
      "808\tHAWAIIP-2\tHI\tHawaii",
      "809\tEASTERN\t--\tBermuda, Puerto Rico, Virgin Islands, Caribbean (see 441)",
      "867\tPACIFIC\t--\tCanada: Yukon and Northwest Territories (split from 403/819)",
  };
  for (const char* row : quoted)
    EXPECT_NE(std::find(all.begin(), all.end(), row), all.end()) << row;
}

TEST(LookupTablesTest, DomainSuffixesMatchTheirChecksumAndEndWithTheGenericOnes) {
  std::string joined;
  for (int i = 0; i < kDomainSuffixRowCount; ++i) {
    ASSERT_EQ(fields(kDomainSuffixRows[i]).size(), 2u) << kDomainSuffixRows[i];
    joined += (i ? "\n" : "") + std::string(kDomainSuffixRows[i]);
  }
  EXPECT_EQ(fnv1a(joined), 0x8c49f5afu);
  EXPECT_STREQ(kDomainSuffixRows[0], "AD\tAndorra");
  EXPECT_STREQ(kDomainSuffixRows[242], "ZW\tZimbabwe");
  EXPECT_STREQ(kDomainSuffixRows[243], "COM\tUS Commercial");
  EXPECT_STREQ(kDomainSuffixRows[251], "NATO\tNato field");
}

} // namespace
