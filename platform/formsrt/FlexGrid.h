#pragma once

#include <formsrt/Control.h>
#include <formsrt/FlexGridModel.h>
#include <wincore/Scrolling.h>

#include <vector>

namespace formsrt {

// The flex grid as a control: the model's cells painted in a window, only the fixed rows and the rows
// from TopRow down that fit. A click makes a cell current, a drag or Shift stretches the selection, the
// arrow and page keys move the current cell (with Shift, the selection's far corner) and keep it in view,
// the scroll bars and the wheel move TopRow and LeftCol.
class FlexGrid : public Control, public FlexGridModel {
public:
  FlexGrid(Container& parent, std::string name, int left, int top, int width, int height, int rows = 2,
           int cols = 2, int fixedRows = 1, int fixedCols = 1);

  // 0 none, 1 horizontal, 2 vertical, 3 both; read when the window is created.
  int ScrollBars = 3;

  // Runs when the user moves the current cell or the selection.
  std::function<void()> SelChange;

  // Brings the scroll bar up to date and repaints at once.
  void Refresh();
  // A cell's place in the client area, in pixels; empty when it is not shown.
  RECT cellRect(int row, int col) const;
  // The size in pixels of the smallest cell that shows `text` whole in the grid's font, with the room a
  // cell keeps around its text and its grid lines.
  SIZE cellPixelsFor(const std::string& text) const;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void paint(HDC dc);
  void paintCell(HDC dc, int row, int col, const RECT& r);
  void onModelChanged();
  void updateScrollBar();
  int fittingRows() const;
  void ensureVisible(int row);
  bool hitTest(int x, int y, int& row, int& col) const;
  void onKey(int key);
  void onScroll(int code);
  void onScrollAcross(int code);
  // The columns in the order they are shown: the fixed ones, then from LeftCol on.
  std::vector<int> shownColumns() const;
  int columnX(int col) const;
  void ensureColumnVisible(int col);

  bool dragging_ = false;
  bool updatingScroll_ = false;
  bool scrollBarStale_ = false;
  wincore::WheelLines wheel_;
};

} // namespace formsrt
