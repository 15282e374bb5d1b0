#include <gridctrl/GridBody.h>

#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCtrl.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

const UINT kEditorId = 237;
const UINT kFirstMenuCommand = 1000;

// The whole part of a cell's maximum as an edit control's text limit, kept inside what an int holds (a
// maximum that is no number limits nothing).
int TextLimitFor(double maximum) {
  if (!(maximum >= 0))
    return maximum < 0 ? 0 : INT_MAX;
  return maximum >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(maximum);
}

} // namespace

BEGIN_MESSAGE_MAP(CGridBody, CGridChildWnd)
ON_WM(WM_PAINT, OnPaint)
ON_WM(WM_PRINTCLIENT, OnPrintClient)
ON_WM(WM_ERASEBKGND, OnEraseBkgnd)
ON_WM(WM_KEYDOWN, OnKeyDown)
ON_WM(WM_CHAR, OnChar)
ON_WM(WM_MOUSEACTIVATE, OnMouseActivate)
ON_WM(WM_SETFOCUS, OnSetFocus)
ON_WM(WM_KILLFOCUS, OnKillFocus)
ON_WM(WM_LBUTTONDOWN, OnLButtonDown)
ON_WM(WM_LBUTTONUP, OnLButtonUp)
ON_WM(WM_LBUTTONDBLCLK, OnLButtonDblClk)
ON_WM(WM_MOUSEMOVE, OnMouseMove)
ON_WM(WM_RBUTTONDOWN, OnRButtonDown)
ON_WM(WM_RBUTTONUP, OnRButtonUp)
ON_WM(WM_GETDLGCODE, OnGetDlgCode)
ON_WM(WM_SIZE, OnSize)
ON_WM(WM_CAPTURECHANGED, OnCaptureChanged)
ON_CONTROL(EN_UPDATE, kEditorId, OnEditorUpdate)
ON_COMMAND_RANGE(kFirstMenuCommand, 0xFFFF, OnMenuCommand)
END_MESSAGE_MAP()

// ---- Geometry of the visible part ----

int CGridBody::RowsHeight(int from, int to, int limit) const {
  if (m_pDims->uniformRows)
    return std::min((to - from) * m_pDims->defRowHeight, limit + 1);
  int height = 0;
  for (int row = from; row < to && height <= limit; ++row)
    height += m_pDims->RowHeight(row);
  return height;
}

int CGridBody::ColsWidth(int from, int to, int limit) const {
  int width = 0;
  for (int col = from; col < to && width <= limit; ++col)
    width += m_pDims->ColWidth(col);
  return width;
}

int CGridBody::RowAt(int y) const {
  const CGridDims& d = *m_pDims;
  int row = d.topRow;
  for (int top = 0; row < d.rowCount - 1; ++row) {
    top += d.RowHeight(row);
    if (top > y)
      break;
  }
  return row;
}

int CGridBody::ColAt(int x) const {
  const CGridDims& d = *m_pDims;
  int col = d.leftCol;
  for (int left = 0; col < d.colCount - 1; ++col) {
    left += d.ColWidth(col);
    if (left > x)
      break;
  }
  return col;
}

// ---- Painting ----

void CGridBody::PaintOneCell(CDC* dc, int col, int row, const CRect& rect) {
  CRect area = rect;
  int ac, ar, lc, lr;
  if (m_pGrid->GetJoinedBlock(col, row, &ac, &ar, &lc, &lr)) {
    if (!m_paintedAnchors.insert({ac, ar}).second)
      return; // the block is already painted in this pass
    col = ac;
    row = ar;
    m_pGrid->GetCellRect(ac, ar, &area);
  }
  const CGridDims& d = *m_pDims;
  m_pGrid->GetMergedCell(col, row, &m_cell);
  const bool current = col == d.curCol && row == d.curRow;
  bool selected = d.rowSelect && row == d.curRow && !current;
  if (d.multiSelect && !current && m_pGrid->GetSelection().IsSelected(col, row))
    selected = true;
  DrawCell(dc, area, m_cell, selected, current);
  if (current && (d.curCellStyle & 1) && (m_hasFocus || m_pGrid->IsFindDialogOpen())) {
    CRect insets = GridFrameInsets(m_cell.m_nFrameStyle, d.frameInset);
    CRect focus(area.left + insets.left, area.top + insets.top, area.right - insets.right,
                area.bottom - insets.bottom);
    dc->DrawFocusRect(focus);
    focus.DeflateRect(1, 1);
    dc->DrawFocusRect(focus);
  }
}

