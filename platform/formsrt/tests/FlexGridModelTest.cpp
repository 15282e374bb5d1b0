#include <formsrt/FlexGridModel.h>
#include <formsrt/tests/ErrorOf.h>

#include <gtest/gtest.h>

#include <string>

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

// The cells' texts share one store: a text changed to a longer or shorter one, again and again (so that
// the store is rebuilt on the way), and rows added, dropped and cut back leave every other text as it was.
TEST(FlexGridModelTest, TextsSurviveEditsThatOutgrowOrShrinkTheirPlace) {
  FlexGridModel grid(3, 4, 1, 0);
  auto textOf = [](int row, int col, int round) {
    return std::string(static_cast<std::size_t>((row * 7 + col * 3 + round) % 40),
                       static_cast<char>('a' + col)) +
           std::to_string(row) + "/" + std::to_string(round);
  };
  grid.setRows(200);
  for (int round = 0; round < 30; ++round) {
    for (int row = 0; row < grid.Rows(); ++row) {
      for (int col = 0; col < 4; ++col)
        grid.setTextMatrix(row, col, textOf(row, col, round));
    }
    grid.setTextMatrix(5, 1, grid.TextMatrix(6, 2)); // one cell's text into another
    ASSERT_EQ(grid.TextMatrix(5, 1), textOf(6, 2, round)) << "round " << round;
    for (int row = 0; row < grid.Rows(); ++row) {
      for (int col = 0; col < 4; ++col) {
        if (row == 5 && col == 1)
          continue;
        ASSERT_EQ(grid.TextMatrix(row, col), textOf(row, col, round))
            << row << "," << col << " round " << round;
      }
    }
  }
  grid.AddItem("new\t\tthird", 1);
  grid.setCols(3);
  grid.setRows(100);
  EXPECT_EQ(grid.TextMatrix(1, 0), "new");
  EXPECT_EQ(grid.TextMatrix(1, 2), "third");
  EXPECT_EQ(grid.TextMatrix(2, 2), textOf(1, 2, 29));
  EXPECT_EQ(grid.TextMatrix(99, 0), textOf(98, 0, 29));
  grid.setCols(4);
  EXPECT_EQ(grid.TextMatrix(99, 3), "") << "a column added again starts empty";
  grid.setTextMatrix(99, 3, std::string(70000, 'x'));
  EXPECT_EQ(grid.TextMatrix(99, 3).size(), 70000u);
  EXPECT_EQ(grid.TextMatrix(99, 0), textOf(98, 0, 29));
}

TEST(FlexGridModelTest, ResetRowsLeavesTheRowsAfterTheKeptOnesAsNew) {
  FlexGridModel grid(6, 3, 1, 0);
  for (int row = 0; row < 6; ++row) {
    grid.setTextMatrix(row, 1, "text " + std::to_string(row));
    grid.setCellColours(row, 1, RGB(1, 2, 3), RGB(4, 5, 6));
    grid.setRowHeight(row, 500);
  }
  grid.setRow(4);
  grid.setCol(2);
  grid.setCellAlignment(4);
  grid.resetRows(1, 8);
  ASSERT_EQ(grid.Rows(), 8);
  EXPECT_EQ(grid.TextMatrix(0, 1), "text 0");
  EXPECT_EQ(grid.cellBack(0, 1), RGB(1, 2, 3));
  EXPECT_EQ(grid.RowHeight(0), 500);
  EXPECT_EQ(grid.Row(), 0) << "the current row follows the grid cut back to the kept rows";
  for (int row = 1; row < 8; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(grid.TextMatrix(row, 1), "");
    EXPECT_EQ(grid.cellBack(row, 1), 0u);
    EXPECT_EQ(grid.cellFore(row, 1), 0u);
    EXPECT_EQ(grid.alignmentOf(row, 2), grid.ColAlignment(2));
    EXPECT_EQ(grid.RowHeight(row), grid.RowHeight(7));
  }
  EXPECT_NE(grid.RowHeight(7), 500);
  grid.setRowCells(3, {"a", "b"}, RGB(7, 8, 9), 1);
  EXPECT_EQ(grid.TextMatrix(3, 0), "a");
  EXPECT_EQ(grid.TextMatrix(3, 1), "b");
  EXPECT_EQ(grid.TextMatrix(3, 2), "");
  EXPECT_EQ(grid.cellBack(3, 2), RGB(7, 8, 9)) << "every cell of the row takes the colours";
  EXPECT_EQ(errorOf([&] { grid.setRowCells(3, {"1", "2", "3", "4"}, 0, 0); }), errSubscript);
  EXPECT_EQ(errorOf([&] { grid.resetRows(0, 8); }), errInvalidPropertyValue) << "fewer rows than fixed rows";
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
