#include <gridctrl/tests/CellTypeFixture.h>

#include <gridctrl/GridCheckCellType.h>
#include <tests/support/RealInput.h>

#include <algorithm>
#include <utility>

using namespace testsupport;

namespace {

struct GridCheckCellTypeTest : CellTypeFixture {
  // The leftmost column of `area` holding black.
  int LeftmostInk(const CRect& area) {
    for (int x = area.left; x < area.right; ++x)
      if (Ink(CRect(x, area.top, x + 1, area.bottom)) > 0)
        return x;
    return area.right;
  }
};

TEST_F(GridCheckCellTypeTest, TheBoxFollowsTheCellHeightAndShowsTheMark) {
  struct {
    int rowHeight;
    int box; // the cell's height - 6, at most 12
  } const cases[] = {{20, 12}, {14, 8}, {12, 6}, {10, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rowHeight);
    grid.SetRowHeight(1, c.rowHeight);
    SetType(1, 1, 1, -1, "", "Label");
    SetType(2, 1, 0, 8, "", "Label"); // the same label as plain text
    grid.SetCurCell(3, 5);
    Paint();
    const CRect inner = Inner(1, 1);
    // The label stands the box and 6 pixels further right than plain text, even with no box drawn.
    const CRect plain = Inner(2, 1);
    const CRect pastTheBox(inner.left + 3 + c.box + 1, inner.top, inner.right, inner.bottom);
    EXPECT_EQ(LeftmostInk(pastTheBox) - inner.left, LeftmostInk(plain) - plain.left + c.box + 6);
    const CRect box = CGridCheckCellType::BoxRect(inner, c.rowHeight);
    EXPECT_EQ(box.Width(), c.box);
    const CRect strip(inner.left, inner.top, inner.left + c.box + 6, inner.bottom);
    CRect inside = box;
    inside.DeflateRect(1, 1);
    if (c.box > 5) {
      EXPECT_GE(Ink(box), 4 * (c.box - 1)); // the square
      EXPECT_EQ(Ink(inside), 0);            // unchecked: no mark
    } else {
      EXPECT_EQ(Ink(strip), 0); // too small for a box
    }
    // The label starts right of the strip whether or not the box is drawn.
    const CRect label(strip.right, inner.top, inner.right, inner.bottom);
    EXPECT_GT(Ink(label), 10);

    CGridCell checked;
    grid.GetCell(1, 1, &checked);
    checked.SetDouble(1);
    grid.SetCell(1, 1, &checked);
    Paint();
    if (c.box > 5)
      EXPECT_GT(Ink(inside), c.box / 2);
    else
      EXPECT_EQ(Ink(strip), 0);
  }
}

TEST_F(GridCheckCellTypeTest, TickAndCrossAndTheBoxKinds) {
  const int kinds[] = {0, CGridCheckCellType::kSunken, CGridCheckCellType::kRaised};
  for (int kind : kinds)
    for (int mark : {0, static_cast<int>(CGridCheckCellType::kTick)}) {
      SetType(1, 1, 1, kind | mark);
      CGridCell cell;
      grid.GetCell(1, 1, &cell);
      cell.SetDouble(1);
      grid.SetCell(1, 1, &cell);
      Paint();
      CRect inside = CGridCheckCellType::BoxRect(Inner(1, 1), 20);
      inside.DeflateRect(2, 2);
      EXPECT_GT(Ink(inside), 6) << "flags " << (kind | mark);
    }
}

TEST_F(GridCheckCellTypeTest, ClicksInTheBoxAndSpaceToggle) {
  SetType(1, 1, 1);
  grid.SetCurCell(1, 1);
  const CRect box = CGridCheckCellType::BoxRect(Inner(1, 1), 20);
  const CPoint centre((box.left + box.right) / 2, (box.top + box.bottom) / 2);
  click(body, centre.x, centre.y);
  EXPECT_EQ(Merged(1, 1).m_dNumber, 1);
  EXPECT_STREQ(Merged(1, 1).m_strText, "1.00"); // the text follows the number
  EXPECT_EQ(grid.Calls("OnLButtonCell").front(), "OnLButtonCell(1,1,1,-2)");
  click(body, box.right + 20, centre.y); // beside the box: nothing
  EXPECT_EQ(Merged(1, 1).m_dNumber, 1);
  doubleClick(body, centre.x, centre.y); // its first press and the double click: two presses
  EXPECT_EQ(Merged(1, 1).m_dNumber, 1);
  pressKey(body, VK_SPACE);
  EXPECT_EQ(Merged(1, 1).m_dNumber, 0);
  pressKey(body, VK_SPACE);
  EXPECT_EQ(Merged(1, 1).m_dNumber, 1);
}

TEST(GridCheckCellTypeDefaultTest, ToggledCellsLeaveTheColumnDefaultInForce) {
  GridHost<RecordingGrid> host;
  CGridCell checkedByDefault;
  checkedByDefault.SetCellType(1);
  checkedByDefault.SetDouble(1);
  host.grid.SetDefaultCell(&checkedByDefault);
  host.grid.SetColCount(2);
  host.grid.SetRowCount(3);
  host.grid.SetCurCell(0, 1);
  pressKey(host.body(), VK_SPACE); // (0, 1) is checked through its column
  CGridCell cell;
  host.grid.GetMergedCell(0, 1, &cell);
  EXPECT_EQ(cell.m_dNumber, 0);
  host.grid.GetCell(0, 1, &cell);
  EXPECT_EQ(cell.m_nCellType, -1); // only the number was written
  host.grid.GetMergedCell(0, 2, &cell);
  EXPECT_EQ(cell.m_dNumber, 1);
  EXPECT_EQ(cell.m_nCellType, 1);
}

} // namespace

namespace {

// A check box that is the current cell from the start, never moved to: a dialog's first row.
using GridCheckCellTypeByUser = GridCheckCellTypeTest;

TEST_F(GridCheckCellTypeByUser, ABoxCurrentFromTheStartTogglesByClickAndSpace) {
  SetType(0, 0, 1, -1, "", "Enabled");
  ASSERT_EQ(std::make_pair(grid.GetCurCol(), grid.GetCurRow()), std::make_pair(0, 0));
  const CRect box = CGridCheckCellType::BoxRect(Inner(0, 0), 20);
  realinput::click(body, {(box.left + box.right) / 2, (box.top + box.bottom) / 2});
  EXPECT_EQ(Merged(0, 0).m_dNumber, 1);
  realinput::pressKey(VK_SPACE);
  EXPECT_EQ(Merged(0, 0).m_dNumber, 0);
}

} // namespace