void CGridBody::PaintPass(CDC* dc) {
  m_pGrid->OnPaintArea(dc, kAreaBody);
  const CGridDims& d = *m_pDims;
  if ((!d.redraw && !m_force) || m_repaint.IsEmpty() || d.rowCount == 0 || d.colCount == 0) {
    m_repaint.Clear();
    return;
  }
  const CGridRange bounds = m_repaint.Bounds();
  const int firstCol = std::max(bounds.firstCol, d.leftCol);
  const int firstRow = std::max(bounds.firstRow, d.topRow);
  int lastRow = std::min(bounds.lastRow, d.rowCount - 1);
  const CRect client = GetClientRect();
  const COLORREF background = m_pGrid->GetFillColor();
  const int saved = dc->SaveDC();
  if (m_pGrid->GetGridFont())
    dc->SelectObject(m_pGrid->GetGridFont());

  bool added = false; // rows that the store or a hook added while painting are painted whole
  int y = RowsHeight(d.topRow, firstRow, client.Height());
  const int x0 = ColsWidth(d.leftCol, firstCol, client.Width());
  int row = firstRow;
  for (; y < client.Height(); ++row) {
    if (row >= d.rowCount) {
      const int before = d.rowCount;
      if (m_pGrid->CheckRowTarget(row, false) != 0 || d.rowCount <= before)
        break;
      added = true;
      lastRow = d.rowCount - 1;
    }
    if (row > lastRow)
      break;
    const int height = d.RowHeight(row);
    if (height <= 0)
      continue;
    int x = x0;
    int col = firstCol;
    for (; col < d.colCount && x < client.Width(); ++col) {
      const int width = d.ColWidth(col);
      if (width <= 0)
        continue;
      if (added || m_repaint.Contains(col, row))
        PaintOneCell(dc, col, row, CRect(x, y, x + width, y + height));
      x += width;
    }
    if (col >= d.colCount && x < client.Width())
      dc->FillSolidRect(CRect(x, y, client.right, y + height), background);
    y += height;
  }
  if (row >= d.rowCount && y < client.Height())
    dc->FillSolidRect(CRect(0, y, client.right, client.bottom), background);
  dc->RestoreDC(saved);
  m_repaint.Clear();
  m_paintedAnchors.clear();
}

void CGridBody::PaintArea(CDC* dc, const CRect& area) {
  const CGridDims& d = *m_pDims;
  if (d.rowCount == 0 || d.colCount == 0) {
    m_pGrid->OnPaintArea(dc, kAreaBody);
    if (d.redraw || m_force)
      dc->FillSolidRect(GetClientRect(), m_pGrid->GetFillColor());
    return;
  }
  int col, row;
  // Painting while painting is off is dropped by the pass; the force flag lets one through.
  m_repaint.SetEnabled(true);
  if (m_pGrid->HitTest(area.left, area.top, &col, &row, nullptr) == 0)
    m_repaint.Add(col, row, d.colCount - 1, d.rowCount - 1);
  else
    m_repaint.Add(-1, -1, d.colCount - 1, d.rowCount - 1);
  m_repaint.SetEnabled(d.redraw);
  PaintPass(dc);
}

void CGridBody::OnPaint() {
  CPaintDC dc(this);
  if (!m_doubleBuffer) {
    PaintArea(&dc, dc.m_ps.rcPaint);
    return;
  }
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  HGDIOBJ old = memory.SelectObject(&m_offscreen);
  PaintArea(&memory, dc.m_ps.rcPaint);
  const CRect& r = static_cast<const CRect&>(dc.m_ps.rcPaint);
  dc.BitBlt(r.left, r.top, r.Width(), r.Height(), &memory, r.left, r.top, SRCCOPY);
  memory.SelectObject(old);
}

void CGridBody::OnPrintClient(HDC hdc, UINT) {
  CDC dc;
  dc.Attach(hdc);
  PaintArea(&dc, GetClientRect());
}

