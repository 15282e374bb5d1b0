#include "GridCtrl.h"

#include "GridBody.h"
#include "GridHeaders.h"
#include "GridScrollBars.h"
#include "GridTipWnd.h"

#include <algorithm>
#include <cstring>

namespace {

// Above this many rows no per-row height is kept.
const int kMaxRowTable = 63999;
// The most rows for which a per-row height table may be rebuilt.
const int kMaxRowTableRebuild = 64001;

const UINT kFindMessage = CFindReplaceDialog::FindReplaceMessage();

} // namespace

BEGIN_MESSAGE_MAP(CGridCtrl, CWnd)
ON_WM(WM_CREATE, OnCreate)
ON_WM(WM_SIZE, OnSize)
ON_WM(WM_SETFOCUS, OnSetFocus)
ON_WM(WM_PAINT, OnPaint)
ON_WM(WM_PRINTCLIENT, OnPrintClient)
ON_WM(WM_VSCROLL, OnVScroll)
ON_WM(WM_HSCROLL, OnHScroll)
ON_WM(WM_DESTROY, OnDestroy)
ON_REGISTERED_MESSAGE(kFindMessage, OnFindReplace)
END_MESSAGE_MAP()

CGridCtrl::CGridCtrl() : m_listStore(this), m_pStore(&m_listStore), m_selection(&m_dims) {
  m_dims.vScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  m_dims.hScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  m_defaultCell.m_nValueType = 0;
  m_defaultCell.m_nAlign = 1;
  ApplyBuiltInDefaults(m_defaultCell);
  m_defaultHeaderCell.m_nFrameStyle = 0x2000;
  m_defaultHeaderCell.m_crText = RGB(0, 0, 0);
  m_defaultHeaderCell.m_crBk = GetSysColor(COLOR_BTNFACE);
  m_defaultHeaderCell.m_nAlign = 0x24;
  m_whitePen.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  m_shadowPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  m_popupMenu.CreatePopupMenu();
  RegisterCellType(new CGridCellType(0, true));
}

CGridCtrl::~CGridCtrl() {
  // Destroyed here, while the grid's own handlers can still see its window go.
  DestroyWindow();
}

void CGridCtrl::ApplyBuiltInDefaults(CGridCell& cell) {
  if (cell.m_nFrameStyle < 0)
    cell.m_nFrameStyle = 12;
  if (cell.m_nAlign < 0)
    cell.m_nAlign = 1;
  if (!IsColorSet(cell.m_crText))
    cell.m_crText = GetSysColor(COLOR_WINDOWTEXT);
  if (!IsColorSet(cell.m_crBk))
    cell.m_crBk = GetSysColor(COLOR_WINDOW);
  if (!IsColorSet(cell.m_crSelText))
    cell.m_crSelText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  if (!IsColorSet(cell.m_crSelBk))
    cell.m_crSelBk = GetSysColor(COLOR_HIGHLIGHT);
  if (cell.m_nNoEdit < 0)
    cell.m_nNoEdit = 0;
}

// ---- Creation and window messages ----

bool CGridCtrl::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.style |= WS_CLIPCHILDREN;
  return true;
}

bool CGridCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (!CWnd::Create(nullptr, "", style, rect, parent, id))
    return false;
  OnGridCreated();
  return true;
}

int CGridCtrl::SubclassDlgItem(UINT id, CWnd* parent) {
  if (!CWnd::SubclassDlgItem(id, parent))
    return 0;
  ModifyStyle(0, WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP);
  m_hFont = reinterpret_cast<HFONT>(::SendMessageA(parent->m_hWnd, WM_GETFONT, 0, 0));
  CreateChildren();
  Layout();
  OnGridCreated();
  return 1;
}

int CGridCtrl::OnCreate(CREATESTRUCTA*) {
  if (Default() == -1)
    return -1;
  m_hFont = reinterpret_cast<HFONT>(::SendMessageA(GetParentHwnd(), WM_GETFONT, 0, 0));
  CreateChildren();
  Layout();
  return 0;
}

void CGridCtrl::CreateChildren() {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  const CRect none;
  m_body = std::make_unique<CGridBody>(this);
  m_body->Create(nullptr, "", child, none, this, kGridBodyId);
  m_colHeader = std::make_unique<CGridColHeader>(this);
  m_colHeader->Create(nullptr, "", child, none, this, kGridColHeaderId);
  m_rowHeader = std::make_unique<CGridRowHeader>(this);
  m_rowHeader->Create(nullptr, "", child, none, this, kGridRowHeaderId);
  m_corner = std::make_unique<CGridCorner>(this);
  m_corner->Create(nullptr, "", child, none, this, kGridCornerId);
  m_vScroll = std::make_unique<CGridVScrollBar>(this);
  m_vScroll->Create(child | SBS_VERT, none, this, kGridVScrollId);
  m_hScroll = std::make_unique<CGridHScrollBar>(this);
  m_hScroll->Create(child | SBS_HORZ, none, this, kGridHScrollId);
  m_tip = std::make_unique<CGridTipWnd>(this);
  m_tip->Create(nullptr, "", WS_CHILD, none, this, kGridTipId);
  m_tip->SetFont(m_hFont);
}

void CGridCtrl::OnSize(UINT, int, int) {
  Default();
  Layout();
}

void CGridCtrl::OnSetFocus(HWND) {
  Default();
  if (m_body && m_body->m_hWnd)
    m_body->SetFocus();
  Commit();
}

