#pragma once

#include <cstddef>
#include <vector>

// The grid's dimensions and switches, shared with its child windows and helpers.
struct CGridDims {
  int colCount = 0;
  int curCol = 0;
  int prevCurCol = 0;
  int leftCol = 0;
  int prevLeftCol = 0;
  int lastLeftCol = 0; // the left column from which the last column is just fully shown
  std::vector<int> colWidths;
  int defColWidth = 100;

  int rowCount = 0;
  int curRow = 0;
  int prevCurRow = 0;
  int topRow = 0;
  int prevTopRow = 0;
  int lastTopRow = 0;
  int defRowHeight = 20;
  bool uniformRows = false;    // every row has the default height and no table is kept
  std::vector<int> rowHeights; // per-row heights when not uniform

  int colHeaderHeight = 20;
  int rowHeaderWidth = 50;
  int vScrollWidth = 0;
  int hScrollHeight = 0;
  int bodyWidth = 0;
  int bodyHeight = 0;
  bool vBarShown = false;
  bool hBarShown = false;

  int editCol = 0;
  int editRow = 0;

  int curCellStyle = 1; // bit 1: focus frame round the current cell; bit 2: current cell in selected colours
  bool rowSelect = false;
  bool multiSelect = false;
  bool redraw = true;
  int inputSource = 0; // 0 program, 1 keyboard, 2 mouse click, 3 mouse drag
  int sizing = 2;      // 0 none, 1 by the mouse, 2 with the body repainted live
  bool popupMenu = false;
  int vScrollMode = 0;
  int hScrollMode = 0;
  bool vScrollTip = false;
  bool hScrollTip = false;
  int frameInset = 1;

  int ColWidth(int col) const {
    return col >= 0 && col < colCount ? colWidths[static_cast<size_t>(col)] : defColWidth;
  }
  int RowHeight(int row) const {
    if (uniformRows || row < 0 || row >= static_cast<int>(rowHeights.size()))
      return defRowHeight;
    return rowHeights[static_cast<size_t>(row)];
  }
  // What a walk over rows or columns advances by: never 0, so that every walk ends.
  int StepHeight(int row) const { return RowHeight(row) > 0 ? RowHeight(row) : 1; }
  int StepWidth(int col) const { return ColWidth(col) > 0 ? ColWidth(col) : 1; }
};

// Input sources of the change under way.
enum GridInput { kInputProgram = 0, kInputKeyboard = 1, kInputClick = 2, kInputDrag = 3 };
