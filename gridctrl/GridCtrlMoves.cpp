#include <gridctrl/GridCtrl.h>

#include <gridctrl/GridBody.h>

#include <algorithm>

// ---- Current cell and scrolling ----

int CGridCtrl::CheckRowTarget(int target, bool forTop) {
  if (target == (forTop ? m_dims.topRow : m_dims.curRow))
    return kGridNoSuch;
  auto limit = [&] { return forTop ? m_dims.lastTopRow : m_dims.rowCount - 1; };
  if (target > limit()) {
    int missing = target - limit();
    int value = 0;
    m_pStore->SupplyRows(m_dims.rowCount, missing, &value);
    OnRowOverflow(m_dims.rowCount, missing, value);
    return target > limit() ? kGridNoSuch : kGridOk;
  }
  if (target < 0) {
    OnRowUnderflow(m_dims.rowCount, target);
    return kGridNoSuch;
  }
  return kGridOk;
}

void CGridCtrl::SetCurrent(int col, int row) {
  m_dims.curCol = col;
  m_dims.curRow = row;
}

int CGridCtrl::MoveCurrent(int col, int row) {
  if (!OnSelChanging(m_dims.curCol, m_dims.curRow, col, row))
    return kGridRefused;
  SetCurrent(col, row);
  Commit();
  return kGridOk;
}

int CGridCtrl::SetCurRow(int row) {
  const int count = m_dims.rowCount;
  if (count == 0 || m_dims.colCount == 0)
    return kGridNoSuch;
  if (RowCheck(row) != kGridOk)
    row = std::max(0, std::min(row, count - 1));
  if (row == m_dims.curRow)
    return kGridOk;
  int col = m_dims.curCol;
  int ac, ar, lc, lr;
  if (GetJoinedBlock(col, row, &ac, &ar, &lc, &lr)) {
    col = ac;
    if (ac == m_dims.curCol && ar == m_dims.curRow) {
      // Still inside the current block: on to the row after it.
      row = lr + 1;
      if (RowCheck(row) != kGridOk)
        return kGridNoSuch;
      ResolveAnchor(&col, &row);
    } else {
      row = ar;
    }
  }
  return MoveCurrent(col, row);
}

int CGridCtrl::SetCurCol(int col) {
  const int count = m_dims.colCount;
  if (count == 0 || m_dims.rowCount == 0)
    return kGridNoSuch;
  const int target = std::max(0, std::min(col, count - 1));
  if (target == m_dims.curCol)
    return kGridOk;
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
        return kGridNoSuch;
      ResolveAnchor(&col, &row);
    }
  }
  if (col == m_dims.curCol && row == m_dims.curRow)
    return kGridOk;
  return MoveCurrent(col, row);
}

int CGridCtrl::SetCurCell(int col, int row) {
  if (col < 0 || col >= m_dims.colCount)
    return kGridNoSuch;
  if (row != m_dims.curRow && RowCheck(row) != kGridOk)
    return kGridNoSuch;
  if (col == m_dims.curCol && row == m_dims.curRow)
    return kGridOk;
  ResolveAnchor(&col, &row);
  if (col == m_dims.curCol && row == m_dims.curRow)
    return kGridOk;
  return MoveCurrent(col, row);
}

int CGridCtrl::SetCurCellAtPointer(int col, int row) {
  m_pointed = true;
  int answer = SetCurCell(col, row);
  m_pointed = false;
  return answer;
}

int CGridCtrl::SetTopRow(int row) {
  if (CheckRowTarget(row, true) != kGridOk)
    return kGridNoSuch;
  if (!OnScrollChanging(m_dims.leftCol, m_dims.topRow, m_dims.leftCol, row))
    return kGridRefused;
  m_dims.topRow = row;
  Commit();
  return kGridOk;
}

int CGridCtrl::SetLeftCol(int col) {
  if (col < 0 || col > m_dims.lastLeftCol)
    return kGridNoSuch;
  if (col == m_dims.leftCol)
    return kGridOk;
  if (!OnScrollChanging(m_dims.leftCol, m_dims.topRow, col, m_dims.topRow))
    return kGridRefused;
  m_dims.leftCol = col;
  Commit();
  return kGridOk;
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
    return kGridUnknownKind;
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
      return kGridNoSuch;
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
    return kGridUnknownKind;
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
    return kGridOk;
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
      return kGridNoSuch;
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
    return kGridOk;
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
  } else if (!pointed ? !MostlyShown(d.curCol) : ColLeft(d.curCol) >= d.bodyWidth) {
    int remain = d.bodyWidth - d.StepWidth(d.curCol);
    int left = d.curCol;
    while (left > 0 && remain - d.StepWidth(left - 1) >= 0)
      remain -= d.StepWidth(--left);
    d.leftCol = std::min(std::max(d.leftCol, left), std::max(d.lastLeftCol, d.leftCol));
  }
}

bool CGridCtrl::MostlyShown(int col) const {
  // A wide column cut at the right edge is in view while half of it shows: scrolling it whole would hide
  // the first columns for the sake of a few pixels of it.
  const int shown = m_dims.bodyWidth - ColLeft(col);
  return shown * 2 >= m_dims.ColWidth(col);
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
