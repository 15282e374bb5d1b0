#include <gridctrl/tests/RecordingGrid.h>

#include <gridctrl/GridScrollBars.h>
#include <gridctrl/GridTipWnd.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testsupport;
using Lines = std::vector<std::string>;

namespace {

struct GridHeadersTest : ::testing::Test {
  GridHost<RecordingGrid> host;
  RecordingGrid& grid = host.grid;
  HWND colHeader = host.child(kGridColHeaderId);
  HWND rowHeader = host.child(kGridRowHeaderId);
  HWND corner = host.child(kGridCornerId);

  GridHeadersTest() {
    grid.SetColCount(3);
    grid.SetRowCount(10);
    grid.log.clear();
  }
  int Width(int col) {
    int width = -1;
    grid.GetColWidth(col, &width);
    return width;
  }
  int Height(int row) {
    int height = -1;
    grid.GetRowHeight(row, &height);
    return height;
  }
};

TEST_F(GridHeadersTest, DraggingAColumnBorderResizesTheColumn) {
  drag(colHeader, {101, 10}, {131, 10}, 3);
  EXPECT_EQ(Width(0), 130);
  EXPECT_EQ(grid.Hooks().back(), "OnColSized(0,130)");
  EXPECT_EQ(grid.Calls("OnColSizing"),
            (Lines{"OnColSizing(0,110)", "OnColSizing(0,120)", "OnColSizing(0,130)"}));
  EXPECT_TRUE(grid.Calls("OnColHeaderClick").empty());

  grid.colSizedOverride = 77; // the hook has the last word
  drag(colHeader, {130, 10}, {100, 10});
  EXPECT_EQ(Width(0), 77);
}

TEST_F(GridHeadersTest, ADragEndsWhenTheCaptureIsLost) {
  SendMessageA(colHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(101, 10));
  ASSERT_EQ(GetCapture(), colHeader);
  ReleaseCapture();
  SendMessageA(colHeader, WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));
  EXPECT_EQ(Width(0), 100);

  // The button came up elsewhere while the capture stayed: the next move without it ends the drag.
  SendMessageA(colHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(101, 10));
  SendMessageA(colHeader, WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));
  EXPECT_EQ(Width(0), 100);
  ReleaseCapture();
}

TEST_F(GridHeadersTest, ASizeTheSizedHookSetsIsShown) {
  grid.colSizedOverride = 77;
  drag(colHeader, {101, 10}, {131, 10});
  ASSERT_EQ(Width(0), 77);
  const Lines& log = grid.log;
  auto sized = std::find(log.begin(), log.end(), "OnColSized(0,130)");
  ASSERT_NE(sized, log.end());
  EXPECT_NE(std::find(sized, log.end(), "OnPaintArea(2)"), log.end()); // the header drawn again after it
}

// A grid whose sizing hook takes every column away while a border is dragged.
class ShrinkingGrid : public RecordingGrid {
public:
  void OnColSizing(int, int*) override {
    SetColCount(0);
    Dims().colWidths.shrink_to_fit(); // no room is left behind for a stray write
  }
};

TEST(GridHeadersShrinkTest, ColumnsTakenAwayDuringADragAreNotWritten) {
  GridHost<ShrinkingGrid> host;
  host.grid.SetColCount(3);
  host.grid.SetRowCount(5);
  drag(host.child(kGridColHeaderId), {301, 10}, {331, 10});
  EXPECT_EQ(host.grid.GetColCount(), 0);
  EXPECT_TRUE(host.grid.Dims().colWidths.empty());
}

TEST_F(GridHeadersTest, ABorderBeforeAHiddenColumnPullsItOpen) {
  grid.SetColWidth(1, 0);
  drag(colHeader, {100, 10}, {125, 10});
  EXPECT_EQ(Width(0), 100);
  EXPECT_EQ(Width(1), 25);
}