void CGridCtrl::PaintBackground(HDC dc) {
  CRect client = GetClientRect();
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void CGridCtrl::OnPaint() {
  CPaintDC dc(this);
  PaintBackground(dc);
}

void CGridCtrl::OnPrintClient(HDC dc, UINT) { PaintBackground(dc); }

void CGridCtrl::OnVScroll(UINT code, UINT pos, HWND) {
  if (m_vScroll)
    m_vScroll->OnScroll(code, pos);
}

void CGridCtrl::OnHScroll(UINT code, UINT pos, HWND) {
  if (m_hScroll)
    m_hScroll->OnScroll(code, pos);
}

void CGridCtrl::OnDestroy() {
  Default();
  for (auto& type : m_cellTypes)
    type->OnGridDestroy();
  if (m_pFindDialog) {
    CFindReplaceDialog* dialog = m_pFindDialog;
    m_pFindDialog = nullptr;
    dialog->DestroyWindow(); // it deletes itself with its window
  }
}

// ---- Layout ----

void CGridCtrl::RecomputeLastLeftCol() {
  int remain = m_dims.bodyWidth;
  int col = m_dims.colCount - 1;
  while (col >= 0 && remain - m_dims.ColWidth(col) >= 0)
    remain -= m_dims.ColWidth(col--);
  m_dims.lastLeftCol = std::max(0, std::min(col + 1, m_dims.colCount - 1));
}

void CGridCtrl::RecomputeLastTopRow() {
  const int count = m_dims.rowCount;
  if (count == 0) {
    m_dims.lastTopRow = 0;
    return;
  }
  if (m_dims.uniformRows) {
    int fit = m_dims.defRowHeight > 0 ? m_dims.bodyHeight / m_dims.defRowHeight : count;
    m_dims.lastTopRow = std::max(0, std::min(count - fit, count - 1));
    return;
  }
  int remain = m_dims.bodyHeight;
  int row = count - 1;
  while (row >= 0 && remain - m_dims.RowHeight(row) >= 0)
    remain -= m_dims.RowHeight(row--);
  m_dims.lastTopRow = std::max(0, std::min(row + 1, count - 1));
}

void CGridCtrl::Layout() {
  if (!m_hWnd || !m_body)
    return;
  CRect client = GetClientRect();
  for (int pass = 0; pass < 3; ++pass) {
    const int vBar = m_dims.vBarShown ? m_dims.vScrollWidth : 0;
    const int hBar = m_dims.hBarShown ? m_dims.hScrollHeight : 0;
    m_dims.bodyWidth = std::max(0, client.Width() - m_dims.rowHeaderWidth - vBar);
    m_dims.bodyHeight = std::max(0, client.Height() - m_dims.colHeaderHeight - hBar);
    RecomputeLastLeftCol();
    m_dims.leftCol = std::min(m_dims.leftCol, m_dims.lastLeftCol);
    RecomputeLastTopRow();
    m_dims.topRow = std::min(m_dims.topRow, m_dims.lastTopRow);
    const bool hShow = m_dims.lastLeftCol >= 1;
    const bool vShow = m_dims.lastTopRow >= 1;
    if (hShow == m_dims.hBarShown && vShow == m_dims.vBarShown)
      break;
    m_dims.hBarShown = hShow;
    m_dims.vBarShown = vShow;
  }
  const int vBar = m_dims.vBarShown ? m_dims.vScrollWidth : 0;
  const int hBar = m_dims.hBarShown ? m_dims.hScrollHeight : 0;
  const int rhw = m_dims.rowHeaderWidth, chh = m_dims.colHeaderHeight;
  m_body->MoveWindow(rhw, chh, m_dims.bodyWidth, m_dims.bodyHeight);
  m_colHeader->MoveWindow(rhw, 0, m_dims.bodyWidth, chh);
  m_rowHeader->MoveWindow(0, chh, rhw, m_dims.bodyHeight);
  m_corner->MoveWindow(0, 0, rhw, chh);
  m_vScroll->MoveWindow(client.Width() - vBar, 0, vBar, std::max(0, client.Height() - hBar));
  m_hScroll->MoveWindow(0, client.Height() - hBar, std::max(0, client.Width() - vBar), hBar);
  m_vScroll->ShowWindow(m_dims.vBarShown ? SW_SHOWNA : SW_HIDE);
  m_hScroll->ShowWindow(m_dims.hBarShown ? SW_SHOWNA : SW_HIDE);
  m_dims.prevLeftCol = m_dims.leftCol;
  m_dims.prevTopRow = m_dims.topRow;
  UpdateChildren();
}

void CGridCtrl::UpdateChildren() {
  if (!m_hWnd || !m_body)
    return;
  m_body->Update();
  m_colHeader->Update();
  m_rowHeader->Update();
  m_vScroll->Update();
  m_hScroll->Update();
}

int CGridCtrl::RedrawAll() {
  if (!m_hWnd || !m_body)
    return 0;
  CWnd* children[] = {m_body.get(),   m_colHeader.get(), m_rowHeader.get(),
                      m_corner.get(), m_vScroll.get(),   m_hScroll.get()};
  for (CWnd* child : children)
    child->Invalidate();
  m_vScroll->Update();
  m_hScroll->Update();
  for (CWnd* child : children)
    child->UpdateWindow();
  return 0;
}

// ---- Dimensions ----

int CGridCtrl::SetRowCountEx(int count, BOOL redraw) {
  if (count < 0)
    return 1;
  if (!m_dims.uniformRows && count > kMaxRowTable) {
    m_dims.uniformRows = true;
    std::vector<int>().swap(m_dims.rowHeights);
  }
  if (!m_dims.uniformRows)
    m_dims.rowHeights.resize(static_cast<size_t>(count), m_dims.defRowHeight);
  m_dims.rowCount = count;
  bool moved = false;
  if (count == 0) {
    m_dims.curRow = m_dims.prevCurRow = m_dims.topRow = m_dims.prevTopRow = 0;
  } else {
    m_dims.topRow = std::min(m_dims.topRow, count - 1);
    if (m_dims.curRow >= count) {
      m_dims.curRow = count - 1;
      moved = true;
    }
  }
  RecomputeLastTopRow();
  Layout();
  if (moved)
    Commit();
  if (redraw)
    RedrawAll();
  return 0;
}

int CGridCtrl::SetColCountEx(int count, BOOL redraw) {
  if (count < 0)
    return 1;
  const size_t n = static_cast<size_t>(count);
  m_dims.colWidths.resize(n, m_dims.defColWidth);
  m_colDefaults.resize(n, m_defaultCell);
  m_colHeaders.resize(n, m_cornerCell);
  m_dims.colCount = count;
  bool moved = false;
  if (count == 0) {
    m_dims.curCol = m_dims.prevCurCol = m_dims.leftCol = m_dims.prevLeftCol = 0;
  } else if (m_dims.curCol >= count) {
    m_dims.curCol = count - 1;
    moved = true;
  }
  m_dims.leftCol = std::min(m_dims.leftCol, std::max(0, count - 1));
  RecomputeLastLeftCol();
  Layout();
  if (moved)
    Commit();
  if (redraw)
    RedrawAll();
  return 0;
}

int CGridCtrl::SetColWidth(int col, int width) {
  if (col < 0 || col >= m_dims.colCount || width < 0)
    return 1;
  m_dims.colWidths[static_cast<size_t>(col)] = width;
  Layout();
  RedrawAll();
  return 0;
}

int CGridCtrl::GetColWidth(int col, int* width) const {
  if (col < 0 || col >= m_dims.colCount)
    return 1;
  *width = m_dims.colWidths[static_cast<size_t>(col)];
  return 0;
}

int CGridCtrl::FitColWidths(int first, int last) {
  if (first < 0 || last < first || last >= m_dims.colCount)
    return 1;
  const int client = m_body && m_body->m_hWnd ? m_body->GetClientRect().Width() : m_dims.bodyWidth;
  int sum = 0;
  for (int col = first; col <= last; ++col)
    sum += m_dims.colWidths[static_cast<size_t>(col)];
  // Columns all of width 0 share the width equally rather than dividing by nothing.
  const float scale = sum > 0 ? static_cast<float>(client) / static_cast<float>(sum) : 0.0f;
  const int equalShare = client / (last - first + 1);
  int used = 0;
  for (int col = first; col < last; ++col) {
    int& width = m_dims.colWidths[static_cast<size_t>(col)];
    width = sum > 0 ? static_cast<int>(static_cast<float>(width) * scale) : equalShare;
    used += width;
  }
  m_dims.colWidths[static_cast<size_t>(last)] = std::max(0, client - used);
  Layout();
  RedrawAll();
  return 0;
}

int CGridCtrl::SetDefRowHeight(int height) {
  if (height < 0)
    return 1;
  m_dims.defRowHeight = height;
  Layout();
  RedrawAll();
  return 0;
}

int CGridCtrl::SetUniformRowHeight(int on) {
  if (on == 1) {
    m_dims.uniformRows = true;
    std::vector<int>().swap(m_dims.rowHeights);
  } else {
    if (m_dims.rowCount > kMaxRowTableRebuild)
      return 1;
    m_dims.uniformRows = false;
    m_dims.rowHeights.assign(static_cast<size_t>(m_dims.rowCount), m_dims.defRowHeight);
  }
  Layout();
  RedrawAll();
  return 0;
}

int CGridCtrl::SetRowHeight(int row, int height) {
  if (row < 0 || row >= m_dims.rowCount || height < 0)
    return 1;
  if (m_dims.uniformRows)
    m_dims.defRowHeight = height;
  else
    m_dims.rowHeights[static_cast<size_t>(row)] = height;
  Layout();
  RedrawAll();
  return 0;
}

int CGridCtrl::GetRowHeight(int row, int* height) const {
  if (row < 0 || row >= m_dims.rowCount)
    return 1;
  *height = m_dims.RowHeight(row);
  return 0;
}

int CGridCtrl::SetColHeaderHeight(int height) {
  if (height < 0)
    return 1;
  m_dims.colHeaderHeight = height;
  Layout();
  return 0;
}

int CGridCtrl::SetRowHeaderWidth(int width) {
  if (width < 0)
    return 1;
  m_dims.rowHeaderWidth = width;
  Layout();
  return 0;
}

int CGridCtrl::SetVScrollWidth(int width) {
  if (width < 0)
    return 1;
  m_dims.vScrollWidth = width;
  Layout();
  return 0;
}

int CGridCtrl::SetHScrollHeight(int height) {
  if (height < 0)
    return 1;
  m_dims.hScrollHeight = height;
  Layout();
  return 0;
}

// ---- Switches ----

int CGridCtrl::SetCurCellStyle(int style) {
  if (style < 0 || style > 3)
    return 1;
  m_dims.curCellStyle = style;
  return 0;
}

int CGridCtrl::SetRowSelect(BOOL on) {
  m_dims.rowSelect = on != FALSE;
  if (m_dims.multiSelect)
    m_selection.SetMode(on ? CGridSelection::kRows : CGridSelection::kCells);
  return 0;
}

int CGridCtrl::EnableSelection(BOOL on) {
  if (on) {
    m_dims.multiSelect = true;
    m_selection.SetMode(m_dims.rowSelect ? CGridSelection::kRows : CGridSelection::kCells);
    m_selection.StartRange(m_dims.curCol, m_dims.curRow);
    return 0;
  }
  if (m_body)
    m_selection.MarkForRepaint(m_body->RepaintList());
  m_selection.SetMode(CGridSelection::kOff);
  m_dims.multiSelect = false;
  return 0;
}

int CGridCtrl::SetRedraw(int on) {
  m_dims.redraw = on == 1;
  if (m_body)
    m_body->RepaintList().SetEnabled(m_dims.redraw);
  if (m_dims.redraw)
    RedrawAll();
  return 0;
}

int CGridCtrl::SetFont(HFONT font) {
  m_hFont = font;
  if (m_tip)
    m_tip->SetFont(font);
  RedrawAll();
  return 0;
}

int CGridCtrl::SetSizing(int option) {
  if (option < 0 || option > 2)
    return 1;
  m_dims.sizing = option;
  return 0;
}

int CGridCtrl::EnablePopupMenu(BOOL on) {
  m_dims.popupMenu = on != FALSE;
  return 0;
}

int CGridCtrl::SetScrollMode(int bar, int mode) {
  if (mode < 0 || mode > 2 || (bar != SB_VERT && bar != SB_HORZ))
    return 1;
  (bar == SB_VERT ? m_dims.vScrollMode : m_dims.hScrollMode) = mode;
  if (m_vScroll) {
    m_vScroll->Update();
    m_hScroll->Update();
  }
  return 0;
}

int CGridCtrl::SetScrollTip(int bar, BOOL on) {
  if (bar != SB_VERT && bar != SB_HORZ)
    return 1;
  (bar == SB_VERT ? m_dims.vScrollTip : m_dims.hScrollTip) = on != FALSE;
  return 0;
}

// ---- Cells ----

int CGridCtrl::RedrawCell(int col, int row) {
  if (m_body && m_body->m_hWnd)
    m_body->RedrawCell(col, row);
  return 0;
}

int CGridCtrl::ClearSelection() {
  if (m_body)
    m_selection.MarkForRepaint(m_body->RepaintList());
  m_selection.Empty();
  return 0;
}

int CGridCtrl::SelectCell(int col, int row) {
  m_selection.StartRange(col, row);
  m_selection.Extend(col, row);
  return 0;
}

int CGridCtrl::GetCell(int col, int row, CGridCell* cell) {
  cell->Clear();
  if (col < -1 || row < -1 || col >= m_dims.colCount || row >= m_dims.rowCount)
    return 1;
  if (row == -1) {
    cell->CopyFrom(col == -1 ? m_cornerCell : m_colHeaders[static_cast<size_t>(col)]);
    return 0;
  }
  return m_pStore->ReadCell(col, row, *cell);
}

int CGridCtrl::GetMergedCell(int col, int row, CGridCell* cell) {
  if (col < -1 || row < -1 || col >= m_dims.colCount || row >= m_dims.rowCount) {
    cell->Clear();
    return 1;
  }
  if (row == -1) {
    cell->CopyFrom(m_defaultHeaderCell);
    cell->OverlayFrom(col == -1 ? m_cornerCell : m_colHeaders[static_cast<size_t>(col)]);
  } else if (col == -1) {
    cell->CopyFrom(m_defaultHeaderCell);
    m_pStore->ReadCell(-1, row, *cell);
  } else {
    cell->CopyFrom(m_colDefaults[static_cast<size_t>(col)]);
    m_pStore->ReadCell(col, row, *cell);
  }
  OnCellRead(col, row, cell);
  return 0;
}

int CGridCtrl::SetCell(int col, int row, const CGridCell* cell) {
  if (col < -1 || row < -1 || col >= m_dims.colCount || row >= m_dims.rowCount)
    return 1;
  m_scratch.CopyFrom(*cell);
  OnSetCell(col, row, &m_scratch);
  if (row == -1) {
    (col == -1 ? m_cornerCell : m_colHeaders[static_cast<size_t>(col)]).CopyFrom(m_scratch);
    return 0;
  }
  return m_pStore->WriteCell(col, row, m_scratch);
}

int CGridCtrl::SetDefaultCell(const CGridCell* cell) { return m_defaultCell.CopyFrom(*cell); }

int CGridCtrl::SetCellText(int col, int row, const char* text) {
  CGridCell cell;
  GetCell(col, row, &cell);
  cell.SetText(text);
  return SetCell(col, row, &cell);
}

int CGridCtrl::SetCellTextColor(int col, int row, COLORREF colour) {
  CGridCell cell;
  GetCell(col, row, &cell);
  cell.SetTextColor(colour);
  return SetCell(col, row, &cell);
}

int CGridCtrl::SetCellAlign(int col, int row, short bits) {
  CGridCell cell;
  GetCell(col, row, &cell);
  cell.SetAlign(bits);
  return SetCell(col, row, &cell);
}

int CGridCtrl::JoinCells(int firstCol, int firstRow, int lastCol, int lastRow) {
  if (lastCol < firstCol || lastRow < firstRow || firstCol < 0 || lastCol >= m_dims.colCount ||
      firstRow < 0 || lastRow >= m_dims.rowCount)
    return 1;
  CGridCell cell;
  for (int row = firstRow; row <= lastRow; ++row)
    for (int col = firstCol; col <= lastCol; ++col) {
      GetCell(col, row, &cell);
      cell.m_nJoined = 1;
      cell.m_nAnchor = 0;
      cell.m_nJoinCol = firstCol;
      cell.m_nJoinRow = firstRow;
      m_pStore->WriteCell(col, row, cell);
    }
  GetCell(firstCol, firstRow, &cell);
  cell.m_nAnchor = 1;
  cell.m_nJoinCol = lastCol;
  cell.m_nJoinRow = lastRow;
  m_pStore->WriteCell(firstCol, firstRow, cell);
  return 0;
}

bool CGridCtrl::GetJoinedBlock(int col, int row, int* anchorCol, int* anchorRow, int* lastCol, int* lastRow) {
  CGridCell cell;
  if (col < 0 || row < 0 || GetCell(col, row, &cell) != 0 || cell.m_nJoined != 1)
    return false;
  int ac = col, ar = row;
  if (!cell.m_nAnchor) {
    ac = cell.m_nJoinCol;
    ar = cell.m_nJoinRow;
    if (GetCell(ac, ar, &cell) != 0 || cell.m_nJoined != 1 || !cell.m_nAnchor)
      return false;
  }
  // A block recorded before the grid shrank is cut to the grid; one that no longer holds the cell, or
  // whose anchor lies outside the grid, counts as no block.
  int lc = std::min(cell.m_nJoinCol, m_dims.colCount - 1);
  int lr = std::min(cell.m_nJoinRow, m_dims.rowCount - 1);
  if (ac < 0 || ar < 0 || col < ac || row < ar || col > lc || row > lr)
    return false;
  *anchorCol = ac;
  *anchorRow = ar;
  *lastCol = lc;
  *lastRow = lr;
  return true;
}

void CGridCtrl::ResolveAnchor(int* col, int* row) {
  int ac, ar, lc, lr;
  if (GetJoinedBlock(*col, *row, &ac, &ar, &lc, &lr)) {
    *col = ac;
    *row = ar;
  }
}

int CGridCtrl::DeleteRow(int row) {
  if (m_dims.rowCount == 0 || row < 0 || row >= m_dims.rowCount)
    return 2;
  int answer = m_pStore->DeleteRow(row);
  if (answer != 0)
    return answer;
  if (!m_dims.uniformRows && row < static_cast<int>(m_dims.rowHeights.size()))
    m_dims.rowHeights.erase(m_dims.rowHeights.begin() + row);
  m_dims.rowCount--;
  // One move to where the current row belongs now: up one when a row above it went, else kept in range.
  const int count = m_dims.rowCount;
  if (count == 0) {
    m_dims.curRow = m_dims.prevCurRow = m_dims.topRow = m_dims.prevTopRow = 0;
    RecomputeLastTopRow();
  } else {
    const int target = row < m_dims.curRow ? m_dims.curRow - 1 : std::min(m_dims.curRow, count - 1);
    RecomputeLastTopRow();
    if (target != m_dims.curRow && SetCurRow(target) != 0 && m_dims.curRow >= count) {
      SetCurrent(m_dims.curCol, count - 1); // refused, but the current row must stay inside the grid
      Commit();
    }
  }
  Layout();
  m_dims.prevTopRow = m_dims.topRow;
  RedrawAll();
  return answer;
}

// ---- Current cell and scrolling ----

int CGridCtrl::CheckRowTarget(int target, bool forTop) {
  if (target == (forTop ? m_dims.topRow : m_dims.curRow))
    return 1;
  auto limit = [&] { return forTop ? m_dims.lastTopRow : m_dims.rowCount - 1; };
  if (target > limit()) {
    int missing = target - limit();
    int value = 0;
    m_pStore->SupplyRows(m_dims.rowCount, missing, &value);
    OnRowOverflow(m_dims.rowCount, missing, value);
    return target > limit() ? 1 : 0;
  }
  if (target < 0) {
    OnRowUnderflow(m_dims.rowCount, target);
    return 1;
  }
  return 0;
}

void CGridCtrl::SetCurrent(int col, int row) {
  m_dims.curCol = col;
  m_dims.curRow = row;
}

int CGridCtrl::SetCurRow(int row) {
  const int count = m_dims.rowCount;
  if (count == 0 || m_dims.colCount == 0)
    return 1;
  if (RowCheck(row) != 0)
    row = std::max(0, std::min(row, count - 1));
  if (row == m_dims.curRow)
    return 0;
  int col = m_dims.curCol;
  int ac, ar, lc, lr;
  if (GetJoinedBlock(col, row, &ac, &ar, &lc, &lr)) {
    col = ac;
    if (ac == m_dims.curCol && ar == m_dims.curRow) {
      // Still inside the current block: on to the row after it.
      row = lr + 1;
      if (RowCheck(row) != 0)
        return 1;
      ResolveAnchor(&col, &row);
    } else {
      row = ar;
    }
  }
  if (!OnSelChanging(m_dims.curCol, m_dims.curRow, col, row))
    return 2;
  SetCurrent(col, row);
  Commit();
  return 0;
}

int CGridCtrl::SetCurCol(int col) {
  const int count = m_dims.colCount;
  if (count == 0 || m_dims.rowCount == 0)
    return 1;
  const int target = std::max(0, std::min(col, count - 1));
  if (target == m_dims.curCol)
    return 0;
  col = target;
  int row = m_dims.curRow;
  int ac, ar, lc, lr;
  if (GetJoinedBlock(col, row, &ac, &ar, &lc, &lr)) {
    col = ac;
    row = ar;
    if (ac == m_dims.curCol && ar == m_dims.curRow && target > ac) {
      col = lc + 1;
      row = m_dims.curRow;
      if (col >= count)
        return 1;
      ResolveAnchor(&col, &row);
    }
  }
  if (col == m_dims.curCol && row == m_dims.curRow)
    return 0;
  if (!OnSelChanging(m_dims.curCol, m_dims.curRow, col, row))
    return 2;
  SetCurrent(col, row);
  Commit();
  return 0;
}

int CGridCtrl::SetCurCell(int col, int row) {
  if (col < 0 || col >= m_dims.colCount)
    return 1;
  if (row != m_dims.curRow && RowCheck(row) != 0)
    return 1;
  if (col == m_dims.curCol && row == m_dims.curRow)
    return 0;
  ResolveAnchor(&col, &row);
  if (col == m_dims.curCol && row == m_dims.curRow)
    return 0;
  if (!OnSelChanging(m_dims.curCol, m_dims.curRow, col, row))
    return 2;
  SetCurrent(col, row);
  Commit();
  return 0;
}

int CGridCtrl::SetCurCellAtPointer(int col, int row) {
  m_pointed = true;
  int answer = SetCurCell(col, row);
  m_pointed = false;
  return answer;
}

int CGridCtrl::SetTopRow(int row) {
  if (CheckRowTarget(row, true) != 0)
    return 1;
  if (!OnScrollChanging(m_dims.leftCol, m_dims.topRow, m_dims.leftCol, row))
    return 2;
  m_dims.topRow = row;
  Commit();
  return 0;
}

int CGridCtrl::SetLeftCol(int col) {
  if (col < 0 || col > m_dims.lastLeftCol)
    return 1;
  if (col == m_dims.leftCol)
    return 0;
  if (!OnScrollChanging(m_dims.leftCol, m_dims.topRow, col, m_dims.topRow))
    return 2;
  m_dims.leftCol = col;
  Commit();
  return 0;
}

int CGridCtrl::PageBackRow(int from) const {
  // The first row above the page that ends at `from`; at least one row back.
  int remain = m_dims.bodyHeight;
  int row = from;
  while (row >= 0 && remain - m_dims.StepHeight(row) >= 0)
    remain -= m_dims.StepHeight(row--);
  return std::min(row, from - 1);
}

int CGridCtrl::PageOnRow(int from) const {
  // The first row below the page that starts at `from`; at least one row on.
  int remain = m_dims.bodyHeight;
  int row = from;
  while (remain - m_dims.StepHeight(row) >= 0)
    remain -= m_dims.StepHeight(row++);
  return std::max(row, from + 1);
}

int CGridCtrl::MoveRow(int kind) {
  int target;
  switch (kind) {
  case kMoveBack:
    target = m_dims.curRow - 1;
    break;
  case kMoveOn:
    target = m_dims.curRow + 1;
    break;
  case kMovePageBack:
    target = PageBackRow(m_dims.curRow);
    break;
  case kMovePageOn:
    target = PageOnRow(m_dims.curRow);
    break;
  case kMoveFirst:
    target = 0;
    break;
  case kMoveLast:
    target = m_dims.rowCount - 1;
    break;
  default:
    return 3;
  }
  return SetCurRow(target);
}

int CGridCtrl::MoveCol(int kind) {
  const int cur = m_dims.curCol;
  int target;
  switch (kind) {
  case kMoveBack:
    target = cur - 1;
    break;
  case kMoveOn:
    target = cur + 1;
    break;
  case kMovePageBack: {
    int remain = m_dims.bodyWidth;
    target = cur;
    while (target >= 0 && remain - m_dims.StepWidth(target) >= 0)
      remain -= m_dims.StepWidth(target--);
    target = std::max(0, std::min(target, cur - 1));
    break;
  }
  case kMovePageOn: {
    if (cur >= m_dims.colCount - 1)
      return 1;
    int remain = m_dims.bodyWidth;
    target = cur;
    while (target < m_dims.colCount && remain - m_dims.StepWidth(target) >= 0)
      remain -= m_dims.StepWidth(target++);
    target = std::min(std::max(target, cur + 1), m_dims.colCount - 1);
    break;
  }
  case kMoveFirst:
    target = 0;
    break;
  case kMoveLast:
    target = m_dims.colCount - 1;
    break;
  default:
    return 3;
  }
  return SetCurCol(target);
}

int CGridCtrl::LastFullyShownRow() const {
  int remain = m_dims.bodyHeight;
  int row = m_dims.topRow;
  while (row < m_dims.rowCount && remain - m_dims.StepHeight(row) >= 0)
    remain -= m_dims.StepHeight(row++);
  return row - 1;
}

int CGridCtrl::ScrollRows(int kind) {
  const int top = m_dims.topRow;
  int target;
  switch (kind) {
  case kMoveBack:
    target = top - 1;
    break;
  case kMoveOn:
    target = top + 1;
    break;
  case kMovePageBack:
    target = top > 0 ? std::max(0, PageBackRow(top - 1) + 1) : -1;
    break;
  case kMovePageOn:
    target = std::min(std::max(LastFullyShownRow() + 1, top + 1), m_dims.lastTopRow);
    break;
  case kMoveFirst:
    target = 0;
    break;
  case kMoveLast:
    target = m_dims.lastTopRow;
    break;
  default:
    Commit();
    return 0;
  }
  return SetTopRow(target);
}

int CGridCtrl::ScrollCols(int kind) {
  const int left = m_dims.leftCol;
  int target;
  switch (kind) {
  case kMoveBack:
    target = left - 1;
    break;
  case kMoveOn:
    if (left >= m_dims.lastLeftCol)
      return 1;
    target = left + 1;
    break;
  case kMovePageBack: {
    int remain = m_dims.bodyWidth;
    target = left - 1;
    while (target >= 0 && remain - m_dims.StepWidth(target) >= 0)
      remain -= m_dims.StepWidth(target--);
    target = std::min(target + 1, left - 1);
    break;
  }
  case kMovePageOn: {
    int remain = m_dims.bodyWidth;
    target = left;
    while (target < m_dims.colCount && remain - m_dims.StepWidth(target) >= 0)
      remain -= m_dims.StepWidth(target++);
    target = std::min(std::max(target, left + 1), m_dims.lastLeftCol);
    break;
  }
  case kMoveFirst:
    target = 0;
    break;
  case kMoveLast:
    target = m_dims.lastLeftCol;
    break;
  default:
    Commit();
    return 0;
  }
  return SetLeftCol(target);
}

void CGridCtrl::KeepCurrentVisible() {
  CGridDims& d = m_dims;
  // A cell the user pointed at is seen already: a partly shown one stays where it is.
  const bool pointed = m_pointed;
  if (d.curRow < d.topRow) {
    if (d.curRow != d.prevCurRow)
      d.topRow = d.curRow;
  } else if (!pointed || RowTop(d.curRow) >= d.bodyHeight) {
    int remain = d.bodyHeight - d.StepHeight(d.curRow);
    int top = d.curRow;
    while (top > 0 && remain - d.StepHeight(top - 1) >= 0)
      remain -= d.StepHeight(--top);
    d.topRow = std::min(std::max(d.topRow, top), std::max(d.lastTopRow, d.topRow));
  }
  if (d.curCol < d.leftCol) {
    if (d.curCol != d.prevCurCol)
      d.leftCol = d.curCol;
  } else if (!pointed || ColLeft(d.curCol) >= d.bodyWidth) {
    int remain = d.bodyWidth - d.StepWidth(d.curCol);
    int left = d.curCol;
    while (left > 0 && remain - d.StepWidth(left - 1) >= 0)
      remain -= d.StepWidth(--left);
    d.leftCol = std::min(std::max(d.leftCol, left), std::max(d.lastLeftCol, d.leftCol));
  }
}

int CGridCtrl::RowTop(int row) const {
  if (m_dims.uniformRows)
    return (row - m_dims.topRow) * m_dims.defRowHeight;
  int y = 0;
  for (int r = m_dims.topRow; r < row && y < m_dims.bodyHeight; ++r)
    y += m_dims.RowHeight(r);
  return y;
}

int CGridCtrl::ColLeft(int col) const {
  int x = 0;
  for (int c = m_dims.leftCol; c < col && x < m_dims.bodyWidth; ++c)
    x += m_dims.ColWidth(c);
  return x;
}

void CGridCtrl::FollowSelection() {
  const int col = m_dims.curCol, row = m_dims.curRow;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  bool extend = false;
  bool toggle = false;
  switch (m_dims.inputSource) {
  case kInputKeyboard:
    extend = shift;
    break;
  case kInputClick:
    extend = shift;
    toggle = !shift && control;
    break;
  case kInputDrag:
    extend = true;
    break;
  default:
    break;
  }
  if (toggle) {
    m_selection.ToggleCell(col, row);
    return;
  }
  if (extend && m_selection.Extend(col, row) == 0)
    return;
  if (m_body)
    m_selection.MarkForRepaint(m_body->RepaintList());
  m_selection.Empty();
  m_selection.StartRange(col, row);
}

void CGridCtrl::Commit() {
  CGridDims& d = m_dims;
  const bool rowChanged = d.curRow != d.prevCurRow;
  const bool colChanged = d.curCol != d.prevCurCol;
  if (rowChanged) {
    KeepCurrentVisible();
    OnRowChanged(d.prevCurRow, d.curRow);
  }
  if (colChanged) {
    KeepCurrentVisible();
    OnColChanged(d.prevCurCol, d.curCol);
  }
  if (rowChanged || colChanged)
    OnSelChanged(d.prevCurCol, d.curCol, d.prevCurRow, d.curRow);
  if (d.topRow != d.prevTopRow)
    OnTopRowChanged(d.prevTopRow, d.topRow);
  if (d.leftCol != d.prevLeftCol)
    OnLeftColChanged(d.prevLeftCol, d.leftCol);
  if (!m_hWnd && !m_body)
    return;
  if (d.multiSelect && (rowChanged || colChanged))
    FollowSelection();
  if (rowChanged || colChanged) {
    GetCellType(m_currentCopy.m_nCellType)->OnLeaveCell(d.prevCurCol, d.prevCurRow, m_currentCopy);
    GetMergedCell(d.curCol, d.curRow, &m_currentCopy);
    GetCellType(m_currentCopy.m_nCellType)->OnEnterCell(d.curCol, d.curRow, m_currentCopy);
  }
  UpdateChildren();
  d.prevCurRow = d.curRow;
  d.prevCurCol = d.curCol;
  d.prevTopRow = d.topRow;
  d.prevLeftCol = d.leftCol;
}

// ---- Geometry ----

int CGridCtrl::HitTest(int x, int y, int* col, int* row, CRect* rect) const {
  *col = *row = -1;
  const CGridDims& d = m_dims;
  if (x < 0 || y < 0 || x >= d.bodyWidth || y >= d.bodyHeight || d.rowCount == 0 || d.colCount == 0)
    return 1;
  int left = 0;
  int c = d.leftCol;
  while (c < d.colCount && x >= left + d.ColWidth(c))
    left += d.ColWidth(c++);
  int top = 0;
  int r = d.topRow;
  if (d.uniformRows && d.defRowHeight > 0) {
    r = d.topRow + y / d.defRowHeight;
    top = (r - d.topRow) * d.defRowHeight;
  } else {
    while (r < d.rowCount && y >= top + d.RowHeight(r))
      top += d.RowHeight(r++);
  }
  if (c >= d.colCount || r >= d.rowCount)
    return 1;
  *col = c;
  *row = r;
  CRect cell(left, top, left + d.ColWidth(c), top + d.RowHeight(r));
  int ac, ar, lc, lr;
  auto* self = const_cast<CGridCtrl*>(this);
  if (self->GetJoinedBlock(c, r, &ac, &ar, &lc, &lr)) {
    *col = ac;
    *row = ar;
    GetCellRect(ac, ar, &cell);
  }
  if (rect)
    *rect = cell;
  return 0;
}

int CGridCtrl::GetCellRect(int col, int row, CRect* rect) const {
  const CGridDims& d = m_dims;
  if (col < 0 || row < 0 || col >= d.colCount || row >= d.rowCount)
    return 1;
  int lastCol = col, lastRow = row;
  int ac, ar, lc, lr;
  auto* self = const_cast<CGridCtrl*>(this);
  if (self->GetJoinedBlock(col, row, &ac, &ar, &lc, &lr)) {
    col = ac;
    row = ar;
    lastCol = lc;
    lastRow = lr;
  }
  auto colEdge = [&](int c) { // x of the left edge of column c
    int x = 0;
    for (int i = d.leftCol; i < c; ++i)
      x += d.ColWidth(i);
    for (int i = c; i < d.leftCol; ++i)
      x -= d.ColWidth(i);
    return x;
  };
  auto rowEdge = [&](int r) {
    if (d.uniformRows)
      return (r - d.topRow) * d.defRowHeight;
    int y = 0;
    for (int i = d.topRow; i < r; ++i)
      y += d.RowHeight(i);
    for (int i = r; i < d.topRow; ++i)
      y -= d.RowHeight(i);
    return y;
  };
  rect->left = colEdge(col);
  rect->right = colEdge(lastCol + 1);
  rect->top = rowEdge(row);
  rect->bottom = rowEdge(lastRow + 1);
  return 0;
}

// ---- Editing ----

int CGridCtrl::EditCurCell() { return m_body ? m_body->EditCell(0) : 1; }

int CGridCtrl::EditMoveOn(int colStep, int rowStep) {
  auto wrap = [this](int* col, int* row) {
    if (*col >= m_dims.colCount) {
      *col = 0;
      ++*row;
    } else if (*col < 0) {
      *col = m_dims.colCount - 1;
      --*row;
    }
    *row = std::max(0, std::min(*row, m_dims.rowCount - 1));
  };
  int col = m_dims.editCol + colStep;
  int row = m_dims.editRow + rowStep;
  wrap(&col, &row);
  if (!OnEditMoveOn(m_dims.curCol, m_dims.curRow, &col, &row)) {
    if (m_body)
      m_body->DestroyEditor();
    return 1;
  }
  wrap(&col, &row);
  SetCurCell(col, row);
  return EditCurCell();
}

// ---- Cell types, find, menu ----

int CGridCtrl::RegisterCellType(CGridCellType* type) {
  if (!type)
    return 1;
  type->Attach(this, &m_dims);
  m_cellTypes.emplace_back(type);
  type->SetUp();
  return 0;
}

CGridCellType* CGridCtrl::GetCellType(int id) const {
  for (const auto& type : m_cellTypes)
    if (type->GetId() == id)
      return type.get();
  return m_cellTypes.front().get();
}

int CGridCtrl::CompareCells(const CGridCell& first, const CGridCell& second) {
  return std::strcmp(first.m_strText, second.m_strText);
}

int CGridCtrl::FindFirst(int col, const char* text, int* row) { return m_pStore->FindFirst(col, text, row); }

int CGridCtrl::FindNext(int col, const char* text, int* row) { return m_pStore->FindNext(col, text, row); }

int CGridCtrl::ShowFindDialog() {
  if (m_pFindDialog || m_findOpening)
    return 1;
  m_newSearch = true;
  m_findOpening = true;
  auto* dialog = new CFindReplaceDialog;
  bool created = dialog->Create(true, "", nullptr, FR_DOWN, this);
  m_findOpening = false;
  if (!created) {
    delete dialog;
    return 1;
  }
  m_pFindDialog = dialog;
  RedrawCell(m_dims.curCol, m_dims.curRow);
  return 0;
}

LRESULT CGridCtrl::OnFindReplace(WPARAM, LPARAM lParam) {
  CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
  if (!dialog)
    return 0;
  if (dialog->IsTerminating()) {
    m_pFindDialog = nullptr;
    RedrawCell(m_dims.curCol, m_dims.curRow);
    return 0;
  }
  CString text = dialog->GetFindString();
  int row = -1;
  int found = m_newSearch ? FindFirst(m_dims.curCol, text, &row) : FindNext(m_dims.curCol, text, &row);
  m_newSearch = false;
  // The store may still hold rows past the row count; they are not part of the grid.
  while (found == 0 && row >= m_dims.rowCount)
    found = FindNext(m_dims.curCol, text, &row);
  if (found != 0) {
    MessageBoxA(m_hWnd, "Item not found", "Not Found", MB_OK);
    return 0;
  }
  SetCurRow(row);
  SetCurCell(m_dims.curCol, row);
  return 0;
}

void CGridCtrl::ShowPopupMenu(int col, int row, int area, CPoint screenPoint) {
  if (!m_dims.popupMenu || OnShowMenu(col, row, area) != 1)
    return;
  m_menuCol = col;
  m_menuRow = row;
  HWND owner = area == kAreaBody        ? m_body->m_hWnd
               : area == kAreaColHeader ? m_colHeader->m_hWnd
               : area == kAreaRowHeader ? m_rowHeader->m_hWnd
                                        : m_corner->m_hWnd;
  m_popupMenu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, owner);
}
