#include "ErrorOf.h"
#include <formsrt/FlexGridModel.h>

#include <gtest/gtest.h>

using namespace formsrt;

namespace {

TEST(FlexGridModelTest, RowsGrowWithEmptyCellsAndShrinkKeepingTheRest) {
  FlexGridModel grid(2, 5, 1, 0);
  grid.setTextMatrix(1, 4, "keep");
  grid.setRows(17);
  EXPECT_EQ(grid.Rows(), 17);
  EXPECT_EQ(grid.TextMatrix(16, 4), "");
  grid.setRow(16);
  grid.setTopRow(16);
  grid.setRows(3);
  EXPECT_EQ(grid.TextMatrix(1, 4), "keep");
  EXPECT_EQ(grid.Row(), 2) << "the current row follows a shrinking grid";
  EXPECT_EQ(grid.TopRow(), 2);
  EXPECT_EQ(errorOf([&] { grid.setRows(0); }), errInvalidPropertyValue) << "fewer rows than fixed rows";
  EXPECT_EQ(errorOf([&] { grid.setRow(3); }), errInvalidRow);
  EXPECT_EQ(errorOf([&] { grid.setCol(5); }), errInvalidCol);
  EXPECT_EQ(errorOf([&] { grid.TextMatrix(3, 0); }), errSubscript);
}

TEST(FlexGridModelTest, AddItemInsertsBeforeAnIndexSplittingAtTabs) {
  FlexGridModel grid(3, 5, 1, 0);
  grid.setTextMatrix(1, 0, "a");
  grid.setTextMatrix(2, 0, "c");
  grid.setRow(2);
  grid.AddItem("b\tevent\t\tBirth", 2);
  grid.AddItem("z");
  ASSERT_EQ(grid.Rows(), 5);
  EXPECT_EQ(grid.TextMatrix(2, 0), "b");
  EXPECT_EQ(grid.TextMatrix(2, 1), "event");
  EXPECT_EQ(grid.TextMatrix(2, 3), "Birth");
  EXPECT_EQ(grid.TextMatrix(2, 4), "");
  EXPECT_EQ(grid.TextMatrix(3, 0), "c");
  EXPECT_EQ(grid.TextMatrix(4, 0), "z");
  EXPECT_EQ(grid.Row(), 2) << "the current row keeps its number, now the new row";
  EXPECT_EQ(grid.TextArray(2 * 5 + 1), "event");
  EXPECT_EQ(errorOf([&] { grid.AddItem("x", 7); }), errSubscript);
}

TEST(FlexGridModelTest, SettingRowOrColCollapsesTheSelectionThatSelFarEndsStretch) {
  FlexGridModel grid(10, 5, 1, 0);
  grid.setRow(3);
  grid.setCol(0);
  grid.setColSel(4);
  grid.setRowSel(5);
  EXPECT_TRUE(grid.isSelected(4, 2));
  EXPECT_TRUE(grid.isSelected(5, 4));
  EXPECT_FALSE(grid.isSelected(6, 0));
  grid.setCol(4);
  grid.setColSel(0);
  EXPECT_EQ(grid.RowSel(), 5) << "a column change leaves the far row";
  EXPECT_TRUE(grid.isSelected(3, 0));
  grid.setRow(7);
  EXPECT_EQ(grid.RowSel(), 7);
  EXPECT_EQ(grid.ColSel(), 0) << "a row change leaves the far column";
  grid.setRowSel(2);
  EXPECT_TRUE(grid.isSelected(2, 2)) << "a selection made upwards";
}

TEST(FlexGridModelTest, TopRowIsClampedToTheScrollingRows) {
  FlexGridModel grid(30, 5, 1, 0);
  struct Case {
    int visible;
    int wanted;
    int top;
  } cases[] = {{0, -4, 1}, {0, 0, 1}, {0, 12, 12}, {0, 99, 29}, {10, 25, 20}, {10, 20, 20}, {40, 5, 1}};
  for (const Case& c : cases) {
    grid.setVisibleRows(c.visible);
    grid.setTopRow(c.wanted);
    EXPECT_EQ(grid.TopRow(), c.top) << c.visible << " visible, wanted " << c.wanted;
  }
}

TEST(FlexGridModelTest, CellColoursAndAlignmentBelongToTheCurrentCell) {
  FlexGridModel grid(3, 5, 1, 0);
  grid.setColAlignment(1, 2);
  grid.setFixedAlignment(1, 4);
  grid.setRow(2);
  grid.setCol(1);
  grid.setCellBackColor(RGB(255, 0, 0));
  grid.setCellForeColor(1);
  EXPECT_EQ(grid.cellBack(2, 1), RGB(255, 0, 0));
  EXPECT_EQ(grid.cellFore(2, 1), 1u);
  EXPECT_EQ(grid.cellBack(1, 1), 0u) << "0: the grid's own colour";
  EXPECT_EQ(grid.alignmentOf(0, 1), 4) << "header cells take the fixed alignment";
  EXPECT_EQ(grid.alignmentOf(2, 1), 2);
  grid.setCellAlignment(4);
  EXPECT_EQ(grid.alignmentOf(2, 1), 4);
  EXPECT_EQ(errorOf([&] { grid.setCellAlignment(10); }), errInvalidPropertyValue);
}

} // namespace