TEST_F(GridHeadersTest, WithoutSizingABorderClickIsAHeaderClick) {
  grid.SetSizing(0);
  drag(colHeader, {99, 10}, {130, 10});
  EXPECT_EQ(Width(0), 100);
  EXPECT_EQ(grid.Calls("OnColHeaderClick"), (Lines{"OnColHeaderClick(0,1)", "OnColHeaderClick(1,0)"}));
  EXPECT_TRUE(grid.Calls("OnColSiz").empty());
}

TEST_F(GridHeadersTest, UniformRowsAllTakeTheDraggedHeight) {
  grid.SetUniformRowHeight(1);
  drag(rowHeader, {25, 20}, {25, 2}); // the top row's own border: never a division by zero
  EXPECT_EQ(Height(5), 4);
  EXPECT_EQ(grid.Hooks().back(), "OnRowSized(0,4)");
  drag(rowHeader, {25, 12}, {25, 90}); // the third row's border: 90 pixels over three rows
  EXPECT_EQ(Height(0), 30);
  EXPECT_EQ(Height(9), 30);

  grid.SetUniformRowHeight(0);
  drag(rowHeader, {25, 30}, {25, 50});
  EXPECT_EQ(Height(0), 50);
  EXPECT_EQ(Height(1), 30);
}

TEST_F(GridHeadersTest, HeaderAndCornerClicksReachTheirHooks) {
  click(colHeader, 150, 10);
  click(colHeader, 330, 10); // right of the last column
  doubleClick(colHeader, 50, 10);
  click(rowHeader, 10, 45);
  doubleClick(rowHeader, 10, 5);
  click(corner, 10, 5);
  doubleClick(corner, 10, 5);
  rightClick(corner, 10, 5);
  EXPECT_EQ(grid.Hooks(), (Lines{"OnColHeaderClick(1,1)",  "OnColHeaderClick(1,0)", "OnColHeaderClick(-1,1)",
                                 "OnColHeaderClick(-1,0)", "OnColHeaderClick(0,1)", "OnColHeaderClick(0,0)",
                                 "OnColHeaderDblClk(0)",   "OnColHeaderClick(0,0)", "OnRowHeaderClick(2,1)",
                                 "OnRowHeaderClick(2,0)",  "OnRowHeaderClick(0,1)", "OnRowHeaderClick(0,0)",
                                 "OnRowHeaderDblClk(0)",   "OnRowHeaderClick(0,0)", "OnCornerClick(1)",
                                 "OnCornerClick(0)",       "OnCornerClick(1)",      "OnCornerClick(0)",
                                 "OnCornerDblClk()",       "OnCornerClick(0)",      "OnCornerRClick(1)",
                                 "OnCornerRClick(0)"}));
}

TEST_F(GridHeadersTest, DraggingTheCornerResizesTheHeaders) {
  drag(corner, {10, 18}, {10, 40});
  EXPECT_EQ(grid.GetColHeaderHeight(), 40);
  EXPECT_EQ(grid.GetRowHeaderWidth(), 50);
  drag(corner, {48, 10}, {70, 10});
  EXPECT_EQ(grid.GetRowHeaderWidth(), 70);
  EXPECT_TRUE(grid.Calls("OnCornerClick").empty());
}

TEST_F(GridHeadersTest, HeadersPaintTheirCells) {
  grid.SetCellText(1, -1, "Date");
  MemoryDib dib(400, 20, RGB(255, 0, 255));
  paintClient(colHeader, dib);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(dib.pixel(50, 10), face);
  EXPECT_EQ(dib.pixel(100, 5), RGB(255, 255, 255));               // raised: light top-left edge of column 1
  EXPECT_EQ(dib.pixel(150, 19), RGB(0, 0, 0));                    // the black line along the bottom
  EXPECT_GT(dib.count(RGB(0, 0, 0), CRect(101, 1, 199, 18)), 10); // the text
  EXPECT_EQ(dib.count(RGB(0, 0, 0), CRect(1, 1, 99, 18)), 0);
  EXPECT_EQ(dib.pixel(330, 10), face); // right of the last column
}

