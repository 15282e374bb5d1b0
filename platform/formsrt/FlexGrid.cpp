#include <formsrt/FlexGrid.h>

#include <formsrt/Form.h>
#include <wincore/Drawing.h>
#include <wincore/Scrolling.h>

#include <algorithm>

namespace formsrt {

namespace {

const char kGridClass[] = "FormsRtFlexGrid";

UINT drawFlags(int alignment) {
  static const UINT horizontal[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  static const UINT vertical[3] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
  if (alignment < 0 || alignment > 8)
    return DT_LEFT | DT_VCENTER;
  return horizontal[alignment / 3] | vertical[alignment % 3];
}

using wincore::drawLine;

// The margin between a cell's edge and its text, in pixels.
const int kTextInsetX = 2;
const int kTextInsetY = 1;

} // namespace

FlexGrid::FlexGrid(Container& parent, std::string name, int left, int top, int width, int height, int rows,
                   int cols, int fixedRows, int fixedCols)
    : Control(parent, std::move(name), left, top, width, height),
      FlexGridModel(rows, cols, fixedRows, fixedCols) {
  changed = [this] { onModelChanged(); };
}

HWND FlexGrid::createWindow(HWND parent, const RECT& r) {
  HWND hwnd = createOwn(kGridClass, CS_DBLCLKS, WS_EX_CLIENTEDGE, "",
                        commonStyle() | WS_TABSTOP | (ScrollBars & 2 ? WS_VSCROLL : 0) |
                            (ScrollBars & 1 ? WS_HSCROLL : 0),
                        r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id())));
  updateScrollBar();
  return hwnd;
}

std::vector<int> FlexGrid::shownColumns() const {
  std::vector<int> columns;
  for (int col = 0; col < FixedCols(); ++col)
    columns.push_back(col);
  for (int col = LeftCol(); col < Cols(); ++col)
    columns.push_back(col);
  return columns;
}

// The left edge of a shown column, -1 for a column scrolled out of view.
int FlexGrid::columnX(int col) const {
  int x = 0;
  for (int shown : shownColumns()) {
    if (shown == col)
      return x;
    x += twipsToPixelsX(ColWidth(shown));
  }
  return col >= Cols() ? x : -1;
}

void FlexGrid::ensureColumnVisible(int col) {
  if (col < FixedCols())
    return;
  if (col < LeftCol()) {
    setLeftCol(col);
    return;
  }
  RECT client;
  GetClientRect(hwnd(), &client);
  while (LeftCol() < col && columnX(col) + twipsToPixelsX(ColWidth(col)) > client.right)
    setLeftCol(LeftCol() + 1);
}

int FlexGrid::fittingRows() const {
  if (!hwnd())
    return 0;
  RECT client;
  GetClientRect(hwnd(), &client);
  int height = client.bottom;
  for (int row = 0; row < FixedRows() && row < Rows(); ++row)
    height -= twipsToPixelsY(RowHeight(row));
  int rowHeight = twipsToPixelsY(Rows() > FixedRows() ? RowHeight(FixedRows()) : 240);
  return std::max(1, rowHeight > 0 ? height / rowHeight : 1);
}

RECT FlexGrid::cellRect(int row, int col) const {
  RECT none{0, 0, 0, 0};
  if (!hwnd() || row < 0 || row >= Rows() || col < 0 || col >= Cols() || columnX(col) < 0)
    return none;
  RECT client;
  GetClientRect(hwnd(), &client);
  int y = 0;
  auto place = [&](int r) {
    int h = twipsToPixelsY(RowHeight(r));
    int x = columnX(col);
    RECT cell{x, y, x + twipsToPixelsX(ColWidth(col)), y + h};
    y += h;
    return cell;
  };
  for (int r = 0; r < FixedRows(); ++r) {
    RECT cell = place(r);
    if (r == row)
      return cell;
  }
  if (row < TopRow())
    return none;
  for (int r = TopRow(); r < Rows() && y < client.bottom; ++r) {
    RECT cell = place(r);
    if (r == row)
      return cell;
  }
  return none;
}

SIZE FlexGrid::cellPixelsFor(const std::string& text) const {
  HDC dc = GetDC(nullptr);
  HFONT font = Form::makeFont(FontName, FontSize > 0 ? FontSize : 8, FontBold, FontItalic);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE extent{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  // paintCell draws the text inside the cell less kTextInsetX at each side and kTextInsetY above and
  // below; the grid lines lie in that margin.
  return SIZE{extent.cx + 2 * kTextInsetX, std::max<LONG>(extent.cy, metrics.tmHeight) + 2 * kTextInsetY};
}

bool FlexGrid::hitTest(int x, int y, int& row, int& col) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  col = -1;
  int left = 0;
  for (int c : shownColumns()) {
    int right = left + twipsToPixelsX(ColWidth(c));
    if (x >= left && x < right)
      col = c;
    left = right;
  }
  row = -1;
  int top = 0;
  auto test = [&](int r) {
    int bottom = top + twipsToPixelsY(RowHeight(r));
    if (y >= top && y < bottom)
      row = r;
    top = bottom;
  };
  for (int r = 0; r < FixedRows(); ++r)
    test(r);
  for (int r = TopRow(); r < Rows() && top < client.bottom; ++r)
    test(r);
  return row >= 0 && col >= 0;
}

