#include <gridctrl/GridHeaders.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridCtrl.h>

#include <algorithm>
#include <cstdlib>

namespace {

const UINT kFirstMenuCommand = 1000;
const int kBorderReach = 2;  // pixels either side of a border that grab it
const int kNarrowColumn = 3; // columns narrower than this hand their border to the next
const int kMinUniformHeight = 4;
const int kCornerEdge = 5;
const int kCornerPoint = 8;

void BlackLine(CDC* dc, int x1, int y1, int x2, int y2) {
  HGDIOBJ old = dc->SelectObject(GetStockObject(BLACK_PEN));
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
  dc->SelectObject(old);
}

} // namespace

BEGIN_MESSAGE_MAP(CGridHeader, CGridChildWnd)
ON_WM(WM_MOUSEMOVE, OnMouseMove)
ON_WM(WM_LBUTTONDOWN, OnLButtonDown)
ON_WM(WM_LBUTTONUP, OnLButtonUp)
ON_WM(WM_LBUTTONDBLCLK, OnLButtonDblClk)
ON_WM(WM_RBUTTONDOWN, OnRButtonDown)
ON_WM(WM_RBUTTONUP, OnRButtonUp)
ON_WM(WM_SETCURSOR, OnSetCursor)
ON_WM(WM_CAPTURECHANGED, OnCaptureChanged)
ON_COMMAND_RANGE(kFirstMenuCommand, 0xFFFF, OnMenuCommand)
END_MESSAGE_MAP()

// ---- Header strips ----

void CGridHeader::Paint(CDC* dc) {
  const int area = m_rows ? kAreaRowHeader : kAreaColHeader;
  m_pGrid->OnPaintArea(dc, area);
  if (!m_pDims->redraw)
    return;
  const CRect client = GetClientRect();
  const int extent = m_rows ? client.Height() : client.Width();
  const COLORREF background = m_pGrid->GetDefaultHeaderCell().m_crBk;
  int pos = 0;
  for (int i = First(); i < Count() && pos < extent; ++i) {
    const int size = SizeOf(i);
    if (size <= 0)
      continue;
    CRect rect = m_rows ? CRect(0, pos, client.right, pos + size) : CRect(pos, 0, pos + size, client.bottom);
    m_pGrid->GetMergedCell(m_rows ? -1 : i, m_rows ? i : -1, &m_cell);
    DrawCell(dc, rect, m_cell, FALSE, FALSE);
    pos += size;
  }
  if (pos < extent)
    dc->FillSolidRect(m_rows ? CRect(0, pos, client.right, client.bottom)
                             : CRect(pos, 0, client.right, client.bottom),
                      background);
  if (m_rows)
    BlackLine(dc, client.right - 1, 0, client.right - 1, client.bottom);
  else
    BlackLine(dc, 0, client.bottom - 1, client.right, client.bottom - 1);
}

void CGridHeader::Update() {
  if (First() == m_lastFirst)
    return;
  m_lastFirst = First();
  Invalidate(false);
  UpdateWindow();
}

void CGridHeader::StoreSize(int index, int size) {
  // A hook may have shrunk the grid while the border was dragged.
  if (index < 0 || index >= Count())
    return;
  if (!m_rows) {
    m_pDims->colWidths[static_cast<size_t>(index)] = size;
    return;
  }
  if (m_pDims->uniformRows)
    m_pDims->defRowHeight = size;
  else
    m_pDims->rowHeights[static_cast<size_t>(index)] = size;
}

int CGridHeader::IndexAt(int pos) const {
  int edge = 0;
  for (int i = First(); i < Count() && edge <= pos; ++i) {
    edge += SizeOf(i);
    if (pos < edge)
      return i;
  }
  return -1;
}

int CGridHeader::BorderAt(int pos) {
  if (m_pDims->sizing <= 0)
    return -1;
  // Only the borders up to the pointer are looked at: the cost follows the strip's visible part.
  int edge = 0;
  for (int i = First(); i < Count() && edge <= pos + kBorderReach; ++i) {
    edge += SizeOf(i);
    if (std::abs(pos - edge) > kBorderReach)
      continue;
    // Narrow columns just right of the edge hand it on, so that hidden ones can be pulled open.
    while (i + 1 < Count() && SizeOf(i + 1) < kNarrowColumn)
      ++i;
    return CanSize(i) ? i : -1;
  }
  return -1;
}

int CGridHeader::DraggedSize(int pos) const {
  if (m_rows && m_pDims->uniformRows) {
    // Every row has this height: the pointer's distance spread over the rows from the top row down to
    // the dragged one, that row included.
    const int rows = std::max(1, m_sizing - m_pDims->topRow + 1);
    return std::max(kMinUniformHeight, pos / rows);
  }
  return std::max(0, m_startSize + pos - m_startPos);
}

