#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCellType.h>

#include <tests/support/MemoryDib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

using testsupport::MemoryDib;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

CGridCell TextCell(const char* text, short align, int flags = 0) {
  CGridCell cell;
  cell.SetText(text);
  cell.SetAlign(align);
  cell.SetTypeFlags(flags);
  cell.SetTextColor(kBlack);
  cell.SetBkColor(kWhite);
  cell.SetSelTextColor(kWhite);
  cell.SetSelBkColor(RGB(0, 0, 128));
  return cell;
}

// Leftmost and rightmost columns, top and bottom rows holding a black pixel inside `area`.
CRect InkBounds(const MemoryDib& dib, const CRect& area) {
  CRect ink(area.right, area.bottom, area.left - 1, area.top - 1);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (dib.pixel(x, y) == kBlack) {
        ink.left = std::min<int>(ink.left, x);
        ink.right = std::max<int>(ink.right, x);
        ink.top = std::min<int>(ink.top, y);
        ink.bottom = std::max<int>(ink.bottom, y);
      }
  return ink;
}

TEST(GridCellTypeTest, TextIsPlacedByTheAlignmentBits) {
  const CRect rect(0, 0, 200, 40);
  struct {
    const char* name;
    short align;
    bool (*check)(const CRect& ink);
  } const cases[] = {
      {"left and top", 0, [](const CRect& i) { return i.left >= 3 && i.left <= 5 && i.top <= 6; }},
      {"right", 2, [](const CRect& i) { return i.right >= 192 && i.right <= 196; }},
      {"centred", 4, [](const CRect& i) { return std::abs((i.left + i.right) / 2 - 100) <= 3; }},
      {"bottom", 0x10, [](const CRect& i) { return i.bottom >= 33 && i.bottom <= 38 && i.top > 15; }},
      {"centred vertically", 0x20, [](const CRect& i) { return std::abs((i.top + i.bottom) / 2 - 20) <= 4; }},
  };
  CGridCellType type;
  for (const auto& c : cases) {
    MemoryDib dib(200, 40);
    CDC dc;
    dc.Attach(dib.dc());
    type.Draw(&dc, rect, TextCell("Wednesday", c.align), FALSE, FALSE);
    CRect ink = InkBounds(dib, rect);
    EXPECT_TRUE(c.check(ink)) << c.name << ": ink " << ink.left << "," << ink.top << " - " << ink.right << ","
                              << ink.bottom;
  }
}

TEST(GridCellTypeTest, SelectedCellsAndTheDisplayTextFlag) {
  CGridCellType type;
  MemoryDib dib(100, 20);
  CDC dc;
  dc.Attach(dib.dc());
  type.Draw(&dc, CRect(0, 0, 100, 20), TextCell("x", 0), TRUE, FALSE);
  EXPECT_EQ(dib.pixel(90, 10), RGB(0, 0, 128));

  CGridCell shown = TextCell("", 0, 8);
  shown.m_strDisplay = "label";
  MemoryDib label(100, 20);
  dc.Attach(label.dc());
  type.Draw(&dc, CRect(0, 0, 100, 20), shown, FALSE, FALSE);
  EXPECT_GT(label.count(kBlack), 10);
}

TEST(GridCellTypeTest, EllipsisOnlyWhenTheTextDoesNotFit) {
  CGridCellType type;
  CDC dc;
  MemoryDib fits(200, 20), cut(200, 20), clipped(200, 20);
  dc.Attach(fits.dc());
  type.Draw(&dc, CRect(0, 0, 200, 20), TextCell("Sun", 0, 4), FALSE, FALSE);
  dc.Attach(cut.dc());
  type.Draw(&dc, CRect(0, 0, 60, 20), TextCell("Wednesday Wednesday", 0, 4), FALSE, FALSE);
  dc.Attach(clipped.dc());
  type.Draw(&dc, CRect(0, 0, 60, 20), TextCell("Wednesday Wednesday", 0, 0), FALSE, FALSE);
  MemoryDib plain(200, 20);
  dc.Attach(plain.dc());
  type.Draw(&dc, CRect(0, 0, 200, 20), TextCell("Sun", 0, 0), FALSE, FALSE);
  EXPECT_EQ(fits.count(kBlack), plain.count(kBlack)); // no "..." when it fits
  // The dots stand in the last pixels of the cut cell, where clipped text has letters.
  const CRect tail(48, 0, 60, 20);
  EXPECT_NE(cut.count(kBlack, tail), clipped.count(kBlack, tail));
}

