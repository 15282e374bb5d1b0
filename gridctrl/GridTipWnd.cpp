#include <gridctrl/GridTipWnd.h>

#include <gridctrl/GridCtrl.h>

#include <algorithm>

BEGIN_MESSAGE_MAP(CGridTipWnd, CWnd)
ON_WM(WM_PAINT, OnPaint)
ON_WM(WM_PRINTCLIENT, OnPrintClient)
ON_WM(WM_ERASEBKGND, OnEraseBkgnd)
END_MESSAGE_MAP()

namespace {

SIZE MeasureIn(HFONT font, const char* text, int length) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE size{};
  GetTextExtentPoint32A(dc, text, length, &size);
  if (old)
    SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

} // namespace

void CGridTipWnd::SetText(const char* text) {
  m_text = text;
  if (m_hWnd && IsWindowVisible())
    Invalidate(false);
}

void CGridTipWnd::SetColors(COLORREF text, COLORREF background) {
  m_textColour = text;
  m_background = background;
}

void CGridTipWnd::SetFont(HFONT font) {
  m_font = font;
  m_lineHeight = MeasureIn(font, "X", 1).cy + 3;
}

int CGridTipWnd::LineHeight() {
  if (!m_lineHeight)
    m_lineHeight = MeasureIn(m_font, "X", 1).cy;
  return m_lineHeight;
}

int CGridTipWnd::TextWidth() { return MeasureIn(m_font, m_text, m_text.GetLength()).cx; }

void CGridTipWnd::ShowAt(int x, int y, int minWidth) {
  const int width = std::max(minWidth, TextWidth() + 4);
  const int height = LineHeight();
  int left = x;
  if (m_placement & kAlignCentre)
    left = x - width / 2;
  else if (m_placement & kAlignRight)
    left = x - width;
  int top = y;
  if (m_placement & kAlignMiddle)
    top = y - height / 2;
  else if (m_placement & kAlignBottom)
    top = y - height;
  const CRect grid = m_pGrid->GetClientRect();
  left = std::max(0, std::min<int>(left, grid.right - width));
  top = std::max(0, std::min<int>(top, grid.bottom - height));
  SetWindowPos(m_hWnd, HWND_TOP, left, top, width, height, SWP_NOACTIVATE);
  Show();
  Invalidate(false);
  UpdateWindow();
}

void CGridTipWnd::Show() {
  if (!IsWindowVisible())
    ShowWindow(SW_SHOWNA);
}

void CGridTipWnd::Hide() {
  if (m_hWnd)
    ShowWindow(SW_HIDE);
}

void CGridTipWnd::Paint(CDC* dc) {
  const CRect client = GetClientRect();
  HGDIOBJ oldPen = dc->SelectObject(GetStockObject(BLACK_PEN));
  HGDIOBJ oldBrush = dc->SelectObject(GetStockObject(NULL_BRUSH));
  Rectangle(*dc, client.left, client.top, client.right, client.bottom);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
  CRect inside = client;
  inside.DeflateRect(1, 1);
  HGDIOBJ oldFont = m_font ? dc->SelectObject(m_font) : nullptr;
  dc->SetTextColor(m_textColour);
  dc->SetBkColor(m_background);
  dc->ExtTextOut(3, 2, ETO_OPAQUE | ETO_CLIPPED, &inside, m_text, m_text.GetLength());
  if (oldFont)
    dc->SelectObject(oldFont);
}

void CGridTipWnd::OnPaint() {
  CPaintDC dc(this);
  Paint(&dc);
}

void CGridTipWnd::OnPrintClient(HDC hdc, UINT) {
  CDC dc;
  dc.Attach(hdc);
  Paint(&dc);
}