void CGridHeader::OnMouseMove(UINT flags, CPoint point) {
  const int pos = Along(point);
  if (m_dragging && !(flags & MK_LBUTTON))
    EndDrag(); // the button came up where this strip did not see it
  if (!m_dragging) {
    m_sizing = BorderAt(pos);
    return;
  }
  int size = DraggedSize(pos);
  OnSizing(m_sizing, &size);
  if (!m_hWnd || size == SizeOf(m_sizing))
    return;
  StoreSize(m_sizing, size);
  Invalidate(false);
  UpdateWindow();
  if (m_pDims->sizing == 2 && m_pGrid->GetBody()) {
    m_pGrid->GetBody()->Invalidate(false);
    m_pGrid->GetBody()->UpdateWindow();
  }
}

void CGridHeader::OnLButtonDown(UINT, CPoint point) {
  const int pos = Along(point);
  m_sizing = BorderAt(pos);
  if (m_sizing >= 0) {
    m_dragging = true;
    m_startSize = SizeOf(m_sizing);
    m_startPos = pos;
    SetCapture();
    if (m_pGrid->GetBody())
      m_pGrid->GetBody()->SetFocus();
    return;
  }
  OnClick(IndexAt(pos), TRUE);
}

void CGridHeader::OnLButtonUp(UINT, CPoint point) {
  HWND self = m_hWnd;
  if (m_dragging) {
    m_dragging = false;
    int size = SizeOf(m_sizing);
    m_pGrid->Layout();
    m_pGrid->RedrawAll();
    OnSized(m_sizing, &size);
    if (!IsWindow(self))
      return;
    if (m_sizing < Count() && size != SizeOf(m_sizing)) {
      StoreSize(m_sizing, size);
      m_pGrid->Layout();
      m_pGrid->RedrawAll();
    }
  } else {
    OnClick(IndexAt(Along(point)), FALSE);
  }
  if (IsWindow(self) && ::GetCapture() == self)
    ReleaseCapture();
}

void CGridHeader::OnLButtonDblClk(UINT, CPoint point) {
  if (BorderAt(Along(point)) < 0)
    OnDblClk(IndexAt(Along(point)));
}

void CGridHeader::OnRButtonDown(UINT, CPoint point) {
  if (BorderAt(Along(point)) >= 0)
    return;
  HWND self = m_hWnd;
  const int index = IndexAt(Along(point));
  OnRClick(index, TRUE);
  if (IsWindow(self))
    m_pGrid->ShowPopupMenu(m_rows ? -1 : index, m_rows ? index : -1, m_rows ? kAreaRowHeader : kAreaColHeader,
                           ToScreen(point));
}

void CGridHeader::OnRButtonUp(UINT, CPoint point) {
  if (BorderAt(Along(point)) < 0)
    OnRClick(IndexAt(Along(point)), FALSE);
}

void CGridHeader::EndDrag() {
  m_dragging = false;
  m_pGrid->Layout();
  m_pGrid->RedrawAll();
}

void CGridHeader::OnCaptureChanged(HWND) {
  if (m_dragging)
    EndDrag();
}

BOOL CGridHeader::OnSetCursor(HWND, UINT, UINT) {
  bool sizing = m_dragging || m_sizing >= 0;
  SetCursor(LoadCursorA(nullptr, !sizing ? IDC_ARROW : (m_rows ? IDC_SIZENS : IDC_SIZEWE)));
  return TRUE;
}

void CGridHeader::OnMenuCommand(UINT id) {
  m_pGrid->OnMenuCommand(m_rows ? -1 : m_pGrid->MenuCol(), m_rows ? m_pGrid->MenuRow() : -1,
                         m_rows ? kAreaRowHeader : kAreaColHeader, id);
}

BOOL CGridColHeader::CanSize(int index) { return m_pGrid->CanSizeCol(index); }
void CGridColHeader::OnSizing(int index, int* size) { m_pGrid->OnColSizing(index, size); }
void CGridColHeader::OnSized(int index, int* size) { m_pGrid->OnColSized(index, size); }
void CGridColHeader::OnClick(int index, BOOL down) { m_pGrid->OnColHeaderClick(index, down); }
void CGridColHeader::OnRClick(int index, BOOL down) { m_pGrid->OnColHeaderRClick(index, down); }
void CGridColHeader::OnDblClk(int index) { m_pGrid->OnColHeaderDblClk(index); }

BOOL CGridRowHeader::CanSize(int index) { return m_pGrid->CanSizeRow(index); }
void CGridRowHeader::OnSizing(int index, int* size) { m_pGrid->OnRowSizing(index, size); }
void CGridRowHeader::OnSized(int index, int* size) { m_pGrid->OnRowSized(index, size); }
void CGridRowHeader::OnClick(int index, BOOL down) { m_pGrid->OnRowHeaderClick(index, down); }
void CGridRowHeader::OnRClick(int index, BOOL down) { m_pGrid->OnRowHeaderRClick(index, down); }
void CGridRowHeader::OnDblClk(int index) { m_pGrid->OnRowHeaderDblClk(index); }

// ---- Corner ----

