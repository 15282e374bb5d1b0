#pragma once

#include <calendar/views/CListEntry.h>

#include <array>
#include <string>
#include <vector>

// The order of the event list. Each entry has one key per column (text for the name and type columns,
// a number for the others); the list is sorted by a chosen sequence of columns.
//
// Entries are inserted one by one in a fixed sequence (listed events in document order, then listed
// holidays), each before the first entry that is not smaller than it, so equal entries come out in
// reverse insertion order. Order() gives exactly that order with a stable sort of the reversed
// sequence, which stays O(n log n) where the insertion walk was O(n^2).
namespace listorder {

enum Column { kName = 0, kDay, kDate, kDaysLeft, kTime, kAge, kType, kColumnCount };

// The key of an entry without a date (a custom event whose pattern was not found).
constexpr int kNoDateKey = 0x7fffffff;
// The age key of an entry without an age: after every real age.
constexpr int kNoAgeKey = 20000;

struct Keys {
  std::array<int, kColumnCount> number{};
  const char* name = "";
  const char* type = "";
};

Keys MakeKeys(const CListEntry& entry);
// <0, 0, >0 as a sorts before, with or after b under the sort columns.
int Compare(const Keys& a, const Keys& b, const std::vector<int>& sortColumns);
// The entries, given in insertion order, in list order.
std::vector<CListEntry*> Order(const std::vector<CListEntry*>& inserted, const std::vector<int>& sortColumns);

} // namespace listorder
