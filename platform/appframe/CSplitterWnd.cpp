#include <appframe/CSplitterWnd.h>

#include <appframe/CDocument.h>
#include <appframe/CView.h>

#include <algorithm>

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM(WM_SIZE, OnSize)
ON_WM(WM_LBUTTONDOWN, OnLButtonDown)
ON_WM(WM_MOUSEMOVE, OnMouseMove)
ON_WM(WM_LBUTTONUP, OnLButtonUp)
ON_WM(WM_SETCURSOR, OnSetCursor)
ON_WM(WM_PAINT, OnPaint)
END_MESSAGE_MAP()

bool CSplitterWnd::CreateStatic(CWnd* parent, int rows, int, DWORD style, UINT id) {
  rows_.assign(static_cast<size_t>(rows), Row{});
  return Create(nullptr, "", style | WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), parent, id);
}

bool CSplitterWnd::CreateView(int row, int, const std::function<CView*()>& makeView, SIZE size,
                              CCreateContext* context) {
  CView* view = makeView();
  if (context && context->m_pCurrentDoc)
    context->m_pCurrentDoc->AddView(view);
  if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                    0xE900 + static_cast<UINT>(row) * 16)) {
    delete view;
    return false;
  }
  Row& r = rows_[static_cast<size_t>(row)];
  r.pane = view;
  r.ideal = size.cy;
  return true;
}

CWnd* CSplitterWnd::GetPane(int row, int) const { return rows_[static_cast<size_t>(row)].pane; }

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum) {
  Row& r = rows_[static_cast<size_t>(row)];
  r.ideal = ideal;
  r.minimum = minimum;
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const {
  const Row& r = rows_[static_cast<size_t>(row)];
  current = r.current;
  minimum = r.minimum;
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd || rows_.empty())
    return;
  CRect client = GetClientRect();
  int y = 0;
  for (size_t i = 0; i < rows_.size(); ++i) {
    Row& r = rows_[i];
    bool last = i + 1 == rows_.size();
    int left = client.Height() - y;
    int height = last ? left : std::min(r.ideal, std::max(0, left - kBarHeight));
    if (height < r.minimum)
      height = 0;
    r.current = height;
    if (r.pane) {
      r.pane->MoveWindow(0, y, client.Width(), height);
      r.pane->ShowWindow(height > 0 ? SW_SHOWNA : SW_HIDE);
    }
    y += height + (last ? 0 : kBarHeight);
  }
  Invalidate();
}

void CSplitterWnd::OnSize(UINT, int, int) { RecalcLayout(); }

int CSplitterWnd::BarAt(int y) const {
  int top = 0;
  for (size_t i = 0; i + 1 < rows_.size(); ++i) {
    top += rows_[i].current;
    if (y >= top && y < top + kBarHeight)
      return static_cast<int>(i);
    top += kBarHeight;
  }
  return -1;
}

int CSplitterWnd::RowTop(int row) const {
  int top = 0;
  for (int i = 0; i < row; ++i)
    top += rows_[static_cast<size_t>(i)].current + kBarHeight;
  return top;
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point) {
  dragging_ = BarAt(point.y);
  if (dragging_ < 0)
    return;
  // Where in the bar it was taken, so that the bar moves with the pointer without jumping.
  grabOffset_ = point.y - RowTop(dragging_) - rows_[static_cast<size_t>(dragging_)].current;
  SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point) {
  if (dragging_ < 0)
    return;
  rows_[static_cast<size_t>(dragging_)].ideal =
      std::max(0, static_cast<int>(point.y) - grabOffset_ - RowTop(dragging_));
  RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT flags, CPoint point) {
  if (dragging_ < 0)
    return;
  OnMouseMove(flags, point);
  dragging_ = -1;
  ReleaseCapture();
}

BOOL CSplitterWnd::OnSetCursor(HWND, UINT hitTest, UINT) {
  POINT point;
  GetCursorPos(&point);
  ScreenToClient(&point);
  if (hitTest == HTCLIENT && BarAt(point.y) >= 0) {
    SetCursor(LoadCursorA(nullptr, IDC_SIZENS));
    return TRUE;
  }
  return static_cast<BOOL>(Default());
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  dc.FillSolidRect(GetClientRect(), GetSysColor(COLOR_BTNFACE));
}
