#pragma once

#include <appframe/CWnd.h>
#include <gridctrl/GridCell.h>
#include <gridctrl/GridDims.h>

class CGridCtrl;

// What the grid's child windows share: the way back to the grid, and drawing one cell (frame, font,
// then the cell type's inside) into a device context.
class CGridChildWnd : public CWnd {
public:
  explicit CGridChildWnd(CGridCtrl* grid);

protected:
  // The strip's picture, for WM_PAINT and for a test's WM_PRINTCLIENT alike.
  virtual void Paint(CDC*) {}
  void OnPaint();
  void OnPrintClient(HDC dc, UINT flags);
  BOOL OnEraseBkgnd(HDC) { return TRUE; }
  DECLARE_MESSAGE_MAP()

protected:
  void DrawCell(CDC* dc, const CRect& rect, CGridCell& cell, BOOL selected, BOOL current);
  // Client point to screen, for the pop-up menu.
  CPoint ToScreen(CPoint point) const;

  CGridCtrl* m_pGrid;
  CGridDims* m_pDims;
};
