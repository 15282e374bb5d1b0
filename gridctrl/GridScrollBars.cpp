#include <gridctrl/GridScrollBars.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridCtrl.h>
#include <gridctrl/GridTipWnd.h>

#include <algorithm>

namespace {

const int kScaledPositions = 1000;
const int kTipMinWidth = 80;

int TrackPosition(const CScrollBar& bar, UINT pos) {
  SCROLLINFO info{};
  if (bar.GetScrollInfo(&info, SIF_TRACKPOS | SIF_RANGE))
    return info.nTrackPos;
  return static_cast<int>(pos);
}

int Percent(const CScrollBar& bar, int pos) {
  int minimum = 0, maximum = 0;
  bar.GetScrollRange(&minimum, &maximum);
  return maximum > minimum ? (pos - minimum) * 100 / (maximum - minimum) : 0;
}

void GiveBodyFocus(CGridCtrl* grid) {
  CGridBody* body = grid->GetBody();
  if (body && body->m_hWnd && ::GetFocus() != body->m_hWnd)
    body->SetFocus();
}

CPoint PointerInGrid(CGridCtrl* grid) {
  POINT point{};
  GetCursorPos(&point);
  grid->ScreenToClient(&point);
  return point;
}

} // namespace

void SetPositionLazily(CScrollBar& bar, int pos) {
  if (bar.GetScrollPos() == pos)
    return;
  // Drawn with the next paint rather than at once: paging through a long grid should not wait for the
  // bar to be drawn at every step.
  bar.SetScrollPos(pos, false);
  bar.Invalidate(false);
}

CGridVScrollBar::CGridVScrollBar(CGridCtrl* grid) : m_pGrid(grid), m_pDims(&grid->Dims()) {}

int CGridVScrollBar::RowFor(int pos) const {
  if (m_pDims->vScrollMode == 2)
    return m_pDims->topRow;
  return m_scaled ? static_cast<int>(pos * m_rowsPerUnit) : pos;
}

void CGridVScrollBar::Update() {
  if (!m_hWnd)
    return;
  const CGridDims& d = *m_pDims;
  const int page = d.defRowHeight > 0 ? d.bodyHeight / d.defRowHeight : 1;
  SCROLLINFO info{};
  if (d.lastTopRow != m_lastTop || d.vScrollMode != m_lastMode || page != m_lastPage) {
    m_lastTop = d.lastTopRow;
    m_lastMode = d.vScrollMode;
    m_lastPage = page;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    m_scaled = false;
    if (d.vScrollMode == 2) {
      info.nMax = 2;
    } else if (d.lastTopRow > kScaledPositions) {
      // In floating point: 1000 / rows is below 1 for every grid scaled here.
      m_scaled = true;
      m_unitsPerRow = static_cast<double>(kScaledPositions) / d.lastTopRow;
      m_rowsPerUnit = d.lastTopRow / static_cast<double>(kScaledPositions);
      info.nMax = kScaledPositions;
      info.nPage = 1;
    } else {
      info.nMax = d.lastTopRow + std::max(page, 1) - 1;
      info.nPage = static_cast<UINT>(std::max(page, 1));
    }
    SetScrollInfo(&info, false);
    Invalidate(false);
  }
  int pos = d.topRow;
  if (d.vScrollMode == 2)
    pos = 1;
  else if (m_scaled)
    pos = static_cast<int>(d.topRow * m_unitsPerRow);
  SetPositionLazily(*this, pos);
}

