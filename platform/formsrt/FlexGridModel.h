#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace formsrt {

// The flex grid's cells, layout and selection, usable without a window; the FlexGrid window paints it.
//
// Selection rule: setting Row moves RowSel to the same row, and setting Col moves ColSel to the same
// column, so the selection collapses onto the current cell in that direction; setting RowSel or ColSel
// afterwards stretches the selection from the current cell. The selection is the rectangle between
// (Row, Col) and (RowSel, ColSel), in either order. A click sets Row and Col; a drag or Shift with an
// arrow key moves only RowSel and ColSel.
//
// Colours: a cell colour of 0 means the grid's own colour (BackColor, ForeColor), so black is given as a
// value that is not 0. Alignment numbers: 0 to 8 are left/centre/right times top/centre/bottom
// (0 left top, 2 left bottom, 4 centred), 9 general; a cell's alignment of -1 takes its column's.
class FlexGridModel {
public:
  FlexGridModel(int rows = 2, int cols = 2, int fixedRows = 1, int fixedCols = 1);

  int Rows() const { return rows_; }
  void setRows(int rows);
  // As setRows(keep) followed by setRows(rows): the rows from `keep` on are as new rows (no text, the
  // grid's colours, their column's alignment, the default height), and the memory of their texts is
  // kept for the texts that follow.
  void resetRows(int keep, int rows);
  int Cols() const { return cols_; }
  void setCols(int cols);
  int FixedRows() const { return fixedRows_; }
  void setFixedRows(int rows);
  int FixedCols() const { return fixedCols_; }
  void setFixedCols(int cols);

  int Row() const { return row_; }
  void setRow(int row);
  int Col() const { return col_; }
  void setCol(int col);
  int RowSel() const { return rowSel_; }
  void setRowSel(int row);
  int ColSel() const { return colSel_; }
  void setColSel(int col);
  bool isSelected(int row, int col) const;

  // The first scrolling row shown; kept between the first non-fixed row and the last row that can still
  // fill the visible height (which only a window knows; see setVisibleRows).
  int TopRow() const { return topRow_; }
  void setTopRow(int row);
  void setVisibleRows(int rows);
  // The first scrolling column shown, kept between the first non-fixed column and the last column.
  int LeftCol() const { return leftCol_; }
  void setLeftCol(int col);
  int visibleRows() const { return visibleRows_; }

  std::string TextMatrix(int row, int col) const { return std::string(textView(row, col)); }
  // The text as it stands in the grid, until the next change of a text.
  std::string_view textView(int row, int col) const;
  void setTextMatrix(int row, int col, std::string_view text);
  // A row's cells at once, as setTextMatrix would set their texts (from the first column on) and
  // setCellColours every cell's colours.
  void setRowCells(int row, std::initializer_list<std::string_view> texts, COLORREF back, COLORREF fore);
  // The current cell's text.
  std::string Text() const { return TextMatrix(row_, col_); }
  void setText(const std::string& text) { setTextMatrix(row_, col_, text); }
  // A cell by its linear index, row * Cols + col.
  std::string TextArray(int index) const;
  void setTextArray(int index, const std::string& text);

  // The current cell's colours and alignment.
  COLORREF CellBackColor() const { return cell(row_, col_).back; }
  void setCellBackColor(COLORREF colour);
  COLORREF CellForeColor() const { return cell(row_, col_).fore; }
  void setCellForeColor(COLORREF colour);
  int CellAlignment() const { return cell(row_, col_).alignment; }
  void setCellAlignment(int alignment);
  // A cell's colours at once, as the current cell's CellBackColor and CellForeColor would set them.
  void setCellColours(int row, int col, COLORREF back, COLORREF fore);
  COLORREF cellBack(int row, int col) const { return cell(row, col).back; }
  COLORREF cellFore(int row, int col) const { return cell(row, col).fore; }
  // The alignment a cell is drawn with: its own, else its column's (fixed or not).
  int alignmentOf(int row, int col) const;

  int ColAlignment(int col) const;
  void setColAlignment(int col, int alignment);
  int FixedAlignment(int col) const;
  void setFixedAlignment(int col, int alignment);
  // In twips.
  int ColWidth(int col) const;
  void setColWidth(int col, int twips);
  int RowHeight(int row) const;
  void setRowHeight(int row, int twips);

  // Inserts a row before `index` (-1: after the last row); tabs separate the cells' texts.
  void AddItem(const std::string& item, int index = -1);

  // 0 none, 1 flat, 2 inset.
  int GridLines = 1;
  // When the selection shows in its colours: 0 never, 1 always, 2 only while the grid has the focus.
  int HighLight = 1;
  std::string FontName = "MS Sans Serif";
  double FontSize = 8; // points
  bool FontBold = false;
  bool FontItalic = false;
  COLORREF BackColor = GetSysColor(COLOR_WINDOW);
  COLORREF ForeColor = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF BackColorFixed = GetSysColor(COLOR_BTNFACE);
  COLORREF ForeColorFixed = GetSysColor(COLOR_BTNTEXT);
  COLORREF BackColorSel = GetSysColor(COLOR_HIGHLIGHT);
  COLORREF ForeColorSel = GetSysColor(COLOR_HIGHLIGHTTEXT);

  // Called after every change, so that a window can repaint.
  std::function<void()> changed;
  // While false, changes are gathered and not passed on; setting it true again passes them on at once,
  // so that filling a whole grid costs one repaint.
  bool Redraw() const { return redraw_; }
  void setRedraw(bool redraw);

private:
  // A cell's text is `textSize` characters from `textAt` in texts_.
  struct Cell {
    std::uint32_t textAt = 0;
    std::uint32_t textSize = 0;
    COLORREF back = 0;
    COLORREF fore = 0;
    int alignment = -1;
  };
  struct Column {
    int alignment = 9;
    int fixedAlignment = -1;
    int width = 960;
  };

  const Cell& cell(int row, int col) const;
  Cell& cell(int row, int col);
  void checkRow(int row) const;
  void checkCol(int col) const;
  void clampPositions();
  // Held back while Redraw is false.
  void notify() {
    if (redraw_)
      notifyNow();
    else
      changedUnseen_ = true;
  }
  void notifyNow();
  bool redraw_ = true;
  bool changedUnseen_ = false;

  void setCellText(Cell& cell, std::string_view text);
  void forgetText(Cell& cell);
  void compactTexts();

  // Row after row, Cols cells each.
  std::vector<Cell> cells_;
  // Every cell's text, one after another, so that filling a grid does not allocate memory for each
  // cell. A changed text takes the place of the old one when it fits and is added at the end when not;
  // the store is rebuilt from the cells' texts when most of it is no longer used.
  std::string texts_;
  std::size_t textsUnused_ = 0;
  int rows_;
  std::vector<int> rowHeights_;
  std::vector<Column> columns_;
  int cols_;
  int fixedRows_;
  int fixedCols_;
  int row_;
  int col_;
  int rowSel_;
  int colSel_;
  int topRow_;
  int leftCol_;
  int visibleRows_ = 0;
};

} // namespace formsrt
