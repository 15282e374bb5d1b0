#pragma once

#include <formlib/TControl.h>
#include <wincore/Scrolling.h>

#include <functional>
#include <string>
#include <vector>

namespace formlib {

using TDrawCellEvent = std::function<void(TObject* sender, int col, int row, const RECT& rect)>;

// A grid of text cells with fixed title rows, a vertical scroll bar and whole-row selection. It paints
// only the rows on screen. Columns wider together than the grid scroll across by whole columns, with a
// horizontal bar that shows only then. Moving the top row or the left column, by the user or in code,
// raises the top-left-changed event.
class TStringGrid : public TControl {
public:
  TStringGrid(TComponent* owner, TControl* parent);

  int ColCount() const { return static_cast<int>(colWidths_.size()); }
  int RowCount() const { return rowCount_; }
  void SetColWidths(const std::vector<int>& widths);
  int ColWidth(int col) const { return colWidths_[col]; }
  void SetRowCount(int rows);
  void SetFixedRows(int rows);
  int FixedRows() const { return fixedRows_; }
  int DefaultRowHeight() const { return rowHeight_; }
  void SetDefaultRowHeight(int height);

  const std::string& Cell(int col, int row) const;
  void SetCell(int col, int row, const std::string& text);

  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  // The selected row; selecting a row off screen scrolls it into view.
  int Row() const { return row_; }
  void SetRow(int row);
  // The first column on screen.
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int col);
  // Rows wholly visible below the fixed rows.
  int VisibleRowCount() const;
  // The row under a client point, or -1.
  int RowAt(int y) const;

  TNotifyEvent OnTopLeftChanged;
  // Raised after the grid has drawn a cell.
  TDrawCellEvent OnDrawCell;

protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Paint(TCanvas& canvas) override;
  bool EraseBackground(HDC dc) override;
  void Resized() override;

private:
  int rowTop(int row) const;
  void drawRow(TCanvas& canvas, int row, int y);
  void invalidateRow(int row);
  void updateScrollBar();
  void scroll(int code);
  void scrollAcross(int code);
  int visibleColCount() const;
  int maxLeftCol() const;
  void keyDown(int key);
  int maxTopRow() const;

  std::vector<int> colWidths_{64};
  int rowCount_ = 1;
  int fixedRows_ = 1;
  int rowHeight_ = 24;
  int topRow_ = 1;
  int leftCol_ = 0;
  int row_ = 1;
  std::vector<std::string> cells_;
  wincore::WheelLines wheel_;
};

} // namespace formlib
