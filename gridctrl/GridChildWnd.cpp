#include "GridChildWnd.h"

#include "GridCellFrame.h"
#include "GridCtrl.h"

CGridChildWnd::CGridChildWnd(CGridCtrl* grid) : m_pGrid(grid), m_pDims(&grid->Dims()) {}

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
