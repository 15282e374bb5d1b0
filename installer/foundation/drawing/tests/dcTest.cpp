#include <foundation/drawing/dc.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>

#include <cstdlib>

using testsupport::MemoryDib;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

bool closeTo(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

} // namespace

TEST(DcTest, FillTakesInclusiveRectangles) {
  MemoryDib target(10, 10, White);
  dc device(target.dc(), 10, 10);
  EXPECT_EQ(9, device.rect().right);
  EXPECT_EQ(9, device.rect().bottom);
  EXPECT_EQ(1, device.fillrect(RECT{2, 3, 4, 5}, RGB(1, 2, 3)));
  EXPECT_EQ(9, target.count(RGB(1, 2, 3)));
  EXPECT_EQ(RGB(1, 2, 3), target.pixel(4, 5));
  EXPECT_EQ(White, target.pixel(5, 5));
}

TEST(DcTest, GradientCornersAndCentre) {
  const COLORREF a = RGB(0, 0, 0), b = RGB(255, 0, 0), c = RGB(0, 255, 0), d = RGB(0, 0, 255);
  MemoryDib target(120, 120, White);
  dc device(target.dc(), 120, 120);
  EXPECT_EQ(1, device.gradient(RECT{10, 10, 110, 110}, a, b, c, d, 1, 1));
  EXPECT_TRUE(closeTo(a, target.pixel(10, 10), 3));
  EXPECT_TRUE(closeTo(b, target.pixel(109, 10), 3));
  EXPECT_TRUE(closeTo(c, target.pixel(10, 109), 3));
  EXPECT_TRUE(closeTo(d, target.pixel(109, 109), 6));
  EXPECT_TRUE(closeTo(RGB(64, 64, 64), target.pixel(60, 60), 2));
  EXPECT_EQ(White, target.pixel(9, 9));
  EXPECT_EQ(White, target.pixel(110, 110));
}

TEST(DcTest, GradientCellsTakeTheColourAtTheirCentre) {
  const COLORREF a = RGB(10, 20, 30), b = RGB(200, 100, 0), c = RGB(0, 250, 90), d = RGB(90, 0, 250);
  MemoryDib target(64, 48, White);
  dc device(target.dc(), 64, 48);
  RECT rect{4, 6, 60, 40};
  RECT area{10, 8, 50, 30};
  EXPECT_EQ(1, device.gradient(rect, area, a, b, c, d, 8, 5));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
      int cellX = x / 8 * 8 + 4 - rect.left, cellY = y / 5 * 5 + 2 - rect.top;
      COLORREF expected = inside ? GradientColour(a, b, c, d, cellX, cellY, 56, 34) : White;
      ASSERT_EQ(expected, target.pixel(x, y)) << x << "," << y;
    }
}

TEST(DcTest, GradientRowsWhenLeftAndRightAgree) {
  const COLORREF top = RGB(0, 0, 200), bottom = RGB(200, 0, 0);
  MemoryDib rows(40, 40, White);
  dc rowDevice(rows.dc(), 40, 40);
  rowDevice.gradient(RECT{0, 0, 40, 40}, top, top, bottom, bottom, 3, 3);
  // Whole rows show what each cell of the row would have been given.
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(GradientColour(top, top, bottom, bottom, x / 3 * 3 + 1, y / 3 * 3 + 1, 40, 40),
                rows.pixel(x, y))
          << x << "," << y;
}

TEST(DcTest, EmptyGradientsAndTinyCells) {
  MemoryDib target(20, 20, White);
  dc device(target.dc(), 20, 20);
  struct Case {
    const char* name;
    RECT rect;
    int cell;
    int result;
  };
  const Case cases[] = {
      {"no width", {5, 5, 5, 10}, 2, 0},           {"no height", {5, 5, 10, 5}, 2, 0},
      {"turned over", {10, 10, 5, 5}, 2, 0},       {"cell size 0", {0, 0, 4, 4}, 0, 1},
      {"negative cell size", {0, 0, 4, 4}, -3, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.result,
              device.gradient(c.rect, RGB(9, 9, 9), RGB(9, 9, 9), RGB(9, 9, 9), RGB(9, 9, 9), c.cell, c.cell))
        << c.name;
  EXPECT_EQ(16, target.count(RGB(9, 9, 9)));
}

TEST(DcTest, GradientOnACallersDcGoesThroughABitmapOfItsOwn) {
  // Four equal corners fill the rectangle with that colour, also through a bitmap of its own.
  MemoryDib target(30, 30, White);
  dc device(target.dc(), 30, 30);
  dc memory(device, dc::compatible{});
  EXPECT_EQ(dc::memorykind, memory.kind());
  EXPECT_EQ(
      1, device.gradient(RECT{5, 5, 25, 15}, RGB(7, 8, 9), RGB(7, 8, 9), RGB(7, 8, 9), RGB(7, 8, 9), 4, 4));
  EXPECT_EQ(200, target.count(RGB(7, 8, 9)));
}