struct GridScrollTest : GridHeadersTest {
  CScrollBar* VBar() { return grid.GetVScrollBar(); }
  void Scroll(UINT message, UINT code, int pos = 0) {
    HWND bar = host.child(message == WM_VSCROLL ? kGridVScrollId : kGridHScrollId);
    SendMessageA(grid.m_hWnd, message, MAKEWPARAM(code, pos), reinterpret_cast<LPARAM>(bar));
  }
  std::pair<int, int> Range(CScrollBar* bar) {
    int minimum = -1, maximum = -1;
    bar->GetScrollRange(&minimum, &maximum);
    return {minimum, maximum};
  }
};

TEST_F(GridScrollTest, BarsFollowTheView) {
  grid.SetRowCount(40);
  const int page = grid.Dims().bodyHeight / 20;
  EXPECT_EQ(Range(VBar()), std::make_pair(0, grid.Dims().lastTopRow + page - 1));
  Scroll(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(grid.GetTopRow(), page);
  EXPECT_EQ(VBar()->GetScrollPos(), page);
  Scroll(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(grid.GetTopRow(), page - 1);
  Scroll(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(grid.GetTopRow(), grid.Dims().lastTopRow);
  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 3);
  EXPECT_EQ(grid.GetTopRow(), 3);

  grid.SetColCount(8);
  Scroll(WM_HSCROLL, SB_LINERIGHT);
  EXPECT_EQ(grid.GetLeftCol(), 1);
  EXPECT_EQ(grid.GetHScrollBar()->GetScrollPos(), 1);
  Scroll(WM_HSCROLL, SB_RIGHT);
  EXPECT_EQ(grid.GetLeftCol(), grid.Dims().lastLeftCol);

  grid.SetScrollMode(SB_VERT, 2);
  EXPECT_EQ(Range(VBar()), std::make_pair(0, 2));
  EXPECT_EQ(VBar()->GetScrollPos(), 1);
  Scroll(WM_VSCROLL, SB_LINEDOWN); // only the arrows act
  EXPECT_EQ(grid.GetTopRow(), 4);
  EXPECT_EQ(VBar()->GetScrollPos(), 1);
}

TEST_F(GridScrollTest, ManyRowsAreScaledOntoAThousandPositions) {
  grid.SetRowCount(6000);
  grid.SetRowCount(5000 + grid.Dims().bodyHeight / 20);
  ASSERT_EQ(grid.Dims().lastTopRow, 5000);
  EXPECT_EQ(Range(VBar()), std::make_pair(0, 1000));
  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 500);
  EXPECT_EQ(grid.GetTopRow(), 2500);
  EXPECT_EQ(VBar()->GetScrollPos(), 500);
  grid.SetTopRow(4999);
  EXPECT_EQ(VBar()->GetScrollPos(), 999);
}

TEST_F(GridScrollTest, TipShowsWhileTheThumbIsDragged) {
  grid.SetRowCount(40);
  CGridTipWnd* tip = grid.GetTipWnd();
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 7);
  EXPECT_FALSE(tip->IsWindowVisible()); // the tip switch is off
  grid.SetScrollTip(SB_VERT, TRUE);
  grid.SetScrollMode(SB_VERT, 1);
  SCROLLINFO info{};
  info.fMask = SIF_POS;
  info.nPos = 7;
  VBar()->SetScrollInfo(&info);
  Scroll(WM_VSCROLL, SB_THUMBTRACK, 7);
  EXPECT_TRUE(tip->IsWindowVisible());
  EXPECT_EQ(tip->GetText(), "Row 7");
  EXPECT_EQ(grid.GetTopRow(), 7); // mode 1: the view follows the thumb
  CRect rect;
  GetWindowRect(tip->m_hWnd, &rect);
  EXPECT_GE(rect.Width(), 80);
  MemoryDib dib(rect.Width(), rect.Height(), RGB(255, 0, 255));
  paintClient(tip->m_hWnd, dib);
  EXPECT_EQ(dib.pixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(dib.pixel(rect.Width() - 2, 1), RGB(255, 255, 0));
  Scroll(WM_VSCROLL, SB_THUMBPOSITION, 7);
  EXPECT_FALSE(tip->IsWindowVisible());
}

} // namespace
