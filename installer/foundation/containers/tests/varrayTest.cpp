#include <foundation/tests/checkrecorder.h>

#include <foundation/containers/varray.h>

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing::ElementsAre;
using Pair = CheckRecorder::Pair;

TEST(varrayTest, StaysInTheOwnersBlockThenGrowsByItsPercentage) {
  int external[8];
  varrayof<int> array(external, 25);
  for (int i = 0; i < 8; ++i)
    ASSERT_EQ(1, array.append(i * 11));
  EXPECT_FALSE(array.inownblock());
  EXPECT_EQ(8, array.capacity());

  ASSERT_EQ(1, array.append(88));
  EXPECT_TRUE(array.inownblock());
  EXPECT_EQ(10, array.capacity());
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(i * 11, *array.at(i)) << i;

  varrayof<int> empty;
  ASSERT_EQ(1, empty.reserve(3));
  EXPECT_EQ(3, empty.capacity());
}

// Leaving the owner's block takes the elements from that block, whether or not an own block is left
// over from earlier.
TEST(varrayTest, ElementsSurviveEveryMoveBetweenBlocks) {
  int external[4];
  varrayof<int> array(external, 25);
  for (int i = 0; i < 4; ++i)
    array.append(i + 1);
  array.append(5);
  ASSERT_TRUE(array.inownblock());

  array.removeat(0);
  array.removeat(0);
  ASSERT_EQ(1, array.reserve(4));
  EXPECT_FALSE(array.inownblock());
  *array.at(0) = 30;
  array.append(6);
  array.append(7);
  ASSERT_TRUE(array.inownblock());
  std::vector<int> values;
  for (int i = 0; i < array.count(); ++i)
    values.push_back(*array.at(i));
  EXPECT_THAT(values, ElementsAre(30, 4, 5, 6, 7));
}

TEST(varrayTest, GapsAndRemoval) {
  varrayof<char> array;
  for (char c : std::string("abcd"))
    array.append(c);
  EXPECT_EQ(1, array.insert(2, 'X'));
  EXPECT_EQ(1, array.insert(0, 'Y'));
  EXPECT_EQ(1, array.removeat(5));
  std::string text;
  for (int i = 0; i < array.count(); ++i)
    text += *array.at(i);
  EXPECT_EQ("YabXc", text);

  varray raw(nullptr, 0, 25, 1);
  EXPECT_EQ(1, raw.insertgap(7, 0));
  EXPECT_EQ(0, raw.insertgap(0, -1));
  EXPECT_EQ(0, raw.insertgap(1, 1));
  EXPECT_EQ(0, raw.count());
}

// The value inserted may be an element of the same array, which the gap moves, or frees when the
// block grows.
TEST(varrayTest, InsertingAnElementOfTheSameArray) {
  struct Case {
    const char* name;
    int reserved;
    int position;
    int source;
    std::vector<int> expected;
  } cases[] = {
      {"room to spare, inserted before its source", 8, 0, 2, {30, 10, 20, 30}},
      {"room to spare, appended", 8, 3, 0, {10, 20, 30, 10}},
      {"full block that must grow", 3, 0, 2, {30, 10, 20, 30}},
      {"full block, appended", 3, 3, 1, {10, 20, 30, 20}},
  };
  for (const Case& c : cases) {
    varrayof<int> array;
    ASSERT_EQ(1, array.reserve(c.reserved));
    for (int value : {10, 20, 30})
      array.append(value);
    ASSERT_EQ(1, array.insert(c.position, *array.at(c.source))) << c.name;
    std::vector<int> values;
    for (int i = 0; i < array.count(); ++i)
      values.push_back(*array.at(i));
    EXPECT_EQ(c.expected, values) << c.name;
  }
}

TEST(varrayTest, AccessOutsideTheBlockIsAFailedCheck) {
  CheckRecorder recorder;
  varrayof<int> array;
  array.append(1);
  EXPECT_EQ(nullptr, array.at(1));
  EXPECT_EQ(nullptr, array.at(-1));
  EXPECT_THAT(recorder.seen, ElementsAre(Pair{"VARRAY", 59}, Pair{"VARRAY", 59}));
}

// Wine hands out memory below 4 GiB unless asked otherwise, which would hide a pointer cut to 32 bits.
TEST(varrayTest, PointersKeepTheirWholeWidth) {
  void* high = VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
  ASSERT_NE(nullptr, high);
  if (sizeof(void*) == 8) {
    ASSERT_GT(reinterpret_cast<unsigned long long>(high), 0xFFFFFFFFull);
  }
  varrayof<void*> array;
  array.append(nullptr);
  array.insert(0, high);
  EXPECT_EQ(high, *array.at(0));
  EXPECT_EQ(nullptr, *array.at(1));
  VirtualFree(high, 0, MEM_RELEASE);
}
