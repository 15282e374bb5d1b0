#include <gridctrl/GridCtrl.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridCheckCellType.h>
#include <gridctrl/GridFaceCellTypes.h>
#include <gridctrl/GridHeaders.h>
#include <gridctrl/GridListCellType.h>
#include <gridctrl/GridScrollBars.h>
#include <gridctrl/GridSpinCellType.h>
#include <gridctrl/GridTipWnd.h>

#include <algorithm>

// The grid object's life and window: construction, creation of the children, the window messages and
// the layout of the children. The operations live beside it by concern: GridCtrlDims.cpp (sizes and
// switches), GridCtrlCells.cpp (cells and joined blocks), GridCtrlMoves.cpp (current cell, scrolling
// and the commit), GridCtrlGeometry.cpp (hit test and cell rectangles), GridCtrlFind.cpp (editing,
// cell types, find and the pop-up menu).

namespace {

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
  m_defaultCell.m_nAlign = kAlignLeftTop;
  ApplyBuiltInDefaults(m_defaultCell);
  m_defaultHeaderCell.m_nFrameStyle = kFrameRaised;
  m_defaultHeaderCell.m_crText = RGB(0, 0, 0);
  m_defaultHeaderCell.m_crBk = GetSysColor(COLOR_BTNFACE);
  m_defaultHeaderCell.m_nAlign = kAlignCentre | kAlignMiddle;
  m_whitePen.CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  m_shadowPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  m_popupMenu.CreatePopupMenu();
  RegisterCellType(new CGridCellType(0, true));
  RegisterCellType(new CGridCheckCellType);
  RegisterCellType(new CGridListCellType);
  RegisterCellType(new CGridCellType4);
  RegisterCellType(new CGridCellType5);
  RegisterCellType(new CGridSpinCellType);
  RegisterCellType(new CGridCellType8);
}

CGridCtrl::~CGridCtrl() {
  // Destroyed here, while the grid's own handlers can still see its window go.
  DestroyWindow();
}

void CGridCtrl::ApplyBuiltInDefaults(CGridCell& cell) {
  if (cell.m_nFrameStyle < 0)
    cell.m_nFrameStyle = kFrameGridLines;
  if (cell.m_nAlign < 0)
    cell.m_nAlign = kAlignLeftTop;
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

void CGridCtrl::SizeBody(const CRect& client, bool hBar, bool vBar) {
  m_dims.bodyWidth = std::max(0, client.Width() - m_dims.rowHeaderWidth - (vBar ? m_dims.vScrollWidth : 0));
  m_dims.bodyHeight =
      std::max(0, client.Height() - m_dims.colHeaderHeight - (hBar ? m_dims.hScrollHeight : 0));
  RecomputeLastLeftCol();
  RecomputeLastTopRow();
}

// The scroll bars settle at a fixed point: a bar is shown exactly when the body it leaves cannot show
// everything along its direction. Each bar only narrows the body for the other, so starting with
// neither bar and adding each one the body then needs reaches the fewest consistent bars within three
// steps. The top row and left column are lowered only against that final body.
void CGridCtrl::Layout() {
  if (!m_hWnd || !m_body)
    return;
  const CRect client = GetClientRect();
  bool hBar = false, vBar = false;
  for (int step = 0; step < 3; ++step) {
    SizeBody(client, hBar, vBar);
    const bool hNeeded = m_dims.lastLeftCol >= 1;
    const bool vNeeded = m_dims.lastTopRow >= 1;
    if (hNeeded == hBar && vNeeded == vBar)
      break;
    hBar = hBar || hNeeded;
    vBar = vBar || vNeeded;
  }
  m_dims.hBarShown = hBar;
  m_dims.vBarShown = vBar;
  const int oldLeft = m_dims.leftCol, oldTop = m_dims.topRow;
  m_dims.leftCol = std::min(m_dims.leftCol, m_dims.lastLeftCol);
  m_dims.topRow = std::min(m_dims.topRow, m_dims.lastTopRow);
  const int vBarWidth = vBar ? m_dims.vScrollWidth : 0;
  const int hBarHeight = hBar ? m_dims.hScrollHeight : 0;
  const int rhw = m_dims.rowHeaderWidth, chh = m_dims.colHeaderHeight;
  m_body->MoveWindow(rhw, chh, m_dims.bodyWidth, m_dims.bodyHeight);
  m_colHeader->MoveWindow(rhw, 0, m_dims.bodyWidth, chh);
  m_rowHeader->MoveWindow(0, chh, rhw, m_dims.bodyHeight);
  m_corner->MoveWindow(0, 0, rhw, chh);
  m_vScroll->MoveWindow(client.Width() - vBarWidth, 0, vBarWidth, std::max(0, client.Height() - hBarHeight));
  m_hScroll->MoveWindow(0, client.Height() - hBarHeight, std::max(0, client.Width() - vBarWidth), hBarHeight);
  m_vScroll->ShowWindow(vBar ? SW_SHOWNA : SW_HIDE);
  m_hScroll->ShowWindow(hBar ? SW_SHOWNA : SW_HIDE);
  // The view moved under the body without a scroll: what it shows is no longer where it belongs.
  if (m_dims.leftCol != oldLeft || m_dims.topRow != oldTop) {
    m_body->Invalidate(false);
    m_colHeader->Invalidate(false);
    m_rowHeader->Invalidate(false);
  }
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
    return kGridOk;
  CWnd* children[] = {m_body.get(),   m_colHeader.get(), m_rowHeader.get(),
                      m_corner.get(), m_vScroll.get(),   m_hScroll.get()};
  for (CWnd* child : children)
    child->Invalidate();
  m_vScroll->Update();
  m_hScroll->Update();
  for (CWnd* child : children)
    child->UpdateWindow();
  return kGridOk;
}
