#include <gridctrl/GridCtrl.h>

#include <gridctrl/GridBody.h>

#include <algorithm>

// ---- Cells ----

int CGridCtrl::RedrawCell(int col, int row) {
  if (m_body && m_body->m_hWnd)
    m_body->RedrawCell(col, row);
  return kGridOk;
}

int CGridCtrl::ClearSelection() {
  if (m_body)
    m_selection.MarkForRepaint(m_body->RepaintList());
  m_selection.Empty();
  return kGridOk;
}

int CGridCtrl::SelectCell(int col, int row) {
  m_selection.StartRange(col, row);
  m_selection.Extend(col, row);
  return kGridOk;
}

int CGridCtrl::GetCell(int col, int row, CGridCell* cell) {
  cell->Clear();
  if (col < -1 || row < -1 || col >= m_dims.colCount || row >= m_dims.rowCount)
    return kGridNoSuch;
  if (row == -1) {
    cell->CopyFrom(col == -1 ? m_cornerCell : m_colHeaders[static_cast<size_t>(col)]);
    return kGridOk;
  }
  return m_pStore->ReadCell(col, row, *cell);
}

int CGridCtrl::GetMergedCell(int col, int row, CGridCell* cell) {
  if (col < -1 || row < -1 || col >= m_dims.colCount || row >= m_dims.rowCount) {
    cell->Clear();
    return kGridNoSuch;
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
  return kGridOk;
}

int CGridCtrl::SetCell(int col, int row, const CGridCell* cell) {
  if (col < -1 || row < -1 || col >= m_dims.colCount || row >= m_dims.rowCount)
    return kGridNoSuch;
  m_scratch.CopyFrom(*cell);
  OnSetCell(col, row, &m_scratch);
  if (row == -1) {
    (col == -1 ? m_cornerCell : m_colHeaders[static_cast<size_t>(col)]).CopyFrom(m_scratch);
    return kGridOk;
  }
  return m_pStore->WriteCell(col, row, m_scratch);
}

CGridCellType* CGridCtrl::CurrentCellType() {
  if (GetMergedCell(m_dims.curCol, m_dims.curRow, &m_currentProbe) != kGridOk)
    return GetCellType(0);
  return GetCellType(m_currentProbe.m_nCellType);
}

int CGridCtrl::SetDefaultCell(const CGridCell* cell) { return m_defaultCell.CopyFrom(*cell); }

COLORREF CGridCtrl::GetFillColor() const {
  return IsColorSet(m_defaultCell.m_crBk) ? m_defaultCell.m_crBk : GetSysColor(COLOR_WINDOW);
}

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
    return kGridNoSuch;
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
  return kGridOk;
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
    return kGridRefused;
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
