#include <formlib/TStringGrid.h>

#include <wincore/Scrolling.h>

#include <windowsx.h>

#include <algorithm>

namespace formlib {

namespace {

constexpr int kLine = 1; // grid line below and right of every cell
constexpr TColor kLineColor = RGB(192, 192, 192);
const std::string kEmpty;

} // namespace

TStringGrid::TStringGrid(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(nullptr, WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE);
  SetColor(clWindow());
  cells_.resize(1);
  updateScrollBar();
}

void TStringGrid::SetColWidths(const std::vector<int>& widths) {
  colWidths_ = widths;
  cells_.assign(static_cast<size_t>(rowCount_) * colWidths_.size(), std::string());
  leftCol_ = std::min(leftCol_, maxLeftCol());
  updateScrollBar();
  Invalidate();
}

void TStringGrid::SetRowCount(int rows) {
  rowCount_ = std::max(rows, fixedRows_ + 1);
  cells_.resize(static_cast<size_t>(rowCount_) * colWidths_.size());
  updateScrollBar();
  Invalidate();
}

void TStringGrid::SetFixedRows(int rows) {
  fixedRows_ = rows;
  topRow_ = row_ = rows;
  Invalidate();
}

void TStringGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = height;
  updateScrollBar();
  Invalidate();
}

const std::string& TStringGrid::Cell(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_)
    return kEmpty;
  return cells_[static_cast<size_t>(row) * colWidths_.size() + col];
}

void TStringGrid::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || col >= ColCount() || row < 0 || row >= rowCount_)
    return;
  std::string& cell = cells_[static_cast<size_t>(row) * colWidths_.size() + col];
  if (cell == text)
    return;
  cell = text;
  invalidateRow(row);
}

int TStringGrid::VisibleRowCount() const {
  int height = ClientHeight() - fixedRows_ * (rowHeight_ + kLine);
  return std::max(0, height / (rowHeight_ + kLine));
}

int TStringGrid::maxTopRow() const {
  return std::max(fixedRows_, rowCount_ - std::max(1, VisibleRowCount()));
}

void TStringGrid::SetTopRow(int row) {
  row = std::clamp(row, fixedRows_, maxTopRow());
  if (row == topRow_)
    return;
  topRow_ = row;
  updateScrollBar();
  Invalidate();
  if (OnTopLeftChanged)
    OnTopLeftChanged(this);
}

// Columns wholly on screen from the left column on; at least one.
int TStringGrid::visibleColCount() const {
  int width = ClientWidth();
  int count = 0;
  for (int col = leftCol_, x = 0; col < ColCount(); ++col) {
    x += colWidths_[col] + kLine;
    if (x > width)
      break;
    ++count;
  }
  return std::max(1, count);
}

// The left column that shows the last column whole: from it to the end, the columns fit.
int TStringGrid::maxLeftCol() const {
  int width = ClientWidth();
  int col = ColCount();
  for (int x = 0; col > 0; --col) {
    x += colWidths_[col - 1] + kLine;
    if (x > width)
      break;
  }
  return std::min(col, ColCount() - 1);
}

void TStringGrid::SetLeftCol(int col) {
  col = std::clamp(col, 0, std::max(0, maxLeftCol()));
  if (col == leftCol_)
    return;
  leftCol_ = col;
  updateScrollBar();
  Invalidate();
  if (OnTopLeftChanged)
    OnTopLeftChanged(this);
}

void TStringGrid::SetRow(int row) {
  row = std::clamp(row, fixedRows_, rowCount_ - 1);
  if (row != row_) {
    invalidateRow(row_);
    row_ = row;
    invalidateRow(row_);
  }
  int visible = std::max(1, VisibleRowCount());
  if (row_ < topRow_)
    SetTopRow(row_);
  else if (row_ >= topRow_ + visible)
    SetTopRow(row_ - visible + 1);
}

int TStringGrid::rowTop(int row) const {
  if (row < fixedRows_)
    return row * (rowHeight_ + kLine);
  return (fixedRows_ + row - topRow_) * (rowHeight_ + kLine);
}

int TStringGrid::RowAt(int y) const {
  int slot = y / (rowHeight_ + kLine);
  if (y < 0)
    return -1;
  int row = slot < fixedRows_ ? slot : topRow_ + slot - fixedRows_;
  return row < rowCount_ ? row : -1;
}

void TStringGrid::invalidateRow(int row) {
  if (!Handle() || (row >= fixedRows_ && row < topRow_))
    return;
  RECT rect{0, rowTop(row), ClientWidth(), rowTop(row) + rowHeight_ + kLine};
  if (rect.top < ClientHeight())
    InvalidateRect(Handle(), &rect, FALSE);
}

