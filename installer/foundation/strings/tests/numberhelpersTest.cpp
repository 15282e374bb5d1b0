#include <foundation/strings/numberhelpers.h>

#include <gtest/gtest.h>

TEST(NumberHelpersTest, WrappingAndRounding) {
  struct Case {
    int a, b, expected;
  } cases[] = {{-3, 3, 3}, {-4, 3, 2}, {5, 0, 0}, {2, 3, 2}, {7, 3, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, WrapIndex(c.a, c.b)) << c.a << ", " << c.b;
  EXPECT_NEAR(1.0, WrapAngle(1.0 + 4 * 3.14159265358979323846), 1e-9);
  EXPECT_NEAR(2 * 3.14159265358979323846 - 1.0, WrapAngle(-1.0), 1e-9);
  EXPECT_EQ(3, RoundToInt(2.5));
  EXPECT_EQ(5, DistanceBetween(1, 1, 4, 5));
}