void CGridBody::PaintToWindow() {
  CClientDC dc(this);
  if (!m_doubleBuffer) {
    PaintPass(&dc);
    return;
  }
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  HGDIOBJ old = memory.SelectObject(&m_offscreen);
  PaintPass(&memory);
  CRect client = GetClientRect();
  dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(old);
}

void CGridBody::RedrawCell(int col, int row) {
  m_repaint.Add(col, row, col, row);
  PaintToWindow();
}

int CGridBody::SetDoubleBuffer(BOOL on) {
  m_offscreen.DeleteObject();
  m_doubleBuffer = false;
  if (on) {
    CRect client = GetClientRect();
    CClientDC dc(this);
    if (!m_offscreen.CreateCompatibleBitmap(dc, std::max(1, client.Width()), std::max(1, client.Height())))
      return kGridNoSuch;
    m_doubleBuffer = true;
  }
  if (!m_pDims->redraw) {
    m_force = true;
    Invalidate(false);
    UpdateWindow();
    m_force = false;
  }
  return kGridOk;
}

void CGridBody::OnSize(UINT, int, int) {
  Default();
  if (m_doubleBuffer)
    SetDoubleBuffer(TRUE);
}

void CGridBody::Update() {
  if (!m_hWnd)
    return;
  if (m_editor.m_hWnd && ::GetFocus() == m_editor.m_hWnd)
    SetFocus();
  const CGridDims& d = *m_pDims;
  const CRect client = GetClientRect();
  const int dy = d.topRow >= d.prevTopRow ? RowsHeight(d.prevTopRow, d.topRow, client.Height())
                                          : -RowsHeight(d.topRow, d.prevTopRow, client.Height());
  const int dx = d.leftCol >= d.prevLeftCol ? ColsWidth(d.prevLeftCol, d.leftCol, client.Width())
                                            : -ColsWidth(d.leftCol, d.prevLeftCol, client.Width());
  if (std::abs(dy) > client.Height() || std::abs(dx) > client.Width()) {
    Invalidate(true);
    return;
  }
  const int lastCol = d.colCount - 1, lastRow = d.rowCount - 1;
  if (dy > 0)
    m_repaint.Add(d.leftCol, RowAt(client.Height() - dy), lastCol, lastRow);
  else if (dy < 0)
    m_repaint.Add(d.leftCol, d.topRow, lastCol, RowAt(-dy - 1));
  if (dx > 0)
    m_repaint.Add(ColAt(client.Width() - dx), d.topRow, lastCol, lastRow);
  else if (dx < 0)
    m_repaint.Add(d.leftCol, d.topRow, ColAt(-dx - 1), lastRow);
  if (dx || dy) {
    ScrollWindow(-dx, -dy);
    if (m_doubleBuffer) {
      CDC memory;
      memory.CreateCompatibleDC(nullptr);
      HGDIOBJ old = memory.SelectObject(&m_offscreen);
      ScrollDC(memory, -dx, -dy, nullptr, nullptr, nullptr, nullptr);
      memory.SelectObject(old);
    }
  }
  if (d.curRow != d.prevCurRow || d.curCol != d.prevCurCol) {
    if (d.rowSelect) {
      m_repaint.Add(d.leftCol, d.prevCurRow, lastCol, d.prevCurRow);
      m_repaint.Add(d.leftCol, d.curRow, lastCol, d.curRow);
    } else {
      m_repaint.Add(d.prevCurCol, d.prevCurRow, d.prevCurCol, d.prevCurRow);
      m_repaint.Add(d.curCol, d.curRow, d.curCol, d.curRow);
    }
    int anchorCol, anchorRow;
    if (d.multiSelect && m_pGrid->GetSelection().GetAnchor(&anchorCol, &anchorRow) == 0) {
      const int from = d.rowSelect ? d.leftCol : anchorCol;
      const int to = d.rowSelect ? lastCol : -1;
      m_repaint.Add(from, anchorRow, to < 0 ? d.prevCurCol : to, d.prevCurRow);
      m_repaint.Add(from, anchorRow, to < 0 ? d.curCol : to, d.curRow);
    }
  }
  PaintToWindow();
}

