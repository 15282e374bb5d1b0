#pragma once

#include <cstdint>

namespace pellawin {

// One city of the world-time table.
struct TCity {
  const char* Country; // a trailing "*": the country's numbers need no city code
  const char* City;    // may be empty
  std::int32_t CountryCode;
  const char* CityCode; // shown as stored, leading zeros and blanks kept
  std::int32_t DstRule; // 0 to 3, see WorldTime.h
  std::int32_t Zone;    // half hours from UTC-12: 24 is UTC, 35 is UTC+5:30
};

constexpr int kCityCount = 1584;
// "United States*", "Washington EASTERN".
constexpr int kDefaultLocalRow = 1529;

// Rows are numbered 1 to kCityCount, as in the grid and in the settings.
const TCity& City(int row);

} // namespace pellawin