void FlexGrid::paintCell(HDC dc, int row, int col, const RECT& r) {
  bool fixed = row < FixedRows() || col < FixedCols();
  bool current = row == Row() && col == Col();
  // The current cell shows the selection's colours unless the focus rectangle marks it: a grid that
  // never has the focus (a calendar showing today) still shows its selected cell.
  bool hasFocus = GetFocus() == hwnd();
  bool focused = current && hasFocus;
  bool showSelection = HighLight == 1 || (HighLight == 2 && hasFocus);
  bool selected = showSelection && !fixed && !focused && isSelected(row, col);
  COLORREF back = fixed ? BackColorFixed : BackColor;
  COLORREF fore = fixed ? ForeColorFixed : ForeColor;
  if (!fixed && cellBack(row, col))
    back = cellBack(row, col);
  if (!fixed && cellFore(row, col))
    fore = cellFore(row, col);
  if (selected) {
    back = BackColorSel;
    fore = ForeColorSel;
  }
  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  const std::string& text = TextMatrix(row, col);
  if (!text.empty()) {
    RECT inside{r.left + kTextInsetX, r.top + kTextInsetY, r.right - kTextInsetX, r.bottom - kTextInsetY};
    SetTextColor(dc, fore);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inside,
              drawFlags(alignmentOf(row, col)) | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
  if (fixed) {
    drawLine(dc, r.left, r.bottom - 1, r.left, r.top, GetSysColor(COLOR_BTNHIGHLIGHT));
    drawLine(dc, r.left, r.top, r.right - 1, r.top, GetSysColor(COLOR_BTNHIGHLIGHT));
    drawLine(dc, r.right - 1, r.top, r.right - 1, r.bottom - 1, GetSysColor(COLOR_BTNSHADOW));
    drawLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, GetSysColor(COLOR_BTNSHADOW));
  } else if (GridLines == 1) {
    drawLine(dc, r.right - 1, r.top, r.right - 1, r.bottom, RGB(192, 192, 192));
    drawLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, RGB(192, 192, 192));
  } else if (GridLines == 2) {
    drawLine(dc, r.right - 1, r.top, r.right - 1, r.bottom, GetSysColor(COLOR_BTNSHADOW));
    drawLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, GetSysColor(COLOR_BTNSHADOW));
    drawLine(dc, r.left, r.bottom - 2, r.left, r.top, GetSysColor(COLOR_BTNHIGHLIGHT));
    drawLine(dc, r.left, r.top, r.right - 1, r.top, GetSysColor(COLOR_BTNHIGHLIGHT));
  }
  if (focused && !fixed) {
    RECT focus{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    DrawFocusRect(dc, &focus);
  }
}

void FlexGrid::paint(HDC dc) {
  if (scrollBarStale_)
    updateScrollBar();
  RECT client;
  GetClientRect(hwnd(), &client);
  HFONT font = Form::makeFont(FontName, FontSize > 0 ? FontSize : 8, FontBold, FontItalic);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  int y = 0;
  int right = columnX(Cols());
  auto paintRow = [&](int row) {
    int h = twipsToPixelsY(RowHeight(row));
    int x = 0;
    for (int col : shownColumns()) {
      if (x >= client.right)
        break;
      int w = twipsToPixelsX(ColWidth(col));
      paintCell(dc, row, col, RECT{x, y, x + w, y + h});
      x += w;
    }
    y += h;
  };
  for (int row = 0; row < FixedRows() && y < client.bottom; ++row)
    paintRow(row);
  for (int row = TopRow(); row < Rows() && y < client.bottom; ++row)
    paintRow(row);
  HBRUSH empty = GetSysColorBrush(COLOR_APPWORKSPACE);
  RECT below{0, y, client.right, client.bottom};
  FillRect(dc, &below, empty);
  RECT beside{right, 0, client.right, y};
  FillRect(dc, &beside, empty);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}

void FlexGrid::updateScrollBar() {
  if (!hwnd() || updatingScroll_)
    return;
  updatingScroll_ = true;
  scrollBarStale_ = false;
  setVisibleRows(fittingRows());
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = FixedRows();
  info.nMax = std::max(FixedRows(), Rows() - 1);
  info.nPage = static_cast<UINT>(fittingRows());
  info.nPos = TopRow();
  if (ScrollBars & 2)
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
  RECT client;
  GetClientRect(hwnd(), &client);
  int totalWidth = 0;
  for (int col = 0; col < Cols(); ++col)
    totalWidth += twipsToPixelsX(ColWidth(col));
  SCROLLINFO across{};
  across.cbSize = sizeof across;
  across.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  across.nMin = FixedCols();
  across.nMax = std::max(FixedCols(), Cols() - 1);
  // All columns fit: a page as large as the range hides the bar.
  across.nPage = totalWidth <= client.right ? static_cast<UINT>(across.nMax - across.nMin + 1) : 1;
  across.nPos = LeftCol();
  if (ScrollBars & 1)
    SetScrollInfo(hwnd(), SB_HORZ, &across, TRUE);
  updatingScroll_ = false;
}