// ---- Keyboard ----

void CGridBody::OnKeyDown(UINT key, UINT, UINT) {
  HWND self = m_hWnd;
  UINT code = key;
  int answer = m_pGrid->CurrentCellType()->OnKeyDown(&code);
  if (!IsWindow(self))
    return;
  m_pGrid->OnKeyDownCell(&code, answer);
  if (!IsWindow(self))
    return;
  m_pDims->inputSource = kInputKeyboard;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  switch (code) {
  case VK_LEFT:
    m_pGrid->MoveCol(kMoveBack);
    break;
  case VK_RIGHT:
    m_pGrid->MoveCol(kMoveOn);
    break;
  case VK_UP:
    m_pGrid->MoveRow(kMoveBack);
    break;
  case VK_DOWN:
    m_pGrid->MoveRow(kMoveOn);
    break;
  case VK_PRIOR:
    m_pGrid->MoveRow(kMovePageBack);
    break;
  case VK_NEXT:
    m_pGrid->MoveRow(kMovePageOn);
    break;
  case VK_HOME:
    control ? m_pGrid->MoveRow(kMoveFirst) : m_pGrid->MoveCol(kMoveFirst);
    break;
  case VK_END:
    control ? m_pGrid->MoveRow(kMoveLast) : m_pGrid->MoveCol(kMoveLast);
    break;
  default:
    break;
  }
  if (IsWindow(self))
    m_pDims->inputSource = kInputProgram;
}

void CGridBody::OnChar(UINT ch, UINT, UINT) {
  HWND self = m_hWnd;
  UINT code = ch;
  int answer = m_pGrid->CurrentCellType()->OnChar(&code);
  if (IsWindow(self))
    m_pGrid->OnCharCell(&code, answer);
}

UINT CGridBody::OnGetDlgCode(MSG* msg) {
  if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_TAB || msg->wParam == VK_RETURN))
    return 0; // the dialog moves the focus or presses its default button
  return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// ---- Focus ----

int CGridBody::OnMouseActivate(HWND, UINT, UINT) {
  ++m_press;
  m_takingFocus = true;
  SetFocus();
  m_takingFocus = false;
  return MA_ACTIVATE;
}

void CGridBody::OnSetFocus(HWND) {
  Default();
  m_hasFocus = true;
  if (m_pDims->rowCount && m_pDims->colCount)
    RedrawCell(m_pDims->curCol, m_pDims->curRow);
}

void CGridBody::OnKillFocus(HWND) {
  Default();
  m_hasFocus = false;
  if (m_pDims->rowCount && m_pDims->colCount)
    RedrawCell(m_pDims->curCol, m_pDims->curRow);
}

// ---- Mouse ----

void CGridBody::OnLButtonDown(UINT, CPoint point) {
  HWND self = m_hWnd;
  m_pDims->inputSource = kInputClick;
  int col, row;
  CRect rect;
  if (m_pGrid->HitTest(point.x, point.y, &col, &row, &rect) != 0) {
    m_pGrid->OnLButtonCell(-1, -1, TRUE, rect, point, 0);
  } else {
    m_pGrid->SetCurCellAtPointer(col, row);
    if (!IsWindow(self))
      return;
    int answer = 0;
    if (col == m_pDims->curCol && row == m_pDims->curRow) {
      CGridCellType* type = m_pGrid->CurrentCellType();
      answer = type->OnLButton(col, row, TRUE, rect, point);
      if (answer == -2)
        m_mouseType = type;
    }
    if (!IsWindow(self))
      return;
    m_pGrid->OnLButtonCell(col, row, TRUE, rect, point, answer);
  }
  if (!IsWindow(self))
    return;
  ++m_press;
  SetCapture();
  m_dragging = true;
  m_pDims->inputSource = kInputProgram;
}

