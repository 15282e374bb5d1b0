#include <gridctrl/tests/RecordingGrid.h>

#include <gridctrl/GridBody.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

using namespace testsupport;
using Lines = std::vector<std::string>;

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);

// A grid whose key hook can swallow keys.
class KeyEatingGrid : public RecordingGrid {
public:
  bool eatKeys = false;
  void OnKeyDownCell(UINT* key, int answer) override {
    Record("OnKeyDownCell", *key, answer);
    if (eatKeys)
      *key = 0;
  }
};

struct GridBodyTest : ::testing::Test {
  GridHost<KeyEatingGrid> host;
  KeyEatingGrid& grid = host.grid;
  HWND body = host.body();

  GridBodyTest() {
    grid.SetColCount(5);
    grid.SetRowCount(100);
    grid.log.clear();
  }
  std::pair<int, int> Current() const { return {grid.GetCurCol(), grid.GetCurRow()}; }
  // Centre of a cell in body coordinates.
  CPoint At(int col, int row) {
    CRect rect;
    grid.GetCellRect(col, row, &rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
  void Click(int col, int row, WPARAM keys = 0) {
    CPoint p = At(col, row);
    click(body, p.x, p.y, keys);
  }
};

TEST_F(GridBodyTest, KeysMoveTheCurrentCell) {
  struct {
    int key;
    std::initializer_list<int> held;
    int col, row;
  } const steps[] = {
      {VK_DOWN, {}, 0, 1},           {VK_RIGHT, {}, 1, 1}, {VK_END, {}, 4, 1},
      {VK_HOME, {}, 0, 1},           {VK_NEXT, {}, 0, 14}, {VK_PRIOR, {}, 0, 1},
      {VK_END, {VK_CONTROL}, 0, 99}, {VK_UP, {}, 0, 98},   {VK_HOME, {VK_CONTROL}, 0, 0},
      {VK_LEFT, {}, 0, 0},
  };
  for (const auto& step : steps) {
    HeldKeys held(step.held);
    pressKey(body, step.key);
    EXPECT_EQ(Current(), std::make_pair(step.col, step.row)) << "key " << step.key;
  }
  EXPECT_EQ(grid.Dims().inputSource, kInputProgram);
}

TEST_F(GridBodyTest, HooksCanStopKeysAndClicks) {
  grid.eatKeys = true;
  pressKey(body, VK_DOWN);
  EXPECT_EQ(Current(), std::make_pair(0, 0));
  EXPECT_EQ(grid.Calls("OnKeyDownCell"), (Lines{"OnKeyDownCell(40,-1)"}));

  grid.eatKeys = false;
  grid.allowSelChange = false;
  pressKey(body, VK_DOWN);
  Click(2, 2);
  EXPECT_EQ(Current(), std::make_pair(0, 0));
  EXPECT_TRUE(grid.Calls("OnSelChanged").empty());
}

TEST_F(GridBodyTest, MouseButtonsReachTheHooksWithTheCell) {
  Click(1, 2);
  EXPECT_EQ(Current(), std::make_pair(1, 2));
  CPoint p = At(2, 3);
  doubleClick(body, p.x, p.y);
  rightClick(body, 600, 5); // right of the last column
  EXPECT_EQ(grid.Hooks(), (Lines{"OnSelChanging(0,0,1,2)", "OnRowChanged(0,2)", "OnColChanged(0,1)",
                                 "OnSelChanged(0,1,0,2)", "OnLButtonCell(1,2,1,-1)",
                                 "OnLButtonCell(1,2,0,-1)", "OnSelChanging(1,2,2,3)", "OnRowChanged(2,3)",
                                 "OnColChanged(1,2)", "OnSelChanged(1,2,2,3)", "OnLButtonCell(2,3,1,-1)",
                                 "OnLButtonCell(2,3,0,-1)", "OnDblClkCell(2,3,-1)", "OnLButtonCell(2,3,0,-1)",
                                 "OnRButtonCell(-1,-1,1,0)", "OnRButtonCell(-1,-1,0,0)"}));
}

TEST_F(GridBodyTest, APartlyShownCellClickedComesWholeIntoViewOnlyAtButtonUp) {
  const int x = grid.Dims().bodyWidth - 5; // column 3 shows only its first pixels
  SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
  EXPECT_EQ(Current(), std::make_pair(3, 0));
  EXPECT_EQ(grid.GetLeftCol(), 0);
  SendMessageA(body, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  EXPECT_EQ(Current(), std::make_pair(3, 0));
  EXPECT_EQ(grid.GetLeftCol(), 1);
  EXPECT_EQ(grid.Calls("OnLeftColChanged"), (Lines{"OnLeftColChanged(0,1)"}));
}

TEST_F(GridBodyTest, PopUpMenuIsAskedForOnlyWhenSwitchedOn) {
  rightClick(body, 10, 5);
  EXPECT_TRUE(grid.Calls("OnShowMenu").empty());
  grid.EnablePopupMenu(TRUE);
  rightClick(body, 600, 5);
  EXPECT_EQ(grid.Calls("OnShowMenu"), (Lines{"OnShowMenu(-1,-1,1)"})); // answered 2: no menu
}

TEST_F(GridBodyTest, ShiftAndControlClicksShapeTheSelection) {
  grid.EnableSelection(TRUE);
  CGridSelection& selection = grid.GetSelection();
  Click(1, 1);
  {
    HeldKeys shift{VK_SHIFT};
    Click(2, 4, MK_SHIFT);
  }
  EXPECT_TRUE(selection.IsSelected(2, 3));
  EXPECT_TRUE(selection.IsSelected(1, 1));
  EXPECT_FALSE(selection.IsSelected(3, 3));
  {
    HeldKeys control{VK_CONTROL};
    Click(2, 2, MK_CONTROL); // inside the newer range: deselected where the user sees it
  }
  EXPECT_FALSE(selection.IsSelected(2, 2));
  EXPECT_TRUE(selection.IsSelected(2, 3));
  {
    HeldKeys shift{VK_SHIFT};
    pressKey(body, VK_DOWN); // extends the newest range, the toggled cell's
  }
  EXPECT_EQ(Current(), std::make_pair(2, 3));
  EXPECT_TRUE(selection.IsSelected(2, 3));
  EXPECT_TRUE(selection.IsSelected(1, 1));

  pressKey(body, VK_DOWN); // without Shift the keyboard starts anew
  EXPECT_FALSE(selection.IsSelected(1, 1));
  EXPECT_TRUE(selection.IsSelected(2, 4));

  drag(body, At(0, 5), At(1, 6));
  EXPECT_TRUE(selection.IsSelected(1, 5));
  EXPECT_TRUE(selection.IsSelected(0, 6));
  EXPECT_FALSE(selection.IsSelected(2, 4));
}

TEST_F(GridBodyTest, DraggingBelowTheCellsScrollsUntilTheGridEnds) {
  CPoint from = At(0, 1);
  const LPARAM below = MAKELPARAM(from.x, grid.Dims().bodyHeight + 5);
  SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  // The loop runs while the pointer rests below the cells; anything else arriving on the desktop (a
  // pointer move, the capture going) ends it, and the next move goes on from there.
  for (int moves = 0; moves < 200 && grid.GetCurRow() < 99; ++moves)
    SendMessageA(body, WM_MOUSEMOVE, MK_LBUTTON, below);
  EXPECT_EQ(grid.GetCurRow(), 99);
  EXPECT_EQ(grid.GetTopRow(), grid.Dims().lastTopRow); // the rows come wholly into view
  SendMessageA(body, WM_MOUSEMOVE, MK_LBUTTON, below); // at the edge the loop ends at once
  SendMessageA(body, WM_LBUTTONUP, 0, below);
  EXPECT_NE(GetCapture(), body);
}

TEST_F(GridBodyTest, DragLoopEndsWhenTheCaptureGoesOrAQuitArrives) {
  CPoint from = At(0, 1);
  SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  ReleaseCapture(); // taken away, as when another window grabs the mouse: the drag is over
  SendMessageA(body, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, grid.Dims().bodyHeight + 5));
  EXPECT_EQ(grid.GetCurRow(), 1);

  SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  PostQuitMessage(0);
  SendMessageA(body, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x, grid.Dims().bodyHeight + 5));
  EXPECT_EQ(grid.GetCurRow(), 2);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)); // left for the message loop
  SendMessageA(body, WM_LBUTTONUP, 0, 0);
}