void CGridVScrollBar::OnScroll(UINT code, UINT pos) {
  GiveBodyFocus(m_pGrid);
  switch (code) {
  case SB_LINEUP:
    m_pGrid->ScrollRows(kMoveBack);
    break;
  case SB_LINEDOWN:
    m_pGrid->ScrollRows(kMoveOn);
    break;
  case SB_PAGEUP:
    m_pGrid->ScrollRows(kMovePageBack);
    break;
  case SB_PAGEDOWN:
    m_pGrid->ScrollRows(kMovePageOn);
    break;
  case SB_TOP:
    m_pGrid->ScrollRows(kMoveFirst);
    break;
  case SB_BOTTOM:
    m_pGrid->ScrollRows(kMoveLast);
    break;
  case SB_THUMBPOSITION:
    m_pGrid->GetTipWnd()->Hide();
    m_pGrid->SetTopRow(RowFor(static_cast<int>(pos)));
    break;
  case SB_THUMBTRACK: {
    const int track = TrackPosition(*this, pos);
    const int row = RowFor(track);
    if (m_pDims->vScrollTip) {
      CGridTipWnd* tip = m_pGrid->GetTipWnd();
      CRect bar;
      ::GetWindowRect(m_hWnd, &bar);
      POINT barLeft{bar.left, bar.top};
      m_pGrid->ScreenToClient(&barLeft);
      tip->SetPlacement(kAlignRight | kAlignMiddle);
      m_pGrid->OnVScrolling(row, Percent(*this, track), tip);
      tip->ShowAt(barLeft.x, PointerInGrid(m_pGrid).y, kTipMinWidth);
    }
    if (m_pDims->vScrollMode == 1)
      m_pGrid->SetTopRow(row);
    break;
  }
  default:
    break;
  }
}

CGridHScrollBar::CGridHScrollBar(CGridCtrl* grid) : m_pGrid(grid), m_pDims(&grid->Dims()) {}

void CGridHScrollBar::Update() {
  if (!m_hWnd)
    return;
  const CGridDims& d = *m_pDims;
  const int page = d.defColWidth > 0 ? d.bodyWidth / d.defColWidth : 1;
  if (d.lastLeftCol != m_lastLeft || d.hScrollMode != m_lastMode || page != m_lastPage) {
    m_lastLeft = d.lastLeftCol;
    m_lastMode = d.hScrollMode;
    m_lastPage = page;
    SCROLLINFO info{};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    if (d.hScrollMode == 2) {
      info.nMax = 2;
    } else {
      info.nMax = d.lastLeftCol + std::max(page, 1) - 1;
      info.nPage = static_cast<UINT>(std::max(page, 1));
    }
    SetScrollInfo(&info, false);
    Invalidate(false);
  }
  SetPositionLazily(*this, d.hScrollMode == 2 ? 1 : d.leftCol);
}

void CGridHScrollBar::OnScroll(UINT code, UINT pos) {
  GiveBodyFocus(m_pGrid);
  switch (code) {
  case SB_LINELEFT:
    m_pGrid->ScrollCols(kMoveBack);
    break;
  case SB_LINERIGHT:
    m_pGrid->ScrollCols(kMoveOn);
    break;
  case SB_PAGELEFT:
    m_pGrid->ScrollCols(kMovePageBack);
    break;
  case SB_PAGERIGHT:
    m_pGrid->ScrollCols(kMovePageOn);
    break;
  case SB_LEFT:
    m_pGrid->ScrollCols(kMoveFirst);
    break;
  case SB_RIGHT:
    m_pGrid->ScrollCols(kMoveLast);
    break;
  case SB_THUMBPOSITION:
    m_pGrid->GetTipWnd()->Hide();
    if (m_pDims->hScrollMode != 2)
      m_pGrid->SetLeftCol(static_cast<int>(pos));
    break;
  case SB_THUMBTRACK: {
    const int track = TrackPosition(*this, pos);
    const int col = m_pDims->hScrollMode == 2 ? m_pDims->leftCol : track;
    if (m_pDims->hScrollTip) {
      CGridTipWnd* tip = m_pGrid->GetTipWnd();
      CRect bar;
      ::GetWindowRect(m_hWnd, &bar);
      POINT barTop{bar.left, bar.top};
      m_pGrid->ScreenToClient(&barTop);
      tip->SetPlacement(kAlignCentre | kAlignBottom);
      m_pGrid->OnHScrolling(col, Percent(*this, track), tip);
      tip->ShowAt(PointerInGrid(m_pGrid).x, barTop.y, kTipMinWidth);
    }
    if (m_pDims->hScrollMode == 1)
      m_pGrid->SetLeftCol(col);
    break;
  }
  default:
    break;
  }
}
