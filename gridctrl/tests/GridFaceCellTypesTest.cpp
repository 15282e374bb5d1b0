#include <gridctrl/GridFaceCellTypes.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MetafileText.h>

#include <gtest/gtest.h>

#include <algorithm>

using testsupport::MemoryDib;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kNavy = RGB(0, 0, 128);

CGridCell Cell(const char* text, int flags = -1) {
  CGridCell cell;
  cell.SetText(text);
  cell.SetTypeFlags(flags);
  cell.SetTextColor(kBlack);
  cell.SetBkColor(kWhite);
  cell.SetSelTextColor(kWhite);
  cell.SetSelBkColor(kNavy);
  return cell;
}

CRect InkBounds(const MemoryDib& dib, COLORREF ink) {
  CRect bounds(dib.width(), dib.height(), -1, -1);
  for (int y = 0; y < dib.height(); ++y)
    for (int x = 0; x < dib.width(); ++x)
      if (dib.pixel(x, y) == ink) {
        bounds.left = std::min<int>(bounds.left, x);
        bounds.top = std::min<int>(bounds.top, y);
        bounds.right = std::max<int>(bounds.right, x + 1);
        bounds.bottom = std::max<int>(bounds.bottom, y + 1);
      }
  return bounds;
}

template <class Type> void DrawInto(MemoryDib& dib, const CGridCell& cell, BOOL selected = FALSE) {
  Type type;
  CDC dc;
  dc.Attach(dib.dc());
  type.Draw(&dc, CRect(0, 0, dib.width(), dib.height()), cell, selected, FALSE);
}

TEST(GridCellType4Test, TheTextFillsTheWidth) {
  for (int width : {60, 150}) {
    MemoryDib dib(width, 60);
    DrawInto<CGridCellType4>(dib, Cell("MMMM"));
    const CRect ink = InkBounds(dib, kBlack);
    EXPECT_GT(ink.Width(), width * 6 / 10) << width;
    EXPECT_LE(ink.right, width) << width;
  }
  MemoryDib low(150, 12); // never taller than the cell
  DrawInto<CGridCellType4>(low, Cell("MM"));
  EXPECT_LT(InkBounds(low, kBlack).Width(), 100);

  MemoryDib empty(80, 20, RGB(255, 0, 255)); // no text: only the background
  DrawInto<CGridCellType4>(empty, Cell(""));
  EXPECT_EQ(empty.count(kWhite), 80 * 20);
}

TEST(GridCellType5Test, TheBarShowsThePercentage) {
  struct {
    const char* text;
    int filledTo; // percent of the width in the bar's colour
  } const cases[] = {{"50", 50}, {"150", 100}, {"-3", 0}, {"25", 25}};
  for (const auto& c : cases) {
    MemoryDib dib(200, 20);
    DrawInto<CGridCellType5>(dib, Cell(c.text));
    if (c.filledTo > 0) {
      EXPECT_EQ(dib.pixel(c.filledTo * 2 - 2, 3), kNavy) << c.text;
    }
    if (c.filledTo < 100) {
      EXPECT_EQ(dib.pixel(c.filledTo * 2 + 2, 3), kWhite) << c.text;
    }
    EXPECT_EQ(dib.pixel(100, 0), kWhite) << c.text; // one pixel left at the top
  }
}

TEST(GridCellType5Test, TheLabelIsTheClampedValueOrTheDisplayText) {
  struct {
    const char* text;
    int flags;
    const char* label;
  } const cases[] = {{"150", -1, "% 100"}, {"42", 0, "% 42"}, {"42", 1, "done"}};
  for (const auto& c : cases) {
    CGridCell cell = Cell(c.text, c.flags);
    cell.m_strDisplay = "done";
    HDC page = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    CGridCellType5 type;
    CDC dc;
    dc.Attach(page);
    type.Draw(&dc, CRect(0, 0, 200, 20), cell, FALSE, FALSE);
    dc.Detach();
    HENHMETAFILE picture = CloseEnhMetaFile(page);
    std::vector<std::string> labels;
    for (const auto& drawn : testsupport::metafileTexts(picture))
      if (!drawn.text.empty()) // fills are empty texts
        labels.push_back(drawn.text);
    DeleteEnhMetaFile(picture);
    ASSERT_FALSE(labels.empty()) << c.text;
    EXPECT_EQ(labels.front(), c.label) << c.text; // drawn once in each part of the bar
  }
}

TEST(GridCellType8Test, TheGlyphFollowsTheFlags) {
  struct {
    int flags;
    int arrows; // 0: no glyph
    bool right;
  } const cases[] = {{0, 1, true},  {16, 1, true},   {32, 1, false},  {64, 2, true},
                     {40, 2, true}, {128, 2, false}, {100, 0, false}, {256, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    MemoryDib dib(60, 20);
    DrawInto<CGridCellType8>(dib, Cell("", c.flags));
    const CRect ink = InkBounds(dib, kBlack);
    if (c.arrows == 0) {
      EXPECT_EQ(dib.count(kBlack), 0);
      continue;
    }
    // Runs of ink along the middle row: one per arrow.
    const int mid = (ink.top + ink.bottom) / 2;
    int runs = 0;
    for (int x = ink.left; x < ink.right; ++x)
      if (dib.pixel(x, mid) == kBlack && (x == ink.left || dib.pixel(x - 1, mid) != kBlack))
        ++runs;
    EXPECT_EQ(runs, c.arrows);
    // An arrow pointing right is tall at its left edge and a point at its right.
    auto height = [&](int x) {
      int h = 0;
      for (int y = ink.top; y < ink.bottom; ++y)
        h += dib.pixel(x, y) == kBlack;
      return h;
    };
    EXPECT_EQ(height(ink.left) > height(ink.right - 1), c.right);
  }
  MemoryDib selected(60, 20);
  DrawInto<CGridCellType8>(selected, Cell("", 16), TRUE);
  EXPECT_EQ(selected.pixel(1, 1), kNavy);
  EXPECT_GT(selected.count(kWhite), 0); // the glyph in the selected text colour
}

TEST(GridCellType8Test, TheCurrentCellTakesTheSelectedColoursWhateverTheCurrentCellStyle) {
  CGridDims dims;
  for (int style : {0, 1, 2, 3}) {
    SCOPED_TRACE(style);
    dims.curCellStyle = style;
    CGridCellType8 type;
    type.Attach(nullptr, &dims);
    MemoryDib dib(60, 20);
    CDC dc;
    dc.Attach(dib.dc());
    type.Draw(&dc, CRect(0, 0, 60, 20), Cell("", 16), FALSE, TRUE);
    EXPECT_EQ(dib.pixel(1, 1), kNavy);
    EXPECT_GT(dib.count(kWhite), 0);
    EXPECT_EQ(dib.count(kBlack), 0);
  }
}

} // namespace