// Changes come many at a time (a whole list is loaded cell by cell), so the scroll bar is brought up to
// date when the grid next paints.
void FlexGrid::onModelChanged() {
  if (!hwnd())
    return;
  scrollBarStale_ = true;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void FlexGrid::Refresh() {
  if (!hwnd())
    return;
  updateScrollBar();
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

void FlexGrid::ensureVisible(int row) {
  if (row < FixedRows())
    return;
  if (row < TopRow())
    setTopRow(row);
  else if (row >= TopRow() + fittingRows())
    setTopRow(row - fittingRows() + 1);
}

void FlexGrid::onKey(int key) {
  bool extend = GetKeyState(VK_SHIFT) < 0;
  int row = extend ? RowSel() : Row();
  int col = extend ? ColSel() : Col();
  int page = fittingRows();
  switch (key) {
  case VK_UP:
    --row;
    break;
  case VK_DOWN:
    ++row;
    break;
  case VK_LEFT:
    --col;
    break;
  case VK_RIGHT:
    ++col;
    break;
  case VK_PRIOR:
    row -= page;
    break;
  case VK_NEXT:
    row += page;
    break;
  case VK_HOME:
    col = FixedCols();
    if (GetKeyState(VK_CONTROL) < 0)
      row = FixedRows();
    break;
  case VK_END:
    col = Cols() - 1;
    if (GetKeyState(VK_CONTROL) < 0)
      row = Rows() - 1;
    break;
  default:
    return;
  }
  if (Rows() <= FixedRows() || Cols() <= FixedCols())
    return;
  row = std::clamp(row, FixedRows(), Rows() - 1);
  col = std::clamp(col, FixedCols(), Cols() - 1);
  if (extend) {
    setRowSel(row);
    setColSel(col);
  } else {
    setRow(row);
    setCol(col);
  }
  ensureVisible(row);
  ensureColumnVisible(col);
  fire(SelChange);
}

void FlexGrid::onScroll(int code) {
  if (auto row = wincore::scrollRequest(hwnd(), SB_VERT, code, TopRow(), {fittingRows(), 0, Rows()}))
    setTopRow(*row);
}

// Across, a page is one column, as a line is.
void FlexGrid::onScrollAcross(int code) {
  if (auto col = wincore::scrollRequest(hwnd(), SB_HORZ, code, LeftCol(), {1, 0, Cols()}))
    setLeftCol(*col);
}

LRESULT FlexGrid::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT:
  case WM_PRINTCLIENT:
    wincore::paintMessage(hwnd(), message, wParam, [this](HDC dc) { paint(dc); });
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_SIZE:
    updateScrollBar();
    break;
  case WM_GETDLGCODE:
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    InvalidateRect(hwnd(), nullptr, FALSE);
    break;
  case WM_KEYDOWN: {
    Control::handleMessage(message, wParam, lParam);
    if (hwnd())
      onKey(static_cast<int>(wParam));
    return 0;
  }
  case WM_LBUTTONDOWN: {
    SetFocus();
    int row, col;
    int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    if (hitTest(x, y, row, col) && row >= FixedRows() && col >= FixedCols()) {
      if (wParam & MK_SHIFT) {
        setRowSel(row);
        setColSel(col);
      } else {
        setRow(row);
        setCol(col);
      }
      dragging_ = true;
      SetCapture(hwnd());
      fire(SelChange);
    }
    return 0;
  }
  case WM_MOUSEMOVE:
    if (dragging_) {
      int row, col;
      int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
      if (hitTest(x, y, row, col) && row >= FixedRows() && col >= FixedCols() &&
          (row != RowSel() || col != ColSel())) {
        setRowSel(row);
        setColSel(col);
        fire(SelChange);
      }
    }
    return 0;
  case WM_LBUTTONUP:
    if (dragging_) {
      dragging_ = false;
      ReleaseCapture();
      fire(Click);
    }
    return 0;
  case WM_VSCROLL:
    onScroll(LOWORD(wParam));
    return 0;
  case WM_HSCROLL:
    onScrollAcross(LOWORD(wParam));
    return 0;
  case WM_MOUSEWHEEL:
    setTopRow(TopRow() - wheel_.add(GET_WHEEL_DELTA_WPARAM(wParam)));
    return 0;
  }
  return Control::handleMessage(message, wParam, lParam);
}

} // namespace formsrt
