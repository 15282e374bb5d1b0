#include <gridctrl/GridSpinCellType.h>

#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCtrl.h>

#include <algorithm>

namespace {

const int kTriangleAbove = 9;

} // namespace

CGridSpinCellType::CGridSpinCellType()
    : CGridCellType(6, false), m_nButtonWidth(GetSystemMetrics(SM_CXVSCROLL)) {}

CRect CGridSpinCellType::Buttons(const CRect& inner) const {
  return CRect(std::max<int>(inner.left, inner.right - m_nButtonWidth), inner.top, inner.right, inner.bottom);
}

BOOL CGridSpinCellType::AdjustEditRect(CRect& rect) {
  rect.right -= m_nButtonWidth + 1;
  return TRUE;
}

void CGridSpinCellType::Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) {
  const CRect buttons = Buttons(rect);
  CGridCellType::Draw(dc, CRect(rect.left, rect.top, std::max<int>(rect.left, buttons.left - 1), rect.bottom),
                      cell, selected, current);
  HGDIOBJ old = dc->SelectObject(GetStockObject(BLACK_PEN));
  dc->MoveTo(buttons.left - 1, rect.top); // the separator
  dc->LineTo(buttons.left - 1, rect.bottom);
  dc->SelectObject(old);
  const int middle = buttons.top + buttons.Height() / 2;
  const CRect up(buttons.left, buttons.top, buttons.right, middle);
  const CRect down(buttons.left, middle, buttons.right, buttons.bottom);
  const bool here =
      current && m_pDims && m_nPressedCol == m_pDims->curCol && m_nPressedRow == m_pDims->curRow;
  const CGridFramePens pens{m_pGrid->GetLightPen(), m_pGrid->GetShadowPen()};
  DrawGridButton(dc, up, here && m_nPressed == kUp, pens);
  DrawGridButton(dc, down, here && m_nPressed == kDown, pens);
  if (rect.Height() <= kTriangleAbove)
    return;
  DrawGridTriangle(dc, up, true);
  DrawGridTriangle(dc, down, false);
}

CRect CGridSpinCellType::Inner(int col, int row, const CRect& rect) {
  m_pGrid->GetMergedCell(col, row, &m_scratch);
  CGridCtrl::ApplyBuiltInDefaults(m_scratch);
  const CRect insets = GridFrameInsets(m_scratch.m_nFrameStyle, m_pDims->frameInset);
  return CRect(rect.left + insets.left, rect.top + insets.top, rect.right - insets.right,
               rect.bottom - insets.bottom);
}

int CGridSpinCellType::OnLButton(int col, int row, BOOL down, const CRect& rect, CPoint point) {
  if (!down) {
    const bool wasPressed = m_nPressed != kNone;
    m_held = m_nPressed = kNone;
    if (wasPressed)
      m_pGrid->RedrawCell(col, row);
    return -1;
  }
  const CRect buttons = Buttons(Inner(col, row, rect));
  if (!buttons.PtInRect(point))
    return -1;
  const int middle = buttons.top + buttons.Height() / 2;
  const bool upper = point.y < middle;
  m_held = m_nPressed = upper ? kUp : kDown;
  m_heldRect = upper ? CRect(buttons.left, buttons.top, buttons.right, middle)
                     : CRect(buttons.left, middle, buttons.right, buttons.bottom);
  m_nPressedCol = col;
  m_nPressedRow = row;
  m_pGrid->RedrawCell(col, row);
  m_pGrid->OnCellNotify(kNotifyCode, col, row, upper ? kUpValue : kDownValue, nullptr);
  return -2;
}

int CGridSpinCellType::OnMouseMove(CPoint point, BOOL captured) {
  if (!captured || m_held == kNone)
    return -1;
  const int shown = m_heldRect.PtInRect(point) ? m_held : kNone;
  if (shown != m_nPressed) {
    m_nPressed = shown;
    m_pGrid->RedrawCell(m_nPressedCol, m_nPressedRow);
  }
  return -1;
}
