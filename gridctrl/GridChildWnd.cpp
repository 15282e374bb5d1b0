#include <gridctrl/GridChildWnd.h>

#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCtrl.h>

BEGIN_MESSAGE_MAP(CGridChildWnd, CWnd)
ON_WM(WM_PAINT, OnPaint)
ON_WM(WM_PRINTCLIENT, OnPrintClient)
ON_WM(WM_ERASEBKGND, OnEraseBkgnd)
END_MESSAGE_MAP()

CGridChildWnd::CGridChildWnd(CGridCtrl* grid) : m_pGrid(grid), m_pDims(&grid->Dims()) {}

void CGridChildWnd::OnPaint() {
  CPaintDC dc(this);
  Paint(&dc);
}

void CGridChildWnd::OnPrintClient(HDC hdc, UINT) {
  CDC dc;
  dc.Attach(hdc);
  Paint(&dc);
}

void CGridChildWnd::DrawCell(CDC* dc, const CRect& rect, CGridCell& cell, BOOL selected, BOOL current) {
  CGridCtrl::ApplyBuiltInDefaults(cell);
  CGridFramePens pens{m_pGrid->GetLightPen(), m_pGrid->GetShadowPen()};
  CRect inner = DrawGridFrame(dc, rect, cell, pens, m_pDims->frameInset);
  HFONT font = cell.m_hFont ? cell.m_hFont : m_pGrid->GetGridFont();
  HGDIOBJ oldFont = font ? dc->SelectObject(font) : nullptr;
  m_pGrid->GetCellType(cell.m_nCellType)->Draw(dc, inner, cell, selected, current);
  if (oldFont)
    dc->SelectObject(oldFont);
}

CPoint CGridChildWnd::ToScreen(CPoint point) const {
  ClientToScreen(&point);
  return point;
}
