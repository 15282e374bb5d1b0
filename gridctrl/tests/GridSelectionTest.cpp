#include <gridctrl/GridSelection.h>

#include <gtest/gtest.h>

namespace {

TEST(GridSelectionTest, RangesExtendFromTheAnchorAndTheNewestDecides) {
  CGridDims dims;
  CGridSelection selection(&dims);
  selection.StartRange(1, 1); // off: nothing
  EXPECT_FALSE(selection.HasRange());
  EXPECT_EQ(selection.Extend(1, 1), 0);
  selection.SetMode(CGridSelection::kCells);
  EXPECT_EQ(selection.Extend(2, 2), 1); // no range started
  selection.StartRange(3, 4);
  EXPECT_EQ(selection.Extend(1, 2), 0);
  int col = -1, row = -1;
  EXPECT_EQ(selection.GetAnchor(&col, &row), 0);
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 4);
  EXPECT_TRUE(selection.IsSelected(2, 3));
  EXPECT_TRUE(selection.IsSelected(1, 2));
  EXPECT_FALSE(selection.IsSelected(4, 4));
  selection.Empty();
  EXPECT_FALSE(selection.IsSelected(2, 3));
  EXPECT_EQ(selection.GetAnchor(&col, &row), 1);
}

TEST(GridSelectionTest, RowModeSelectsWholeRows) {
  CGridDims dims;
  dims.rowSelect = true;
  dims.leftCol = 2;
  dims.colCount = 6;
  CGridSelection selection(&dims);
  selection.SetMode(CGridSelection::kRows);
  selection.StartRange(4, 7);
  EXPECT_TRUE(selection.IsSelected(0, 7));
  EXPECT_FALSE(selection.IsSelected(0, 8));
  CGridRepaintList list;
  selection.MarkForRepaint(list);
  ASSERT_EQ(list.Ranges().size(), 1u);
  const CGridRange& range = list.Ranges()[0];
  EXPECT_EQ(range.firstCol, 2);
  EXPECT_EQ(range.lastCol, 5);
  EXPECT_EQ(range.firstRow, 7);
  EXPECT_EQ(range.lastRow, 7);
}

TEST(GridSelectionTest, ToggleFlipsWhatTheUserSees) {
  CGridDims dims;
  CGridSelection selection(&dims);
  selection.SetMode(CGridSelection::kCells);
  selection.StartRange(2, 2);
  selection.ToggleCell(2, 2);
  EXPECT_FALSE(selection.IsSelected(2, 2));
  selection.ToggleCell(2, 2);
  EXPECT_TRUE(selection.IsSelected(2, 2));

  selection.ToggleCell(5, 5); // a cell outside every range starts selected
  EXPECT_TRUE(selection.IsSelected(5, 5));

  // A newer range over a toggled cell: toggling it again deselects it where the user sees it.
  selection.StartRange(0, 0);
  selection.Extend(3, 3);
  ASSERT_TRUE(selection.IsSelected(2, 2));
  selection.ToggleCell(2, 2);
  EXPECT_FALSE(selection.IsSelected(2, 2));
  EXPECT_TRUE(selection.IsSelected(1, 1));
  selection.ToggleCell(2, 2);
  EXPECT_TRUE(selection.IsSelected(2, 2));
}

TEST(GridRepaintListTest, KeepsNothingWhilePaintingIsOff) {
  CGridRepaintList list;
  list.Add(3, 4, 1, 2);
  list.Add(2, 3, 2, 3); // covered already
  EXPECT_EQ(list.Ranges().size(), 1u);
  EXPECT_TRUE(list.Contains(1, 4));
  list.SetEnabled(false);
  for (int i = 0; i < 1000; ++i)
    list.Add(i, i, i + 1, i + 1);
  EXPECT_EQ(list.Ranges().size(), 1u);
}

} // namespace
