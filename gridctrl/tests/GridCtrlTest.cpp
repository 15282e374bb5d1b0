#include <gridctrl/tests/RecordingGrid.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RealInput.h>

#include <wincore/MessageLoop.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::ModalAnswerer;
using Lines = std::vector<std::string>;

namespace {

CRect WindowRectIn(HWND parent, HWND child) {
  CRect rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

struct GridCtrlTest : ::testing::Test {
  GridHost<RecordingGrid> host;
  RecordingGrid& grid = host.grid;
};

TEST_F(GridCtrlTest, AnEmptyGridHasEverythingAtZeroAndNoVerticalBar) {
  grid.SetColCount(3);
  grid.SetRowCount(50);
  grid.SetCurCell(1, 30);
  grid.SetRowCount(0);
  EXPECT_EQ(grid.GetCurRow(), 0);
  EXPECT_EQ(grid.Dims().prevCurRow, 0);
  EXPECT_EQ(grid.GetTopRow(), 0);
  EXPECT_EQ(grid.Dims().prevTopRow, 0);
  EXPECT_FALSE(IsWindowVisible(host.child(kGridVScrollId)));
  EXPECT_EQ(grid.SetRowCount(-1), 1);
  EXPECT_EQ(grid.SetCurRow(0), 1);
  EXPECT_EQ(grid.MoveRow(9), 3);
}

TEST_F(GridCtrlTest, ManyRowsSwitchToUniformHeight) {
  grid.SetColCount(2);
  grid.SetRowCount(63999);
  EXPECT_FALSE(grid.Dims().uniformRows);
  grid.SetRowCount(64000);
  EXPECT_TRUE(grid.Dims().uniformRows);
  EXPECT_TRUE(grid.Dims().rowHeights.empty());
  grid.SetRowCount(64002);
  EXPECT_EQ(grid.SetUniformRowHeight(0), 1);
  EXPECT_TRUE(grid.Dims().uniformRows);
  grid.SetRowCount(64001);
  EXPECT_EQ(grid.SetUniformRowHeight(0), 0);
  EXPECT_FALSE(grid.Dims().uniformRows);
  EXPECT_EQ(grid.Dims().rowHeights.size(), 64001u);
}

TEST_F(GridCtrlTest, ChildrenAreLaidOutAroundTheBody) {
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  const int hbar = GetSystemMetrics(SM_CYHSCROLL);
  struct {
    const char* name;
    int cols, rows;
    bool vBar, hBar;
  } const cases[] = {
      {"everything fits", 3, 5, false, false},
      {"rows overflow", 3, 40, true, false},
      {"columns overflow", 6, 5, false, true},
      {"both overflow", 6, 40, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    grid.SetColCount(c.cols);
    grid.SetRowCount(c.rows);
    const int bodyW = 400 - 50 - (c.vBar ? bar : 0), bodyH = 300 - 20 - (c.hBar ? hbar : 0);
    EXPECT_EQ(grid.Dims().vBarShown, c.vBar);
    EXPECT_EQ(grid.Dims().hBarShown, c.hBar);
    EXPECT_EQ(WindowRectIn(grid.m_hWnd, host.body()), CRect(50, 20, 50 + bodyW, 20 + bodyH));
    EXPECT_EQ(WindowRectIn(grid.m_hWnd, host.child(kGridColHeaderId)), CRect(50, 0, 50 + bodyW, 20));
    EXPECT_EQ(WindowRectIn(grid.m_hWnd, host.child(kGridRowHeaderId)), CRect(0, 20, 50, 20 + bodyH));
    EXPECT_EQ(WindowRectIn(grid.m_hWnd, host.child(kGridCornerId)), CRect(0, 0, 50, 20));
    if (c.vBar) {
      EXPECT_EQ(WindowRectIn(grid.m_hWnd, host.child(kGridVScrollId)),
                CRect(400 - bar, 0, 400, 300 - (c.hBar ? hbar : 0)));
    }
    if (c.hBar) {
      EXPECT_EQ(WindowRectIn(grid.m_hWnd, host.child(kGridHScrollId)),
                CRect(0, 300 - hbar, 400 - (c.vBar ? bar : 0), 300));
    }
  }
  grid.SetRowCount(40);
  EXPECT_EQ(grid.Dims().lastTopRow, 40 - (300 - 20 - hbar) / 20);
  grid.SetColCount(3);
  grid.SetRowHeaderWidth(0);
  grid.SetColHeaderHeight(0);
  EXPECT_EQ(WindowRectIn(grid.m_hWnd, host.body()), CRect(0, 0, 400 - bar, 300));
}

TEST(GridLayoutTest, ScrollBarsAgreeWithTheBodyTheyLeave) {
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  const int hbar = GetSystemMetrics(SM_CYHSCROLL);
  struct {
    const char* name;
    int fromW, fromH, toW, toH;
    int cols, colWidth, rows;
    bool hBar, vBar;
  } const cases[] = {
      // 3 x 115 = 345 and 14 x 20 = 280 fit 350 x 280 exactly: neither bar, from both shown before.
      {"both bars were shown, neither is needed", 420, 250, 400, 300, 3, 115, 14, false, false},
      {"neither was shown, both are needed", 400, 300, 380, 290, 3, 115, 14, true, true},
      {"one bar brings the other", 400, 300, 400, 299, 3, 115, 14, true, true},
      {"only rows overflow", 400, 300, 400 + bar, 200, 3, 115, 14, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GridHost<RecordingGrid> host(c.fromW, c.fromH);
    CGridCtrl& grid = host.grid;
    grid.SetColCount(c.cols);
    for (int col = 0; col < c.cols; ++col)
      grid.SetColWidth(col, c.colWidth);
    grid.SetRowCount(c.rows);
    grid.MoveWindow(0, 0, c.toW, c.toH);
    const CGridDims& d = grid.Dims();
    EXPECT_EQ(d.hBarShown, c.hBar);
    EXPECT_EQ(d.vBarShown, c.vBar);
    EXPECT_EQ(d.hBarShown, d.lastLeftCol >= 1);
    EXPECT_EQ(d.vBarShown, d.lastTopRow >= 1);
    EXPECT_EQ(d.bodyWidth, c.toW - 50 - (d.vBarShown ? bar : 0));
    EXPECT_EQ(d.bodyHeight, c.toH - 20 - (d.hBarShown ? hbar : 0));
    EXPECT_EQ(IsWindowVisible(host.child(kGridHScrollId)) != FALSE, d.hBarShown);
    // The last row can be brought wholly into view.
    grid.ScrollRows(kMoveLast);
    CRect last;
    grid.GetCellRect(0, c.rows - 1, &last);
    EXPECT_LE(last.bottom, d.bodyHeight);
  }
}

// A grid that notes the area each paint of its body covers.
class PaintNotingGrid : public RecordingGrid {
public:
  std::vector<CRect> bodyPaints;
  void OnPaintArea(CDC* dc, int area) override {
    CRect clip;
    if (area == kAreaBody && dc->GetClipBox(&clip) != ERROR)
      bodyPaints.push_back(clip);
  }
};

TEST(GridLayoutTest, TheBodyIsRepaintedWholeWhenGrowingLowersTheTopRow) {
  GridHost<PaintNotingGrid> host(400, 400); // room for the grid to grow into
  PaintNotingGrid& grid = host.grid;
  grid.MoveWindow(0, 0, 400, 300);
  grid.SetColCount(3);
  grid.SetRowCount(100);
  grid.ScrollRows(kMoveLast);
  ASSERT_EQ(grid.GetTopRow(), 86);
  testsupport::pumpMessages();
  grid.bodyPaints.clear();
  // Resized without the system's repaint, so that only what the grid itself invalidates is painted.
  SetWindowPos(grid.m_hWnd, nullptr, 0, 0, 400, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  testsupport::pumpMessages();
  EXPECT_EQ(grid.GetTopRow(), 81);
  CRect painted;
  for (const CRect& r : grid.bodyPaints)
    UnionRect(&painted, &painted, &r);
  EXPECT_EQ(painted, CRect(0, 0, grid.Dims().bodyWidth, grid.Dims().bodyHeight));

  grid.bodyPaints.clear();
  grid.SetColHeaderHeight(40); // a size set by the program shows at once
  EXPECT_FALSE(grid.bodyPaints.empty());
}

TEST_F(GridCtrlTest, HitTestAndCellRectanglesFollowTheView) {
  grid.SetColCount(5);
  grid.SetRowCount(100);
  grid.SetColWidth(1, 40);
  grid.SetRowHeight(2, 35);
  struct {
    int x, y, answer, col, row;
    CRect rect;
  } const cases[] = {
      {0, 0, 0, 0, 0, {0, 0, 100, 20}},
      {99, 19, 0, 0, 0, {0, 0, 100, 20}},
      {100, 20, 0, 1, 1, {100, 20, 140, 40}},
      {150, 45, 0, 2, 2, {140, 40, 240, 75}},
      {-1, 5, 1, -1, -1, {}},
      {5, 400, 1, -1, -1, {}},
  };
  for (const auto& c : cases) {
    int col = 9, row = 9;
    CRect rect;
    EXPECT_EQ(grid.HitTest(c.x, c.y, &col, &row, &rect), c.answer) << c.x << "," << c.y;
    EXPECT_EQ(col, c.col);
    EXPECT_EQ(row, c.row);
    if (c.answer == 0) {
      EXPECT_EQ(rect, c.rect);
    }
  }
  grid.SetTopRow(3);
  CRect rect;
  EXPECT_EQ(grid.GetCellRect(1, 2, &rect), 0);
  EXPECT_EQ(rect, CRect(100, -35, 140, 0)); // above the view: negative
  EXPECT_EQ(grid.GetCellRect(5, 0, &rect), 1);

  grid.JoinCells(1, 4, 2, 5);
  int col, row;
  EXPECT_EQ(grid.HitTest(150, 30, &col, &row, &rect), 0); // (2, 5) is in the block
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 4);
  EXPECT_EQ(rect, CRect(100, 20, 240, 60));
}

// A move to a column cut at the right edge scrolls it whole only when less than half of it shows: the
// first columns stay in view for a wide last one.
TEST_F(GridCtrlTest, AColumnHalfShownIsInViewWithoutScrolling) {
  struct Case {
    const char* name;
    int lastWidthOfBody; // the last column's width, in hundredths of the body's width
    int expectedLeft;
  } const cases[] = {
      {"shown whole", 20, 0},
      {"exactly half shown", 40, 0},
      {"less than half shown: scrolled whole", 50, 2},
  };
  // The first three columns take 10, 20 and 50 hundredths of the body.
  const int firstWidths[] = {10, 20, 50};
  grid.SetColCount(4);
  grid.SetRowCount(5);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int body = grid.Dims().bodyWidth;
    grid.SetCurCell(0, 0);
    grid.SetLeftCol(0);
    for (int col = 0; col < 3; ++col)
      grid.SetColWidth(col, body * firstWidths[col] / 100);
    grid.SetColWidth(3, body * c.lastWidthOfBody / 100);
    grid.SetCurCell(3, 0);
    EXPECT_EQ(grid.GetLeftCol(), c.expectedLeft);
  }
}

TEST_F(GridCtrlTest, MovingTheCurrentCellRunsTheHooksInOrder) {
  grid.SetColCount(5);
  grid.SetRowCount(100);
  grid.log.clear();
  EXPECT_EQ(grid.SetCurCell(2, 30), 0);
  const int top = grid.GetTopRow();
  EXPECT_EQ(grid.Hooks(),
            (Lines{"OnSelChanging(0,0,2,30)", "OnRowChanged(0,30)", "OnColChanged(0,2)",
                   "OnSelChanged(0,2,0,30)", "OnTopRowChanged(0," + std::to_string(top) + ")"}));
  // The current row just shows at the bottom.
  EXPECT_EQ(top, 30 - grid.Dims().bodyHeight / 20 + 1);

  grid.log.clear();
  EXPECT_EQ(grid.SetCurCell(2, 30), 0);
  EXPECT_EQ(grid.SetLeftCol(1), 0);
  EXPECT_EQ(grid.Hooks(),
            (Lines{"OnScrollChanging(0," + std::to_string(top) + ",1," + std::to_string(top) + ")",
                   "OnLeftColChanged(0,1)"}));
  EXPECT_EQ(grid.SetLeftCol(3), 1); // beyond the last left column

  grid.allowSelChange = false;
  grid.log.clear();
  EXPECT_EQ(grid.SetCurCell(0, 0), 2);
  EXPECT_EQ(grid.MoveRow(kMoveOn), 2);
  EXPECT_EQ(grid.GetCurRow(), 30);
  EXPECT_EQ(grid.Calls("OnSel"), (Lines{"OnSelChanging(2,30,0,0)", "OnSelChanging(2,30,2,31)"}));
  grid.allowScroll = false;
  EXPECT_EQ(grid.ScrollRows(kMoveFirst), 2);
  EXPECT_EQ(grid.GetTopRow(), top);
}

TEST_F(GridCtrlTest, MovesAndScrollsByKind) {
  grid.SetColCount(3);
  grid.SetRowCount(100); // 14 rows fit the body
  struct {
    int kind, expectRow;
  } const moves[] = {{kMovePageOn, 14}, {kMovePageOn, 28}, {kMoveOn, 29},   {kMovePageBack, 15},
                     {kMoveLast, 99},   {kMoveBack, 98},   {kMoveFirst, 0}, {kMoveBack, 0}};
  for (const auto& m : moves) {
    grid.MoveRow(m.kind);
    EXPECT_EQ(grid.GetCurRow(), m.expectRow) << "kind " << m.kind;
  }
  EXPECT_EQ(grid.Calls("OnRowUnderflow"), (Lines{"OnRowUnderflow(100,-1)"}));
  EXPECT_EQ(grid.ScrollRows(kMovePageOn), 0);
  EXPECT_EQ(grid.GetTopRow(), 14);
  EXPECT_EQ(grid.ScrollRows(kMoveLast), 0);
  EXPECT_EQ(grid.GetTopRow(), 86);
  EXPECT_EQ(grid.ScrollRows(kMoveOn), 1);
  EXPECT_EQ(grid.ScrollRows(kMovePageBack), 0);
  EXPECT_EQ(grid.GetTopRow(), 72);
  EXPECT_EQ(grid.MoveCol(kMoveLast), 0);
  EXPECT_EQ(grid.GetCurCol(), 2);
  EXPECT_EQ(grid.MoveCol(kMovePageOn), 1);
}

TEST_F(GridCtrlTest, MovingOnFromTheLastRowAsksForMoreRows) {
  grid.SetColCount(2);
  grid.SetRowCount(10);
  grid.MoveRow(kMoveLast);
  grid.log.clear();
  EXPECT_EQ(grid.MoveRow(kMoveOn), 0);
  EXPECT_EQ(grid.GetCurRow(), 9);
  EXPECT_EQ(grid.Calls("OnRow"), (Lines{"OnRowOverflow(10,1,0)"}));

  grid.rowsToAddOnOverflow = 5;
  EXPECT_EQ(grid.MoveRow(kMoveOn), 0);
  EXPECT_EQ(grid.GetRowCount(), 15);
  EXPECT_EQ(grid.GetCurRow(), 10);
}

TEST_F(GridCtrlTest, ARowHeightOfZeroStillPagesOn) {
  grid.SetColCount(2);
  grid.SetRowCount(3000);
  grid.SetDefRowHeight(0);
  grid.SetUniformRowHeight(1);
  EXPECT_EQ(grid.MoveRow(kMovePageOn), 0);
  EXPECT_GT(grid.GetCurRow(), 0);
  EXPECT_EQ(grid.MoveRow(kMovePageBack), 0);
  EXPECT_EQ(grid.GetCurRow(), 0);
}

TEST_F(GridCtrlTest, FitColWidthsFillsTheBody) {
  GridHost<RecordingGrid> narrow(100, 100);
  narrow.grid.SetRowHeaderWidth(0);
  narrow.grid.SetColCount(3);
  for (int col = 0; col < 3; ++col)
    narrow.grid.SetColWidth(col, 10);
  EXPECT_EQ(narrow.grid.FitColWidths(0, 2), 0);
  auto widths = [&] {
    std::vector<int> w(3);
    for (int col = 0; col < 3; ++col)
      narrow.grid.GetColWidth(col, &w[static_cast<size_t>(col)]);
    return w;
  };
  EXPECT_EQ(widths(), (std::vector<int>{33, 33, 34}));
  for (int col = 0; col < 3; ++col)
    narrow.grid.SetColWidth(col, 0);
  EXPECT_EQ(narrow.grid.FitColWidths(0, 2), 0); // all zero: equal shares
  EXPECT_EQ(widths(), (std::vector<int>{33, 33, 34}));
  EXPECT_EQ(narrow.grid.FitColWidths(1, 3), 1);
  EXPECT_EQ(narrow.grid.FitColWidths(2, 1), 1);
}

TEST_F(GridCtrlTest, CellsOutsideTheGridAreRefused) {
  grid.SetColCount(3);
  grid.SetRowCount(4);
  CGridCell cell;
  cell.SetText("x");
  struct {
    int col, row, answer;
  } const cases[] = {{-2, 0, 1}, {0, -2, 1},  {-5, -5, 1}, {3, 0, 1},
                     {0, 4, 1},  {-1, -1, 0}, {-1, 2, 0},  {2, -1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(grid.SetCell(c.col, c.row, &cell), c.answer) << c.col << "," << c.row;
    CGridCell read;
    EXPECT_EQ(grid.GetCell(c.col, c.row, &read), c.answer) << c.col << "," << c.row;
    EXPECT_EQ(grid.GetMergedCell(c.col, c.row, &read), c.answer) << c.col << "," << c.row;
  }
}

TEST_F(GridCtrlTest, MergedCellsLayerDefaultsUnderStoredCells) {
  CGridCell def;
  def.SetBkColor(RGB(9, 9, 9));
  grid.SetColCount(1);
  grid.SetDefaultCell(&def); // only columns made later take it
  grid.SetColCount(2);
  grid.SetRowCount(2);
  grid.SetCellTextColor(1, 0, RGB(200, 0, 0));
  CGridCell merged;
  grid.GetMergedCell(0, 0, &merged);
  EXPECT_EQ(merged.m_crBk, GetSysColor(COLOR_WINDOW));
  grid.GetMergedCell(1, 0, &merged);
  EXPECT_EQ(merged.m_crBk, RGB(9, 9, 9));
  EXPECT_EQ(merged.m_crText, RGB(200, 0, 0));
  grid.SetCellText(0, -1, "Name");
  grid.GetMergedCell(0, -1, &merged);
  EXPECT_EQ(merged.m_strText, "Name");
  EXPECT_EQ(merged.m_nFrameStyle, 0x2000);
  EXPECT_EQ(merged.m_nAlign, 0x24);
}

TEST_F(GridCtrlTest, JoinedBlocksHoldTheCurrentCellOnTheirAnchor) {
  grid.SetColCount(5);
  grid.SetRowCount(10);
  EXPECT_EQ(grid.JoinCells(2, 1, 1, 1), 1);
  EXPECT_EQ(grid.JoinCells(1, 2, 5, 3), 1);
  ASSERT_EQ(grid.JoinCells(1, 2, 2, 4), 0);
  struct {
    const char* name;
    int startCol, startRow;
    int kind; // 0 SetCurCell, 1 SetCurRow, 2 SetCurCol
    int arg1, arg2;
    int col, row;
  } const cases[] = {
      {"a member lands on the anchor", 0, 0, 0, 2, 3, 1, 2},
      {"a row inside the current block skips past it", 1, 2, 1, 3, 0, 1, 5},
      {"moving down into a block goes to its anchor", 1, 0, 1, 3, 0, 1, 2},
      {"a column inside the current block skips past it", 1, 2, 2, 2, 0, 3, 2},
      {"moving left into a block goes to its anchor", 4, 3, 2, 2, 0, 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    grid.SetCurCell(c.startCol, c.startRow);
    if (c.kind == 0)
      grid.SetCurCell(c.arg1, c.arg2);
    else if (c.kind == 1)
      grid.SetCurRow(c.arg1);
    else
      grid.SetCurCol(c.arg1);
    EXPECT_EQ(grid.GetCurCol(), c.col);
    EXPECT_EQ(grid.GetCurRow(), c.row);
  }
  grid.SetCurCell(0, 0);
  CRect rect;
  grid.GetCellRect(2, 4, &rect);
  EXPECT_EQ(rect, CRect(100, 40, 300, 100));
  // The grid shrinks under the block: the block is cut to the grid, never read past it.
  grid.SetRowCount(4);
  grid.GetCellRect(1, 2, &rect);
  EXPECT_EQ(rect, CRect(100, 40, 300, 80));
  grid.SetColCount(2);
  grid.GetCellRect(1, 2, &rect);
  EXPECT_EQ(rect, CRect(100, 40, 200, 80));
}

TEST_F(GridCtrlTest, DeletingARowMovesTheCurrentRowOnce) {
  grid.SetColCount(2);
  grid.SetRowCount(5);
  for (int row = 0; row < 5; ++row)
    grid.SetCellText(0, row, std::to_string(row).c_str());
  grid.SetCurRow(4);
  grid.log.clear();
  EXPECT_EQ(grid.DeleteRow(1), 0);
  EXPECT_EQ(grid.GetRowCount(), 4);
  EXPECT_EQ(grid.GetCurRow(), 3);
  EXPECT_EQ(grid.Calls("OnRowChanged"), (Lines{"OnRowChanged(4,3)"}));
  CGridCell cell;
  grid.GetCell(0, 3, &cell);
  EXPECT_EQ(cell.m_strText, "4"); // still on the same entry

  grid.log.clear();
  EXPECT_EQ(grid.DeleteRow(3), 0); // the current row itself, the last one
  EXPECT_EQ(grid.GetCurRow(), 2);
  EXPECT_EQ(grid.Calls("OnRowChanged"), (Lines{"OnRowChanged(3,2)"}));

  grid.allowSelChange = false; // refused, yet the current row stays inside the grid
  EXPECT_EQ(grid.DeleteRow(2), 0);
  EXPECT_EQ(grid.GetCurRow(), 1);
  EXPECT_EQ(grid.DeleteRow(7), 2);
  grid.DeleteRow(0);
  grid.DeleteRow(0);
  EXPECT_EQ(grid.GetRowCount(), 0);
  EXPECT_EQ(grid.DeleteRow(0), 2);
}

BOOL CALLBACK noteDialog(HWND w, LPARAM found) {
  char name[16] = "";
  GetClassNameA(w, name, sizeof name);
  if (lstrcmpA(name, "#32770") == 0)
    *reinterpret_cast<HWND*>(found) = w;
  return TRUE;
}

TEST_F(GridCtrlTest, FindSelectsTheRowFoundAndSkipsRowsPastTheEnd) {
  grid.SetColCount(2);
  grid.SetRowCount(10);
  grid.SetCellText(0, 3, "Yule");
  grid.SetCellText(0, 8, "Easter");
  grid.SetRowCount(5); // row 8 stays in the store but is no longer part of the grid
  ASSERT_EQ(grid.ShowFindDialog(), 0);
  EXPECT_EQ(grid.ShowFindDialog(), 1);
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), noteDialog, reinterpret_cast<LPARAM>(&dialog));
  ASSERT_NE(dialog, nullptr);
  auto find = [&](const char* text) {
    SetDlgItemTextA(dialog, edt1, text);
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
  find("yule");
  EXPECT_EQ(grid.GetCurRow(), 3);
  {
    ModalAnswerer answerer;
    answerer.answer("Item not found", IDOK);
    find("Easter");
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "Not Found");
  }
  EXPECT_EQ(grid.GetCurRow(), 3);
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  testsupport::pumpMessages();
  EXPECT_FALSE(grid.IsFindDialogOpen());
  EXPECT_EQ(grid.ShowFindDialog(), 0);
}

// The Find dialog is modeless: its keys (Enter on Find Next, Tab between its controls, Escape to
// close) reach it only through the program's loop, which the user's keys go through here.
TEST(GridFindByUser, EnterTabAndEscapeWorkInTheFindDialog) {
  namespace realinput = testsupport::realinput;
  using realinput::keyStroke;
  GridHost<RecordingGrid> host;
  RecordingGrid& grid = host.grid;
  grid.SetColCount(2);
  grid.SetRowCount(10);
  grid.SetCellText(0, 3, "Yule");
  grid.SetCellText(0, 7, "Easter");
  ASSERT_EQ(grid.ShowFindDialog(), 0);
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), noteDialog, reinterpret_cast<LPARAM>(&dialog));
  ASSERT_NE(dialog, nullptr);
  realinput::bringToFront(dialog);
  SetFocus(GetDlgItem(dialog, edt1));
  const auto loop = wincore::runModalLoop;

  std::vector<INPUT> typed = realinput::keysOf("easter");
  typed.push_back(keyStroke(VK_RETURN, false));
  typed.push_back(keyStroke(VK_RETURN, true));
  EXPECT_TRUE(realinput::sendThroughLoop(typed, loop, [&] { return grid.GetCurRow() == 7; }))
      << "Enter found nothing; the current row is " << grid.GetCurRow();

  const HWND before = GetFocus();
  EXPECT_TRUE(realinput::sendThroughLoop({keyStroke(VK_TAB, false), keyStroke(VK_TAB, true)}, loop, [&] {
    return GetFocus() != before && IsChild(dialog, GetFocus());
  })) << "Tab left the focus where it was";

  EXPECT_TRUE(realinput::sendThroughLoop({keyStroke(VK_ESCAPE, false), keyStroke(VK_ESCAPE, true)}, loop,
                                         [&] { return !grid.IsFindDialogOpen(); }))
      << "Escape left the dialog open";
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(GridCtrlSubclassTest, AttachesToADialogControlAndLaysOut) {
  CWnd parent;
  parent.CreateEx(0, nullptr, "dialog", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0);
  CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 150, parent.m_hWnd,
                  reinterpret_cast<HMENU>(55), GetModuleHandleA(nullptr), nullptr);
  RecordingGrid grid;
  EXPECT_EQ(grid.SubclassDlgItem(56, &parent), 0);
  ASSERT_EQ(grid.SubclassDlgItem(55, &parent), 1);
  EXPECT_TRUE(grid.GetStyle() & WS_CLIPCHILDREN);
  ASSERT_NE(grid.GetBody(), nullptr);
  EXPECT_EQ(grid.Dims().bodyWidth, grid.GetClientRect().Width() - 50);
}

} // namespace