TEST_F(GridBodyTest, EditingStartsOnlyOnAnEditableCell) {
  auto editor = [&] { return GetDlgItem(body, 237); };
  CGridCell locked;
  locked.SetNoEdit(1);
  grid.SetCell(0, 0, &locked);
  EXPECT_EQ(grid.EditCurCell(), 1);
  EXPECT_EQ(editor(), nullptr);
  EXPECT_TRUE(grid.Calls("OnBeginEdit").empty());

  grid.SetCurCell(1, 2);
  grid.SetCellText(1, 2, "Easter");
  grid.allowEdit = false;
  EXPECT_EQ(grid.EditCurCell(), 1);
  EXPECT_EQ(editor(), nullptr);
  grid.allowEdit = true;
  EXPECT_EQ(grid.EditCurCell(), 0);
  ASSERT_NE(editor(), nullptr);
  char text[32] = "";
  GetWindowTextA(editor(), text, sizeof text);
  EXPECT_STREQ(text, "Easter");
  CRect rect;
  GetWindowRect(editor(), &rect);
  MapWindowPoints(nullptr, body, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect, CRect(100, 40, 199, 59)); // the cell less its grid lines
  EXPECT_EQ(grid.Calls("OnBeginEdit"), (Lines{"OnBeginEdit(1,2)", "OnBeginEdit(1,2)"}));
}

