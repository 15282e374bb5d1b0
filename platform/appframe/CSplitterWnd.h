#pragma once

#include <appframe/CCreateContext.h>
#include <appframe/CWnd.h>

#include <functional>
#include <vector>

class CView;

// A static splitter of rows in one column: each row holds a view, and the bar between two rows is
// dragged to share the height. Rows keep an ideal and a minimum height; the last row takes what is left,
// and a row squeezed below its minimum is hidden.
class CSplitterWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

public:
  static constexpr int kBarHeight = 6;

  bool CreateStatic(CWnd* parent, int rows, int cols = 1, DWORD style = WS_CHILD | WS_VISIBLE,
                    UINT id = 0xE900);
  // Makes the view for a pane; `size.cy` is the row's ideal height.
  bool CreateView(int row, int col, const std::function<CView*()>& makeView, SIZE size,
                  CCreateContext* context);
  CWnd* GetPane(int row, int col) const;
  void SetRowInfo(int row, int ideal, int minimum);
  void GetRowInfo(int row, int& current, int& minimum) const;
  void RecalcLayout();
  int GetRowCount() const { return static_cast<int>(rows_.size()); }

protected:
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
  void OnPaint();

private:
  struct Row {
    int ideal = 0;
    int minimum = 0;
    int current = 0;
    CWnd* pane = nullptr;
  };
  // The row whose lower bar lies under y, or -1.
  int BarAt(int y) const;
  int RowTop(int row) const;
  std::vector<Row> rows_;
  int dragging_ = -1;
  int grabOffset_ = 0;
};