void CGridBody::OnLButtonUp(UINT, CPoint point) {
  HWND self = m_hWnd;
  int col, row;
  CRect rect;
  if (m_pGrid->HitTest(point.x, point.y, &col, &row, &rect) != 0) {
    m_pGrid->OnLButtonCell(-1, -1, FALSE, rect, point, 0);
  } else {
    m_pGrid->SetCurCell(col, row);
    if (!IsWindow(self))
      return;
    // Now the whole cell comes into view.
    m_pGrid->KeepCurrentVisible();
    if (m_pDims->topRow != m_pDims->prevTopRow || m_pDims->leftCol != m_pDims->prevLeftCol)
      m_pGrid->Commit();
    if (!IsWindow(self))
      return;
    int answer = 0;
    if (col == m_pDims->curCol && row == m_pDims->curRow) {
      CGridCellType* type = m_pGrid->CurrentCellType();
      if (type == m_mouseType)
        m_mouseType = nullptr; // told here
      answer = type->OnLButton(col, row, FALSE, rect, point);
    }
    if (!IsWindow(self))
      return;
    m_pGrid->OnLButtonCell(col, row, FALSE, rect, point, answer);
  }
  if (!IsWindow(self))
    return;
  EndTypePress();
  if (::GetCapture() == m_hWnd)
    ReleaseCapture();
}

void CGridBody::OnLButtonDblClk(UINT, CPoint point) {
  HWND self = m_hWnd;
  int col, row;
  CRect rect;
  if (m_pGrid->HitTest(point.x, point.y, &col, &row, &rect) != 0) {
    m_pGrid->OnDblClkCell(-1, -1, rect, point, 0);
    return;
  }
  int answer = 0;
  if (col == m_pDims->curCol && row == m_pDims->curRow)
    answer = m_pGrid->CurrentCellType()->OnDblClk(col, row, rect, point);
  if (IsWindow(self))
    m_pGrid->OnDblClkCell(col, row, rect, point, answer);
}

void CGridBody::OnMouseMove(UINT flags, CPoint point) {
  if (m_pDims->rowCount == 0 || m_pDims->colCount == 0)
    return;
  if (!(flags & MK_LBUTTON))
    EndTypePress(); // the button came up where the body did not see it
  HWND self = m_hWnd;
  int col, row;
  CRect rect;
  const bool inCell = m_pGrid->HitTest(point.x, point.y, &col, &row, &rect) == 0;
  if (!m_dragging) {
    if (inCell) {
      m_pGrid->GetMergedCell(col, row, &m_cell);
      m_pGrid->GetCellType(m_cell.m_nCellType)->OnMouseMove(point, FALSE);
    }
    return;
  }
  m_pDims->inputSource = kInputDrag;
  if (m_mouseType)
    m_mouseType->OnMouseMove(point, TRUE);
  else if (inCell)
    m_pGrid->SetCurCellAtPointer(col, row);
  else
    AutoScroll(point);
  if (IsWindow(self))
    m_pDims->inputSource = kInputProgram;
}

void CGridBody::EndDrag() {
  m_dragging = false;
  m_mouseType = nullptr;
}

void CGridBody::EndTypePress() {
  CGridCellType* type = m_mouseType;
  EndDrag();
  if (!type || m_pDims->rowCount == 0 || m_pDims->colCount == 0)
    return;
  CRect rect;
  m_pGrid->GetCellRect(m_pDims->curCol, m_pDims->curRow, &rect);
  type->OnLButton(m_pDims->curCol, m_pDims->curRow, FALSE, rect, CPoint(-1, -1));
}

void CGridBody::OnCaptureChanged(HWND) { EndTypePress(); }

void CGridBody::AutoScroll(CPoint point) {
  HWND self = m_hWnd;
  for (;;) {
    const CGridDims before = *m_pDims;
    if (point.x < 0)
      m_pGrid->MoveCol(kMoveBack);
    else if (point.x >= m_pDims->bodyWidth)
      m_pGrid->MoveCol(kMoveOn);
    if (!IsWindow(self))
      return;
    if (point.y < 0)
      m_pGrid->MoveRow(kMoveBack);
    else if (point.y >= m_pDims->bodyHeight)
      m_pGrid->MoveRow(kMoveOn);
    if (!IsWindow(self))
      return;
    const CGridDims& now = *m_pDims;
    if (now.curRow == before.curRow && now.curCol == before.curCol && now.topRow == before.topRow &&
        now.leftCol == before.leftCol)
      return; // at the edge of the grid: nothing more to scroll until the pointer moves
    Sleep(0);
    // Other work goes on between steps; the pointer moving, the button coming up, a quit request, the
    // capture going elsewhere or the window going away ends the loop.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_QUIT || msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP)
        return;
      PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (!IsWindow(self))
        return;
    }
    if (!IsWindow(self) || ::GetCapture() != self || !m_dragging)
      return;
  }
}