TEST_F(GridBodyTest, ADragEndsWhenTheButtonCameUpUnseen) {
  CPoint from = At(1, 1), to = At(3, 4);
  SendMessageA(body, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  SendMessageA(body, WM_MOUSEMOVE, 0, MAKELPARAM(to.x, to.y)); // the button came up unseen
  EXPECT_EQ(Current(), std::make_pair(1, 1));
  ReleaseCapture();
}

TEST_F(GridBodyTest, TheEditorsLimitIsTheMaximumKeptInsideAnInt) {
  struct {
    double maximum;
    LRESULT limit;
  } const cases[] = {{12.7, 12}, {1e12, 0}, {-5.0, 0}};
  for (const auto& c : cases) {
    CGridCell cell;
    cell.SetText("1");
    cell.SetRange(0, c.maximum);
    cell.m_nRangeFlag = 1;
    grid.SetCell(0, 0, &cell);
    ASSERT_EQ(grid.EditCurCell(), 0);
    const LRESULT limit = SendMessageA(GetDlgItem(body, 237), EM_GETLIMITTEXT, 0, 0);
    if (c.limit == 0)
      EXPECT_GE(limit, 0x7FFFFFFE) << c.maximum; // the control's largest
    else
      EXPECT_EQ(limit, c.limit) << c.maximum;
  }
}

// ---- Painting ----

struct GridPaintTest : GridBodyTest {
  MemoryDib dib{400, 300, kMagenta};
  void Paint() { paintClient(body, dib); }
  COLORREF Pixel(CPoint p) const { return dib.pixel(p.x, p.y); }
};

TEST_F(GridPaintTest, CurrentCellShowsItsFocusFrameWhenTheBodyHasTheFocus) {
  grid.SetCurCell(1, 1);
  SetFocus(body);
  ASSERT_TRUE(grid.GetBody()->HasFocus());
  Paint();
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  CRect cell;
  grid.GetCellRect(1, 1, &cell);
  const int area = (cell.Width() - 1) * (cell.Height() - 1);
  EXPECT_LT(dib.count(window, CRect(cell.left, cell.top, cell.right - 1, cell.bottom - 1)), area - 20);
  grid.GetCellRect(2, 2, &cell);
  EXPECT_EQ(dib.count(window, CRect(cell.left, cell.top, cell.right - 1, cell.bottom - 1)), area);
  // Grid lines: the right and bottom edge of each cell.
  EXPECT_EQ(dib.pixel(cell.right - 1, cell.top + 5), RGB(0, 0, 0));
  EXPECT_EQ(dib.pixel(cell.left + 5, cell.bottom - 1), RGB(0, 0, 0));
  EXPECT_EQ(dib.pixel(cell.left + 5, cell.top + 5), window);

  SetFocus(nullptr);
  Paint();
  grid.GetCellRect(1, 1, &cell);
  EXPECT_EQ(dib.count(window, CRect(cell.left, cell.top, cell.right - 1, cell.bottom - 1)), area);
}

TEST_F(GridPaintTest, SelectedCellsTakeTheSelectedColours) {
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  grid.SetRowSelect(TRUE);
  grid.SetCurCell(1, 2);
  Paint();
  EXPECT_EQ(Pixel(At(3, 2)), highlight);
  EXPECT_EQ(Pixel(At(0, 2)), highlight);
  EXPECT_EQ(Pixel(At(1, 2)), GetSysColor(COLOR_WINDOW)); // current, style 1: normal colours
  EXPECT_EQ(Pixel(At(3, 3)), GetSysColor(COLOR_WINDOW));
  grid.SetCurCellStyle(3);
  Paint();
  EXPECT_EQ(Pixel(At(1, 2)), highlight);

  grid.SetRowSelect(FALSE);
  grid.EnableSelection(TRUE);
  grid.SelectCell(3, 5);
  Paint();
  EXPECT_EQ(Pixel(At(3, 5)), highlight);
  EXPECT_EQ(Pixel(At(3, 2)), GetSysColor(COLOR_WINDOW));
}

TEST_F(GridPaintTest, JoinedBlockIsDrawnAsOneCell) {
  CGridCell red;
  red.SetBkColor(RGB(255, 0, 0));
  grid.SetCell(1, 1, &red);
  grid.JoinCells(1, 1, 2, 2);
  Paint();
  CRect block;
  grid.GetCellRect(1, 1, &block);
  EXPECT_EQ(block, CRect(100, 20, 300, 60));
  // No grid line inside the block, its anchor's colour all over it.
  EXPECT_EQ(dib.count(RGB(255, 0, 0), CRect(100, 20, 299, 59)), 199 * 39);
  EXPECT_EQ(dib.pixel(199, 10), RGB(0, 0, 0)); // the line is there above the block
}

TEST_F(GridPaintTest, UnsetDefaultAttributesTakeTheBuiltInLook) {
  GridHost<RecordingGrid> other;
  CGridCell partial; // as a list passes it: only a background
  partial.SetBkColor(RGB(0, 128, 0));
  other.grid.SetDefaultCell(&partial);
  other.grid.SetColCount(2);
  other.grid.SetRowCount(3);
  paintClient(other.body(), dib);
  EXPECT_EQ(dib.pixel(10, 25), RGB(0, 128, 0));
  EXPECT_EQ(dib.pixel(99, 25), RGB(0, 0, 0));    // right line
  EXPECT_EQ(dib.pixel(10, 39), RGB(0, 0, 0));    // bottom line
  EXPECT_EQ(dib.pixel(0, 25), RGB(0, 128, 0));   // no left line
  EXPECT_EQ(dib.pixel(10, 20), RGB(0, 128, 0));  // no top line
  EXPECT_EQ(dib.pixel(250, 25), RGB(0, 128, 0)); // right of the last column: the default background
  EXPECT_EQ(dib.pixel(10, 100), RGB(0, 128, 0)); // below the last row
}

TEST_F(GridPaintTest, TheFillBesideTheCellsTakesTheBuiltInBackgroundWhenTheDefaultHasNone) {
  GridHost<RecordingGrid> other;
  CGridCell partial; // only a text colour
  partial.SetTextColor(RGB(0, 0, 255));
  other.grid.SetDefaultCell(&partial);
  other.grid.SetColCount(2);
  other.grid.SetRowCount(3);
  paintClient(other.body(), dib);
  EXPECT_EQ(dib.pixel(250, 25), GetSysColor(COLOR_WINDOW)); // right of the last column
  EXPECT_EQ(dib.pixel(10, 100), GetSysColor(COLOR_WINDOW)); // below the last row
}

TEST_F(GridPaintTest, EmptyGridPaintsItsBackgroundAndPaintingOffPaintsNothing) {
  grid.SetRowCount(0);
  Paint();
  EXPECT_EQ(dib.count(GetSysColor(COLOR_WINDOW), CRect(0, 0, grid.Dims().bodyWidth, grid.Dims().bodyHeight)),
            grid.Dims().bodyWidth * grid.Dims().bodyHeight);

  grid.SetRowCount(10);
  grid.SetRedraw(0);
  grid.log.clear();
  MemoryDib blank(400, 300, kMagenta);
  paintClient(body, blank);
  EXPECT_EQ(grid.log, (Lines{"OnPaintArea(1)"})); // the hook runs before the switch is looked at
  EXPECT_EQ(blank.count(kMagenta), 400 * 300);
  grid.SetRedraw(1);
  paintClient(body, blank);
  EXPECT_EQ(blank.pixel(50, 10), GetSysColor(COLOR_WINDOW));
}

TEST_F(GridPaintTest, APassPaintsOnlyTheListedCells) {
  Paint();
  MemoryDib pass(400, 300, kMagenta);
  CDC dc;
  dc.Attach(pass.dc());
  grid.GetBody()->RepaintList().Add(1, 1, 1, 1);
  grid.GetBody()->PaintPass(&dc);
  EXPECT_EQ(pass.pixel(150, 30), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pass.pixel(50, 10), kMagenta);
  EXPECT_TRUE(grid.GetBody()->RepaintList().IsEmpty());
}

} // namespace
