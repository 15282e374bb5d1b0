#include <formsrt/FlexGrid.h>
#include <formsrt/Form.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

using namespace formsrt;
using testsupport::MemoryDib;

namespace {

struct GridForm : Form {
  FlexGrid grid{*this, "Grid0", 0, 0, 4000, 2000, 40, 3, 1, 0};
  GridForm() : Form("Form1", 4000, 2000) {}
};

struct FlexGridTest : ::testing::Test {
  GridForm form;
  FlexGrid& grid = form.grid;
  std::vector<std::string> events;
  FlexGridTest() {
    form.Show();
    grid.GridLines = 0;
    for (int col = 0; col < 3; ++col)
      grid.setColWidth(col, 1200);
    for (int row = 1; row < grid.Rows(); ++row)
      grid.setTextMatrix(row, 0, std::to_string(row));
    grid.KeyDown = [this](int key, int shift) {
      events.push_back(std::to_string(key) + "/" + std::to_string(shift));
    };
    grid.Click = [this] { events.push_back("Click"); };
    grid.DblClick = [this] { events.push_back("DblClick"); };
  }
  POINT centreOf(int row, int col) {
    RECT r = grid.cellRect(row, col);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  COLORREF paintedAt(int row, int col, MemoryDib& dib) {
    RECT r = grid.cellRect(row, col);
    return dib.pixel(r.right - 4, r.top + 3);
  }
};

TEST_F(FlexGridTest, PaintsTheFixedRowAndTheVisibleRowsFromTopRow) {
  for (int row = 1; row < grid.Rows(); ++row) {
    grid.setRow(row);
    grid.setCol(1);
    grid.setCellBackColor(RGB(row * 5, 0, 100));
  }
  grid.setRow(1);
  grid.setCol(2);
  grid.setTopRow(10);
  RECT client;
  GetClientRect(grid.hwnd(), &client);
  MemoryDib dib(client.right, client.bottom, RGB(1, 2, 3));
  testsupport::paintClient(grid.hwnd(), dib);
  int headerHeight = twipsToPixelsY(240);
  EXPECT_EQ(dib.pixel(5, 3), grid.BackColorFixed) << "the fixed row";
  EXPECT_EQ(dib.pixel(twipsToPixelsX(1200) + 5, headerHeight + 3), RGB(50, 0, 100))
      << "row 10 right below it";
  EXPECT_EQ(paintedAt(11, 1, dib), RGB(55, 0, 100));
  EXPECT_EQ(paintedAt(11, 0, dib), grid.BackColor) << "colour 0 is the grid's own";
  EXPECT_EQ(grid.cellRect(9, 1).bottom, 0) << "rows above TopRow are not shown";
  int shown = 0;
  for (int row = 10; row < grid.Rows(); ++row)
    shown += grid.cellRect(row, 0).bottom > 0;
  EXPECT_EQ(shown, (client.bottom - headerHeight + twipsToPixelsY(240) - 1) / twipsToPixelsY(240));
  EXPECT_EQ(dib.count(RGB(1, 2, 3)), 0) << "the whole client area is painted";
}

// With the focus, the current cell is marked by the focus rectangle; without it, it is drawn selected
// like the rest of the selection, so that a grid that never has the focus still shows it.
TEST_F(FlexGridTest, SelectedCellsAreHighlightedAndTheCurrentOneTooWithoutTheFocus) {
  grid.setRow(2);
  grid.setCol(0);
  grid.setColSel(2);
  const COLORREF plain = grid.BackColor, chosen = grid.BackColorSel;
  struct Case {
    const char* name;
    int highLight;
    bool focused;
    COLORREF current;
    COLORREF others;
  } cases[] = {
      {"focused", 1, true, plain, chosen},
      {"not focused", 1, false, chosen, chosen},
      {"never", 0, true, plain, plain},
      {"with the focus, focused", 2, true, plain, chosen},
      {"with the focus, not focused", 2, false, plain, plain},
  };
  for (const Case& c : cases) {
    grid.HighLight = c.highLight;
    SetFocus(c.focused ? grid.hwnd() : form.hwnd());
    MemoryDib dib(300, 200);
    testsupport::paintClient(grid.hwnd(), dib);
    EXPECT_EQ(paintedAt(2, 0, dib), c.current) << c.name;
    EXPECT_EQ(paintedAt(2, 1, dib), c.others) << c.name;
    EXPECT_EQ(paintedAt(2, 2, dib), c.others) << c.name;
    EXPECT_EQ(paintedAt(3, 1, dib), plain) << c.name;
  }
}

TEST_F(FlexGridTest, ClickMakesACellCurrentAndDragStretchesTheSelection) {
  POINT from = centreOf(3, 1);
  POINT to = centreOf(5, 2);
  testsupport::drag(grid.hwnd(), from, to);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.RowSel(), 5);
  EXPECT_EQ(grid.ColSel(), 2);
  testsupport::click(grid.hwnd(), centreOf(4, 0).x, centreOf(4, 0).y);
  EXPECT_EQ(grid.Row(), 4);
  EXPECT_EQ(grid.RowSel(), 4);
  testsupport::click(grid.hwnd(), centreOf(0, 0).x, centreOf(0, 0).y);
  EXPECT_EQ(grid.Row(), 4) << "the fixed row is not a current cell";
  testsupport::doubleClick(grid.hwnd(), centreOf(2, 0).x, centreOf(2, 0).y);
  EXPECT_EQ(events.back(), "DblClick");
}

TEST_F(FlexGridTest, KeysRaiseKeyDownThenMoveAndKeepTheCurrentRowInView) {
  grid.setRow(1);
  grid.setCol(0);
  testsupport::pressKey(grid.hwnd(), VK_INSERT);
  EXPECT_EQ(events.back(), "45/0");
  for (int i = 0; i < 20; ++i)
    testsupport::pressKey(grid.hwnd(), VK_DOWN);
  EXPECT_EQ(grid.Row(), 21);
  EXPECT_GT(grid.cellRect(21, 0).bottom, 0) << "scrolled into view";
  {
    testsupport::HeldKeys shift{VK_SHIFT};
    testsupport::pressKey(grid.hwnd(), VK_UP);
    testsupport::pressKey(grid.hwnd(), VK_RIGHT);
  }
  EXPECT_EQ(events.back(), "39/1");
  EXPECT_EQ(grid.Row(), 21);
  EXPECT_EQ(grid.RowSel(), 20);
  EXPECT_EQ(grid.ColSel(), 1);
  testsupport::pressKey(grid.hwnd(), VK_UP);
  EXPECT_EQ(grid.RowSel(), 20) << "a plain move collapses the selection";
}

TEST_F(FlexGridTest, ColumnsBeyondTheWidthScrollIntoView) {
  grid.setColWidth(1, 2000);
  grid.setRow(1);
  grid.setCol(0);
  testsupport::pressKey(grid.hwnd(), VK_RIGHT);
  testsupport::pressKey(grid.hwnd(), VK_RIGHT);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_EQ(grid.LeftCol(), 1);
  EXPECT_EQ(grid.cellRect(1, 0).right, 0) << "column 0 scrolled out";
  EXPECT_EQ(grid.cellRect(1, 1).left, 0);
  SendMessageA(grid.hwnd(), WM_HSCROLL, SB_LINELEFT, 0);
  EXPECT_EQ(grid.LeftCol(), 0);
}

// A fine wheel or a touchpad sends steps below one notch; together they scroll as a notch does.
TEST_F(FlexGridTest, WheelStepsBelowANotchAddUp) {
  grid.setTopRow(10);
  struct Case {
    const char* name;
    int delta;
    int topRow;
  } cases[] = {{"a third of a notch scrolls a line", -40, 11},
               {"and the next third another", -40, 12},
               {"a quarter leaves a part over", -30, 12},
               {"which the next quarter completes", -30, 13},
               {"a whole notch back scrolls three lines up", 120, 10}};
  for (const Case& c : cases) {
    SendMessageA(grid.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), 0);
    EXPECT_EQ(grid.TopRow(), c.topRow) << c.name;
  }
}

TEST_F(FlexGridTest, TopRowStopsWhereTheLastPageIsFull) {
  grid.setTopRow(1000);
  int last = grid.TopRow();
  EXPECT_LT(last, grid.Rows() - 1);
  EXPECT_GT(grid.cellRect(grid.Rows() - 1, 0).bottom, 0) << "the last row is shown";
  grid.setRows(5);
  EXPECT_EQ(grid.TopRow(), 1) << "a short grid shows from its first row";
  SendMessageA(grid.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid.TopRow(), 1);
}

} // namespace