void TStringGrid::updateScrollBar() {
  if (!Handle())
    return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = rowCount_ - fixedRows_ - 1;
  info.nPage = static_cast<UINT>(std::max(1, VisibleRowCount()));
  info.nPos = topRow_ - fixedRows_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  // Across: the bar shows only while the columns do not fit (a page as large as the range hides it).
  SCROLLINFO across{};
  across.cbSize = sizeof across;
  across.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  across.nMax = ColCount() - 1;
  across.nPage = static_cast<UINT>(maxLeftCol() == 0 ? ColCount() : visibleColCount());
  across.nPos = leftCol_;
  SetScrollInfo(Handle(), SB_HORZ, &across, TRUE);
}

void TStringGrid::drawRow(TCanvas& canvas, int row, int y) {
  bool fixed = row < fixedRows_;
  bool selected = row == row_;
  TColor back = fixed ? clBtnFace() : selected ? clHighlight() : Color();
  TColor text = selected && !fixed ? clHighlightText() : Font().Color();
  int x = 0;
  for (int col = leftCol_; col < ColCount() && x < ClientWidth(); ++col) {
    RECT cell{x, y, x + colWidths_[col], y + rowHeight_};
    canvas.FillRect(cell, back);
    if (fixed)
      DrawEdge(canvas.Handle(), &cell, BDR_RAISEDINNER, BF_RECT);
    RECT inner{cell.left + 2, cell.top + 2, cell.right - 2, cell.bottom};
    canvas.DrawText(Cell(col, row), inner, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, Font(), text);
    canvas.FrameLine(cell.right, cell.top, cell.right, cell.bottom + kLine, kLineColor);
    canvas.FrameLine(cell.left, cell.bottom, cell.right + kLine, cell.bottom, kLineColor);
    if (OnDrawCell)
      OnDrawCell(this, col, row, cell);
    x += colWidths_[col] + kLine;
  }
}

void TStringGrid::Paint(TCanvas& canvas) {
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  canvas.FillRect(client, Color());
  for (int row = 0; row < fixedRows_; ++row)
    drawRow(canvas, row, rowTop(row));
  // The rows on screen, the partly visible last one included; nothing beyond.
  for (int row = topRow_; row < rowCount_; ++row) {
    int y = rowTop(row);
    if (y >= client.bottom)
      break;
    drawRow(canvas, row, y);
  }
}

bool TStringGrid::EraseBackground(HDC) { return true; }

void TStringGrid::Resized() {
  // A wider grid may show every column again.
  if (leftCol_ > maxLeftCol())
    SetLeftCol(maxLeftCol());
  updateScrollBar();
  TControl::Resized();
}

void TStringGrid::scroll(int code) {
  wincore::ScrollRange range{std::max(1, VisibleRowCount()), fixedRows_, rowCount_};
  if (auto row = wincore::scrollRequest(Handle(), SB_VERT, code, topRow_, range))
    SetTopRow(*row);
}

void TStringGrid::scrollAcross(int code) {
  if (auto col =
          wincore::scrollRequest(Handle(), SB_HORZ, code, leftCol_, {visibleColCount(), 0, ColCount()}))
    SetLeftCol(*col);
}

void TStringGrid::keyDown(int key) {
  int page = std::max(1, VisibleRowCount());
  switch (key) {
  case VK_UP:
    SetRow(row_ - 1);
    break;
  case VK_DOWN:
    SetRow(row_ + 1);
    break;
  case VK_PRIOR:
    SetTopRow(topRow_ - page);
    SetRow(row_ - page);
    break;
  case VK_NEXT:
    SetTopRow(topRow_ + page);
    SetRow(row_ + page);
    break;
  case VK_HOME:
    SetRow(fixedRows_);
    break;
  case VK_END:
    SetRow(rowCount_ - 1);
    break;
  }
}

bool TStringGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
  case WM_GETDLGCODE:
    result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    return true;
  case WM_VSCROLL:
    scroll(LOWORD(wParam));
    return true;
  case WM_HSCROLL:
    scrollAcross(LOWORD(wParam));
    return true;
  case WM_MOUSEWHEEL:
    SetTopRow(topRow_ - wheel_.add(GET_WHEEL_DELTA_WPARAM(wParam)));
    return true;
  case WM_KEYDOWN:
    keyDown(static_cast<int>(wParam));
    return true;
  case WM_LBUTTONDOWN: {
    SetFocus();
    int row = RowAt(GET_Y_LPARAM(lParam));
    if (row >= fixedRows_)
      SetRow(row);
    return true;
  }
  }
  return TControl::HandleMessage(message, wParam, lParam, result);
}

} // namespace formlib
