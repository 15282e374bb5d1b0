#include "CellTypeFixture.h"

#include "GridBody.h"
#include "GridListCellType.h"

using namespace testsupport;
using Lines = std::vector<std::string>;

namespace {

const char kColours[] = "Red\nGreen\nBlue\n";

struct GridListCellTypeTest : CellTypeFixture {
  const int button = GetSystemMetrics(SM_CXVSCROLL);
  HWND List() { return GetDlgItem(body, 123); }
  CPoint Button(int col, int row) {
    const CRect inner = Inner(col, row);
    return CPoint(inner.right - button / 2, (inner.top + inner.bottom) / 2);
  }
  void PressButton(int col, int row) {
    const CPoint p = Button(col, row);
    click(body, p.x, p.y);
  }
};

TEST(GridListItemsTest, EachItemEndsWithALineFeed) {
  EXPECT_EQ(CGridListCellType::Items("Red\nGreen\nBlue\n"),
            (std::vector<std::string>{"Red", "Green", "Blue"}));
  EXPECT_EQ(CGridListCellType::Items("Red\nGreen"), (std::vector<std::string>{"Red"}));
  EXPECT_TRUE(CGridListCellType::Items("").empty());
}

TEST_F(GridListCellTypeTest, TheButtonIsDrawnAtTheRightEdge) {
  SetType(1, 1, 2, -1, "Red", kColours);
  SetType(1, 2, 2, CGridListCellType::kButtonOnCurrentOnly, "Red", kColours);
  grid.SetCurCell(3, 5);
  Paint();
  const CRect face1(Inner(1, 1).right - button + 1, Inner(1, 1).top + 1, Inner(1, 1).right - 1,
                    Inner(1, 1).bottom - 1);
  EXPECT_GT(dib.count(GetSysColor(COLOR_BTNFACE), face1), face1.Width() * face1.Height() / 2);
  EXPECT_EQ(Ink(face1), 9); // the triangle, rows 5, 3 and 1 wide
  const CRect inner2 = Inner(1, 2);
  EXPECT_EQ(dib.count(GetSysColor(COLOR_BTNFACE), inner2), 0); // only on the current cell
  grid.SetCurCell(1, 2);
  Paint();
  EXPECT_GT(dib.count(GetSysColor(COLOR_BTNFACE), inner2), 0);
}

TEST_F(GridListCellTypeTest, APressOpensTheListAndAChoiceFillsTheCell) {
  SetType(1, 1, 2, -1, "Red", kColours);
  grid.SetCurCell(1, 1);
  PressButton(1, 1);
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(GetFocus(), List());
  CRect place;
  GetWindowRect(List(), &place);
  MapWindowPoints(nullptr, body, reinterpret_cast<POINT*>(&place), 2);
  CRect cell;
  grid.GetCellRect(1, 1, &cell);
  // No font anywhere: a line counts 12 pixels; (3 items + 1) lines and 2 for the border.
  EXPECT_EQ(place, CRect(cell.left + 10, cell.bottom, cell.right + 10, cell.bottom + 4 * 12 + 2));

  SendMessageA(List(), LB_SETCURSEL, 1, 0);
  pressKey(List(), VK_RETURN);
  EXPECT_EQ(List(), nullptr);
  EXPECT_STREQ(Merged(1, 1).m_strText, "Green");
  EXPECT_EQ(grid.Calls("OnCellNotify"),
            (Lines{"OnCellNotify(2,1,1,100,Red\nGreen\nBlue\n)", "OnCellNotify(2,1,1,101,Green)"}));

  pressKey(body, VK_RETURN); // Enter opens it too, and moves nowhere
  EXPECT_NE(List(), nullptr);
  EXPECT_EQ(grid.GetCurRow(), 1);
  pressKey(List(), VK_ESCAPE);
  EXPECT_EQ(List(), nullptr);
  EXPECT_STREQ(Merged(1, 1).m_strText, "Green");
}

TEST_F(GridListCellTypeTest, TheListStaysInsideTheBody) {
  grid.SetRowCount(30);
  grid.SetColWidth(2, 130); // its list would reach past the body's right edge
  const int last = grid.Dims().bodyHeight / 20 - 1;
  SetType(2, last, 2, -1, "", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n");
  grid.SetCurCell(2, last);
  PressButton(2, last);
  ASSERT_NE(List(), nullptr);
  CRect place;
  GetWindowRect(List(), &place);
  MapWindowPoints(nullptr, body, reinterpret_cast<POINT*>(&place), 2);
  const CRect client = grid.GetBody()->GetClientRect();
  EXPECT_EQ(place.Height(), 16 * 12 + 2); // at most 16 lines
  EXPECT_LE(place.bottom, client.bottom);
  EXPECT_LE(place.right, client.right);
  EXPECT_GE(place.top, 0);
}

TEST_F(GridListCellTypeTest, ThePressThatClosesTheListDoesNotOpenItAgain) {
  SetType(1, 1, 2, -1, "Red", kColours);
  SetType(2, 1, 2, -1, "Red", kColours);
  grid.SetCurCell(1, 1);
  PressButton(1, 1);
  ASSERT_NE(List(), nullptr);
  SetFocus(body); // what the press on the body does first
  EXPECT_EQ(List(), nullptr);
  PressButton(1, 1);
  EXPECT_EQ(List(), nullptr);
  PressButton(1, 1); // the next press opens it again
  EXPECT_NE(List(), nullptr);

  SetFocus(body);
  ASSERT_EQ(List(), nullptr);
  PressButton(2, 1); // another cell's button opens its list at once
  EXPECT_NE(List(), nullptr);
}

} // namespace