BEGIN_MESSAGE_MAP(CGridCorner, CGridChildWnd)
ON_WM(WM_MOUSEMOVE, OnMouseMove)
ON_WM(WM_LBUTTONDOWN, OnLButtonDown)
ON_WM(WM_LBUTTONUP, OnLButtonUp)
ON_WM(WM_LBUTTONDBLCLK, OnLButtonDblClk)
ON_WM(WM_RBUTTONDOWN, OnRButtonDown)
ON_WM(WM_RBUTTONUP, OnRButtonUp)
ON_WM(WM_SETCURSOR, OnSetCursor)
ON_WM(WM_CAPTURECHANGED, OnCaptureChanged)
ON_COMMAND_RANGE(kFirstMenuCommand, 0xFFFF, OnMenuCommand)
END_MESSAGE_MAP()

void CGridCorner::Paint(CDC* dc) {
  m_pGrid->OnPaintArea(dc, kAreaCorner);
  if (!m_pDims->redraw)
    return;
  const CRect client = GetClientRect();
  m_pGrid->GetMergedCell(-1, -1, &m_cell);
  DrawCell(dc, client, m_cell, FALSE, FALSE);
  BlackLine(dc, 0, client.bottom - 1, client.right, client.bottom - 1);
  BlackLine(dc, client.right - 1, 0, client.right - 1, client.bottom);
}

void CGridCorner::SizingAt(CPoint point, bool* height, bool* width) {
  *height = *width = false;
  if (m_pDims->sizing <= 0)
    return;
  const CRect client = GetClientRect();
  const bool nearBottom = point.y >= client.bottom - kCornerEdge;
  const bool nearRight = point.x >= client.right - kCornerEdge;
  const bool nearPoint = point.x >= client.right - kCornerPoint && point.y >= client.bottom - kCornerPoint;
  if (nearPoint && m_pGrid->CanSizeColHeader() && m_pGrid->CanSizeRowHeader()) {
    *height = *width = true;
    return;
  }
  *height = nearBottom && m_pGrid->CanSizeColHeader();
  *width = !*height && nearRight && m_pGrid->CanSizeRowHeader();
}

void CGridCorner::OnMouseMove(UINT flags, CPoint point) {
  if (!(flags & MK_LBUTTON))
    m_dragging = false; // the button came up where the corner did not see it
  if (!m_dragging) {
    SizingAt(point, &m_followHeight, &m_followWidth);
    return;
  }
  m_pGrid->SetRedraw(0);
  if (m_followHeight && point.y != m_pDims->colHeaderHeight)
    m_pGrid->SetColHeaderHeight(std::max(0, static_cast<int>(point.y)));
  if (m_followWidth && point.x != m_pDims->rowHeaderWidth)
    m_pGrid->SetRowHeaderWidth(std::max(0, static_cast<int>(point.x)));
  m_pGrid->SetRedraw(1);
  m_pGrid->Invalidate();
}

void CGridCorner::OnLButtonDown(UINT, CPoint point) {
  SizingAt(point, &m_followHeight, &m_followWidth);
  if (m_followHeight || m_followWidth) {
    m_dragging = true;
    SetCapture();
    if (m_pGrid->GetBody())
      m_pGrid->GetBody()->SetFocus();
    return;
  }
  m_pGrid->OnCornerClick(TRUE);
}

void CGridCorner::OnLButtonUp(UINT, CPoint) {
  HWND self = m_hWnd;
  if (m_dragging) {
    m_dragging = false;
    m_pGrid->UpdateChildren();
  } else {
    m_pGrid->OnCornerClick(FALSE);
  }
  if (IsWindow(self) && ::GetCapture() == self)
    ReleaseCapture();
}

void CGridCorner::OnLButtonDblClk(UINT, CPoint) { m_pGrid->OnCornerDblClk(); }

void CGridCorner::OnCaptureChanged(HWND) {
  if (!m_dragging)
    return;
  m_dragging = false;
  m_pGrid->UpdateChildren();
}

void CGridCorner::OnRButtonDown(UINT, CPoint point) {
  HWND self = m_hWnd;
  m_pGrid->OnCornerRClick(TRUE);
  if (IsWindow(self))
    m_pGrid->ShowPopupMenu(-1, -1, kAreaCorner, ToScreen(point));
}

void CGridCorner::OnRButtonUp(UINT, CPoint) { m_pGrid->OnCornerRClick(FALSE); }

BOOL CGridCorner::OnSetCursor(HWND, UINT, UINT) {
  const char* cursor = IDC_ARROW;
  if (m_followHeight && m_followWidth)
    cursor = IDC_SIZENWSE;
  else if (m_followWidth)
    cursor = IDC_SIZEWE;
  else if (m_followHeight)
    cursor = IDC_SIZENS;
  SetCursor(LoadCursorA(nullptr, cursor));
  return TRUE;
}

void CGridCorner::OnMenuCommand(UINT id) { m_pGrid->OnMenuCommand(-1, -1, kAreaCorner, id); }
