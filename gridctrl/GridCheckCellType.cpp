#include <gridctrl/GridCheckCellType.h>

#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCtrl.h>

#include <algorithm>

namespace {

const int kMaxBox = 12;
const int kBoxLeft = 3;
const int kLabelGap = 6;
const int kThickAbove = 9;

void Line(CDC* dc, int x1, int y1, int x2, int y2) {
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

} // namespace

CGridCheckCellType::CGridCheckCellType()
    : CGridCellType(1, false), m_shadowPen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)),
      m_lightPen(PS_SOLID, 1, RGB(225, 225, 225)) {}

int CGridCheckCellType::BoxSize(int cellHeight) { return std::min(cellHeight - 6, kMaxBox); }

CRect CGridCheckCellType::BoxRect(const CRect& inner, int cellHeight) {
  const int size = BoxSize(cellHeight);
  const int top = inner.top + (inner.Height() - size) / 2;
  return CRect(inner.left + kBoxLeft, top, inner.left + kBoxLeft + size, top + size);
}

void CGridCheckCellType::Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected,
                              BOOL current) {
  m_bDisplayText = TRUE; // the label is the display text, whatever the flags say
  const int cellHeight = CellHeight(rect, cell);
  const int size = BoxSize(cellHeight);
  const int labelLeft = std::min<int>(rect.right, rect.left + size + kLabelGap);
  const bool selectedLook = selected || (current && m_pDims && (m_pDims->curCellStyle & 2));
  dc->FillSolidRect(CRect(rect.left, rect.top, labelLeft, rect.bottom),
                    selectedLook ? cell.m_crSelBk : cell.m_crBk);
  CGridCellType::Draw(dc, CRect(labelLeft, rect.top, rect.right, rect.bottom), cell, selected, current);
  if (size <= 5)
    return;
  const CRect box = BoxRect(rect, cellHeight);
  const int flags = cell.m_nTypeFlags < 0 ? 0 : cell.m_nTypeFlags;
  dc->FillSolidRect(box, RGB(255, 255, 255));
  const int l = box.left, t = box.top, r = box.right - 1, b = box.bottom - 1;
  HGDIOBJ old = dc->SelectObject(GetStockObject(BLACK_PEN));
  if (flags & kSunken) {
    dc->SelectObject(m_shadowPen);
    Line(dc, l, b, l, t);
    Line(dc, l, t, r + 1, t);
    dc->SelectObject(m_lightPen);
    Line(dc, l, b, r + 1, b);
    Line(dc, r, t, r, b);
    dc->SelectObject(GetStockObject(BLACK_PEN));
    Line(dc, l + 1, b - 1, l + 1, t + 1);
    Line(dc, l + 1, t + 1, r, t + 1);
  } else if (flags & kRaised) {
    dc->SelectObject(m_lightPen);
    Line(dc, l, b, l, t);
    Line(dc, l, t, r + 1, t);
    dc->SelectObject(m_shadowPen);
    Line(dc, l, b, r + 1, b);
    Line(dc, r, t, r, b);
  } else {
    Line(dc, l, t, r, t);
    Line(dc, r, t, r, b);
    Line(dc, r, b, l, b);
    Line(dc, l, b, l, t);
  }
  dc->SelectObject(old);
  if (cell.m_dNumber > 0)
    DrawMark(dc, box, (flags & kTick) != 0);
}

void CGridCheckCellType::DrawMark(CDC* dc, const CRect& box, bool tick) {
  const int width = box.Width() > kThickAbove ? 2 : 1;
  CPen pen(PS_SOLID, width, RGB(0, 0, 0));
  HGDIOBJ old = dc->SelectObject(pen);
  const int l = box.left + 2 + width / 2, t = box.top + 2 + width / 2;
  const int r = box.right - 3 - width / 2, b = box.bottom - 3 - width / 2;
  if (tick) {
    const int midX = l + (r - l) / 3, midY = b;
    Line(dc, l, t + (b - t) / 2, midX, midY);
    Line(dc, midX, midY, r, t);
  } else {
    Line(dc, l, t, r + 1, b + 1);
    Line(dc, l, b, r + 1, t - 1);
  }
  dc->SelectObject(old);
}

int CGridCheckCellType::CellHeight(const CRect& inner, const CGridCell& cell) const {
  const CRect insets = GridFrameInsets(cell.m_nFrameStyle, m_pDims ? m_pDims->frameInset : 1);
  return inner.Height() + insets.top + insets.bottom;
}

bool CGridCheckCellType::InBox(int col, int row, const CRect& rect, CPoint point) {
  m_pGrid->GetMergedCell(col, row, &m_scratch);
  CGridCtrl::ApplyBuiltInDefaults(m_scratch);
  const CRect insets = GridFrameInsets(m_scratch.m_nFrameStyle, m_pDims->frameInset);
  const CRect inner(rect.left + insets.left, rect.top + insets.top, rect.right - insets.right,
                    rect.bottom - insets.bottom);
  return BoxSize(rect.Height()) > 5 && BoxRect(inner, rect.Height()).PtInRect(point);
}

void CGridCheckCellType::Toggle(int col, int row) {
  m_pGrid->GetMergedCell(col, row, &m_scratch);
  const double next = m_scratch.m_dNumber > 0 ? 0 : 1;
  m_pGrid->GetCell(col, row, &m_scratch);
  m_scratch.SetDouble(next);
  m_pGrid->SetCell(col, row, &m_scratch);
  m_pGrid->RedrawCell(col, row);
}

int CGridCheckCellType::OnLButton(int col, int row, BOOL down, const CRect& rect, CPoint point) {
  if (!down || !InBox(col, row, rect, point))
    return -1;
  Toggle(col, row);
  return -2;
}

int CGridCheckCellType::OnDblClk(int col, int row, const CRect& rect, CPoint point) {
  return OnLButton(col, row, TRUE, rect, point);
}

int CGridCheckCellType::OnKeyDown(UINT* key) {
  if (*key != VK_SPACE || m_pDims->rowCount == 0 || m_pDims->colCount == 0)
    return -1;
  Toggle(m_pDims->curCol, m_pDims->curRow);
  return -2;
}