void CGridBody::OnRButtonDown(UINT, CPoint point) {
  HWND self = m_hWnd;
  m_pDims->inputSource = kInputClick;
  int col, row;
  CRect rect;
  if (m_pGrid->HitTest(point.x, point.y, &col, &row, &rect) != 0) {
    m_pGrid->OnRButtonCell(-1, -1, TRUE, rect, point, 0);
  } else {
    m_pGrid->SetCurCellAtPointer(col, row);
    if (!IsWindow(self))
      return;
    int answer = 0;
    if (col == m_pDims->curCol && row == m_pDims->curRow)
      answer = m_pGrid->CurrentCellType()->OnRButton(col, row, TRUE, rect, point);
    if (!IsWindow(self))
      return;
    m_pGrid->OnRButtonCell(col, row, TRUE, rect, point, answer);
  }
  if (!IsWindow(self))
    return;
  m_pDims->inputSource = kInputProgram;
  m_pGrid->ShowPopupMenu(col, row, kAreaBody, ToScreen(point));
}

void CGridBody::OnRButtonUp(UINT, CPoint point) {
  HWND self = m_hWnd;
  int col, row;
  CRect rect;
  if (m_pGrid->HitTest(point.x, point.y, &col, &row, &rect) == 0) {
    m_pGrid->SetCurCell(col, row);
    if (!IsWindow(self))
      return;
  }
  m_pGrid->OnRButtonCell(col, row, FALSE, rect, point, 0);
}

void CGridBody::OnMenuCommand(UINT id) {
  m_pGrid->OnMenuCommand(m_pGrid->MenuCol(), m_pGrid->MenuRow(), kAreaBody, id);
}

// ---- In-place editing ----

void CGridBody::OnEditorUpdate() { m_editor.Reformat(); }

void CGridBody::DestroyEditor() { m_editor.Close(); }

int CGridBody::EditCell(UINT initialChar) {
  CGridDims& d = *m_pDims;
  const int col = d.curCol, row = d.curRow;
  if (d.rowCount == 0 || d.colCount == 0)
    return kGridNoSuch;
  CGridCell cell;
  m_pGrid->GetMergedCell(col, row, &cell);
  CGridCtrl::ApplyBuiltInDefaults(cell);
  CGridCellType* type = m_pGrid->GetCellType(cell.m_nCellType);
  if (cell.m_nNoEdit == 1 || !type->IsEditable())
    return kGridNoSuch;
  m_pGrid->ClearSelection();
  DestroyEditor();
  CRect rect;
  m_pGrid->GetCellRect(col, row, &rect);
  CRect insets = GridFrameInsets(cell.m_nFrameStyle, d.frameInset);
  rect.DeflateRect(insets.left, insets.top, insets.right, insets.bottom);
  type->AdjustEditRect(rect);
  DWORD style = WS_CHILD | ES_AUTOHSCROLL;
  m_pGrid->OnPrepareEditor(col, row, &rect, &cell, &style, 0);
  if (!m_editor.Create(style, rect, this, kEditorId))
    return kGridNoSuch;
  m_editor.SetFont(cell.m_hFont ? cell.m_hFont : m_pGrid->GetGridFont());
  if (cell.m_nRangeFlag == 1)
    m_editor.LimitText(TextLimitFor(cell.m_dMax));
  m_editor.Begin(col, row, cell.m_strText2, cell.m_strText);
  if (!m_pGrid->OnBeginEdit(col, row, &m_editor)) {
    DestroyEditor();
    return kGridNoSuch;
  }
  d.editCol = col;
  d.editRow = row;
  m_editor.ShowWindow(SW_SHOW);
  m_editor.SetFocus();
  m_editor.SetSel(0, -1);
  m_editor.SendMessage(EM_SCROLLCARET);
  if (initialChar)
    m_editor.SendMessage(WM_CHAR, initialChar, 1);
  return kGridOk;
}
