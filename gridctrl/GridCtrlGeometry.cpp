#include <gridctrl/GridCtrl.h>

// ---- Geometry ----

int CGridCtrl::HitTest(int x, int y, int* col, int* row, CRect* rect) const {
  *col = *row = -1;
  const CGridDims& d = m_dims;
  if (x < 0 || y < 0 || x >= d.bodyWidth || y >= d.bodyHeight || d.rowCount == 0 || d.colCount == 0)
    return kGridNoSuch;
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
    return kGridNoSuch;
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
  return kGridOk;
}

int CGridCtrl::GetCellRect(int col, int row, CRect* rect) const {
  const CGridDims& d = m_dims;
  if (col < 0 || row < 0 || col >= d.colCount || row >= d.rowCount)
    return kGridNoSuch;
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
  return kGridOk;
}
