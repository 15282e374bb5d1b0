#include <foundation/containers/intarray.h>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(intarrayTest, ResizeReplacesTheBlockAndZeroFreesIt) {
  intarray array;
  ASSERT_EQ(1, array.resize(3));
  EXPECT_EQ(3, array.count());
  array.data()[2] = 7;
  EXPECT_EQ(1, array.resize(0));
  EXPECT_EQ(0, array.count());
  EXPECT_EQ(nullptr, array.data());
  array.resize(2);
  int* block = array.detach();
  EXPECT_NE(nullptr, block);
  EXPECT_EQ(0, array.count());
  std::free(block);
}