TEST(GridCellFrameTest, FrameStylesDrawTheirLinesAndEdges) {
  CPen light(PS_SOLID, 1, kWhite), shadow(PS_SOLID, 1, RGB(128, 128, 128));
  const CGridFramePens pens{light, shadow};
  struct {
    short style;
    CRect inner;
    POINT black[2];
    POINT white;
  } const cases[] = {
      {12, {0, 0, 19, 9}, {{19, 5}, {10, 9}}, {0, 5}},
      {0x11, {2, 0, 20, 10}, {{0, 5}, {1, 5}}, {2, 5}},
      {0x408, {0, 0, 17, 9}, {{17, 5}, {10, 9}}, {16, 5}},
  };
  for (const auto& c : cases) {
    MemoryDib dib(20, 10);
    CDC dc;
    dc.Attach(dib.dc());
    CGridCell cell;
    cell.SetFrameStyle(c.style);
    EXPECT_EQ(DrawGridFrame(&dc, CRect(0, 0, 20, 10), cell, pens, 1), CRect(c.inner)) << c.style;
    for (POINT p : c.black)
      EXPECT_EQ(dib.pixel(p.x, p.y), kBlack) << c.style << " at " << p.x << "," << p.y;
    EXPECT_EQ(dib.pixel(c.white.x, c.white.y), kWhite) << c.style;
  }
  MemoryDib raised(20, 10, RGB(255, 0, 255));
  CDC dc;
  dc.Attach(raised.dc());
  CGridCell button;
  button.SetFrameStyle(0x2000);
  EXPECT_EQ(DrawGridFrame(&dc, CRect(0, 0, 20, 10), button, pens, 1), CRect(1, 1, 19, 9));
  EXPECT_EQ(raised.pixel(0, 5), kWhite);
  EXPECT_EQ(raised.pixel(10, 0), kWhite);
  EXPECT_EQ(raised.pixel(19, 5), RGB(128, 128, 128));
  EXPECT_EQ(raised.pixel(10, 9), RGB(128, 128, 128));
  EXPECT_EQ(GridFrameInsets(0x1000, 3), CRect(3, 3, 3, 3));
  EXPECT_EQ(GridFrameInsets(0, 1), CRect());
  // Several line counts named for one side: the most lines win.
  EXPECT_EQ(GridFrameInsets(kFrameLeft | kFrameDoubleLeft | kFrameTripleLeft, 1), CRect(3, 0, 0, 0));
  EXPECT_EQ(GridFrameInsets(kFrameRight | (kFrameDoubleLeft << 2), 1), CRect(0, 0, 2, 0));
}

} // namespace

namespace {

// An 8 x 8 picture: white background with a red square in its middle.
HBITMAP Picture(int size) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, size, size};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT middle{size / 4, size / 4, size * 3 / 4, size * 3 / 4};
  FillRect(dc, &middle, red);
  DeleteObject(red);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return colour;
}

TEST(GridCellTypeBitmapTest, ThePictureStandsAtTheLeftOnTheCellsBackground) {
  const COLORREF green = RGB(0, 128, 0);
  HBITMAP small = Picture(8);
  CGridCell cell = TextCell("", 0);
  cell.SetBkColor(green);
  cell.m_hBitmap = small;
  CGridCellType type;
  for (int round = 0; round < 2; ++round) { // the same picture drawn twice looks the same
    MemoryDib dib(100, 20);
    CDC dc;
    dc.Attach(dib.dc());
    type.Draw(&dc, CRect(0, 0, 100, 20), cell, FALSE, FALSE);
    EXPECT_EQ(dib.pixel(2, 2), green); // its background took the cell's
    EXPECT_EQ(dib.pixel(2 + 4, 2 + 4), RGB(255, 0, 0));
    EXPECT_EQ(dib.pixel(2 + 8 + 1, 5), green); // the strip beside it
  }
  EXPECT_EQ(PixelOf(small, 0, 0), kWhite); // the caller's picture is left as it was

  HBITMAP large = Picture(40); // taller than the cell: scaled to its height less 4
  cell.m_hBitmap = large;
  MemoryDib dib(100, 20);
  CDC dc;
  dc.Attach(dib.dc());
  type.Draw(&dc, CRect(0, 0, 100, 20), cell, FALSE, FALSE);
  EXPECT_EQ(dib.pixel(2 + 8, 2 + 8), RGB(255, 0, 0));
  EXPECT_EQ(dib.pixel(2 + 17, 10), green);
  DeleteObject(small);
  DeleteObject(large);
}

TEST(GridCellTypeBitmapTest, APictureRedrawnByItsOwnerOrOnAnotherBackgroundShowsAsItIsNow) {
  HBITMAP picture = Picture(8);
  CGridCellType type;
  auto draw = [&](COLORREF background) {
    CGridCell cell = TextCell("", 0);
    cell.SetBkColor(background);
    cell.m_hBitmap = picture;
    auto dib = std::make_unique<MemoryDib>(40, 20);
    CDC dc;
    dc.Attach(dib->dc());
    type.Draw(&dc, CRect(0, 0, 40, 20), cell, FALSE, FALSE);
    return dib;
  };
  const COLORREF green = RGB(0, 128, 0), blue = RGB(0, 0, 200);
  EXPECT_EQ(draw(green)->pixel(2, 2), green);
  EXPECT_EQ(draw(blue)->pixel(2, 2), blue);
  EXPECT_EQ(draw(green)->pixel(2 + 4, 2 + 4), RGB(255, 0, 0));
  HDC dc = CreateCompatibleDC(nullptr); // the owner paints its picture over
  HGDIOBJ old = SelectObject(dc, picture);
  RECT middle{2, 2, 6, 6};
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  FillRect(dc, &middle, yellow);
  DeleteObject(yellow);
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_EQ(draw(green)->pixel(2 + 4, 2 + 4), RGB(255, 255, 0));
  DeleteObject(picture);
}

TEST(GridCellTypeBitmapTest, ACellWithNoRoomForThePictureDrawsNoneOverItsNeighbours) {
  HBITMAP picture = Picture(16);
  for (int height : {4, 3, 1}) {
    SCOPED_TRACE(height);
    CGridCell cell = TextCell("", 0);
    cell.m_hBitmap = picture;
    MemoryDib dib(100, 40, RGB(255, 0, 255));
    CDC dc;
    dc.Attach(dib.dc());
    CGridCellType type;
    type.Draw(&dc, CRect(0, 10, 100, 10 + height), cell, FALSE, FALSE);
    EXPECT_EQ(dib.count(RGB(255, 0, 0)), 0);
    EXPECT_EQ(dib.count(RGB(255, 0, 255), CRect(0, 0, 100, 10)), 100 * 10); // the neighbour above
    EXPECT_EQ(dib.count(RGB(255, 0, 255), CRect(0, 10 + height, 100, 40)), 100 * (30 - height));
  }
  DeleteObject(picture);
}

} // namespace
