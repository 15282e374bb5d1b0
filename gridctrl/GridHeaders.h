#pragma once

#include <gridctrl/GridChildWnd.h>

// The column header strip, the row header strip and the corner where they meet.
//
// Both strips draw their merged header cells from the first column (row) in view, let the user drag a
// column's right border (a row's bottom border) to size it, and report clicks to the grid's hooks. The
// two differ only in direction, so one class does the work and the two strips name their hooks.
class CGridHeader : public CGridChildWnd {
public:
  // Repaints at once when the view scrolled along this strip.
  void Update();

protected:
  CGridHeader(CGridCtrl* grid, bool rows) : CGridChildWnd(grid), m_rows(rows) {}

  virtual BOOL CanSize(int index) = 0;
  virtual void OnSizing(int index, int* size) = 0;
  virtual void OnSized(int index, int* size) = 0;
  virtual void OnClick(int index, BOOL down) = 0;
  virtual void OnRClick(int index, BOOL down) = 0;
  virtual void OnDblClk(int index) = 0;

  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
  void OnCaptureChanged(HWND next);
  void OnMenuCommand(UINT id);
  DECLARE_MESSAGE_MAP()

private:
  void Paint(CDC* dc) override;
  // Ends a drag whose button-up this strip will not see, keeping the size reached.
  void EndDrag();
  int Count() const { return m_rows ? m_pDims->rowCount : m_pDims->colCount; }
  int First() const { return m_rows ? m_pDims->topRow : m_pDims->leftCol; }
  int SizeOf(int index) const { return m_rows ? m_pDims->RowHeight(index) : m_pDims->ColWidth(index); }
  void StoreSize(int index, int size);
  int Along(CPoint point) const { return m_rows ? point.y : point.x; }
  // The column (row) whose border lies under the pointer, or -1.
  int BorderAt(int pos);
  // The column (row) under the pointer, or -1 past the last.
  int IndexAt(int pos) const;
  int DraggedSize(int pos) const;

  bool m_rows;
  CGridCell m_cell;
  bool m_dragging = false;
  int m_sizing = -1; // the column (row) whose border the pointer is over or drags
  int m_startSize = 0;
  int m_startPos = 0;
  int m_lastFirst = -1;
};

class CGridColHeader : public CGridHeader {
public:
  explicit CGridColHeader(CGridCtrl* grid) : CGridHeader(grid, false) {}

protected:
  BOOL CanSize(int index) override;
  void OnSizing(int index, int* size) override;
  void OnSized(int index, int* size) override;
  void OnClick(int index, BOOL down) override;
  void OnRClick(int index, BOOL down) override;
  void OnDblClk(int index) override;
};

class CGridRowHeader : public CGridHeader {
public:
  explicit CGridRowHeader(CGridCtrl* grid) : CGridHeader(grid, true) {}

protected:
  BOOL CanSize(int index) override;
  void OnSizing(int index, int* size) override;
  void OnSized(int index, int* size) override;
  void OnClick(int index, BOOL down) override;
  void OnRClick(int index, BOOL down) override;
  void OnDblClk(int index) override;
};

// The corner: draws the corner cell and lets the user drag the header sizes.
class CGridCorner : public CGridChildWnd {
public:
  explicit CGridCorner(CGridCtrl* grid) : CGridChildWnd(grid) {}

protected:
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
  void OnCaptureChanged(HWND next);
  void OnMenuCommand(UINT id);
  DECLARE_MESSAGE_MAP()

private:
  void Paint(CDC* dc) override;
  // Which header sizes follow a drag that starts at the point.
  void SizingAt(CPoint point, bool* height, bool* width);

  CGridCell m_cell;
  bool m_dragging = false;
  bool m_followHeight = false;
  bool m_followWidth = false;
};
