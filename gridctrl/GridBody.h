#pragma once

#include <appframe/Controls.h>
#include <gridctrl/GridChildWnd.h>
#include <gridctrl/GridEditor.h>
#include <gridctrl/GridRepaintList.h>

#include <set>
#include <utility>

class CGridCellType;

// The window that shows the cells and takes the keyboard and mouse for them.
//
// It paints only what changed: every change adds cell ranges to the repaint list, and a pass walks the
// visible rows and columns inside the list's bounds, painting the listed cells (a joined block once, as
// its anchor's cell over the whole block). Scrolling moves the pixels already drawn and lists only the
// band that came into view.
class CGridBody : public CGridChildWnd {
public:
  explicit CGridBody(CGridCtrl* grid) : CGridChildWnd(grid), m_editor(grid) {}

  int EditCell(UINT initialChar);
  void DestroyEditor();
  CGridEditor* GetEditor() { return &m_editor; }
  void RedrawCell(int col, int row);
  // After the grid's commit: scrolls and repaints what the change needs.
  void Update();
  int SetDoubleBuffer(BOOL on);
  CGridRepaintList& RepaintList() { return m_repaint; }
  // Paints the repaint list into `dc` and empties it.
  void PaintPass(CDC* dc);
  // Paints what lies in `area` of the client, as a paint message does.
  void PaintArea(CDC* dc, const CRect& area);
  bool HasFocus() const { return m_hasFocus; }
  // A press on the body begins with its mouse activation, which gives the body the focus, and ends
  // when its button-down is handled. TakingFocusForPress is true while that activation moves the focus
  // here; PressNumber tells the presses apart.
  bool TakingFocusForPress() const { return m_takingFocus; }
  int PressNumber() const { return m_press; }

protected:
  void OnPaint();
  void OnPrintClient(HDC dc, UINT flags);
  BOOL OnEraseBkgnd(HDC) { return TRUE; }
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  int OnMouseActivate(HWND top, UINT hitTest, UINT message);
  void OnSetFocus(HWND old);
  void OnKillFocus(HWND next);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnMenuCommand(UINT id);
  void OnEditorUpdate();
  UINT OnGetDlgCode(MSG* msg);
  void OnSize(UINT type, int cx, int cy);
  void OnCaptureChanged(HWND next);
  DECLARE_MESSAGE_MAP()

private:
  void PaintOneCell(CDC* dc, int col, int row, const CRect& rect);
  void PaintToWindow();
  void EndDrag();
  // Ends a press that a cell type took (answer -2) where the button-up never reaches the body: the type
  // is told that the button came up, so that nothing stays drawn pressed.
  void EndTypePress();
  // Scrolls the grid one step towards a pointer outside the cells, for as long as the drag lasts.
  void AutoScroll(CPoint point);
  int RowsHeight(int from, int to, int limit) const;
  int ColsWidth(int from, int to, int limit) const;
  int RowAt(int y) const;
  int ColAt(int x) const;

  CGridRepaintList m_repaint;
  std::set<std::pair<int, int>> m_paintedAnchors;
  CGridCell m_cell;
  CGridEditor m_editor;
  bool m_dragging = false;
  CGridCellType* m_mouseType = nullptr;
  bool m_hasFocus = false;
  bool m_takingFocus = false;
  int m_press = 0;
  bool m_doubleBuffer = false;
  CBitmap m_offscreen;
  bool m_force = false;
};
