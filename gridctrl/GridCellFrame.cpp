#include <gridctrl/GridCellFrame.h>

namespace {

// Lines per side from the bits; the most lines named for a side win.
int LinesOn(int style, int side) {
  if (style & (kFrameTripleLeft << side))
    return 3;
  if (style & (kFrameDoubleLeft << side))
    return 2;
  if (style & (kFrameLeft << side))
    return 1;
  return 0;
}

void Line(CDC* dc, int x1, int y1, int x2, int y2) {
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

} // namespace

CRect GridFrameInsets(int style, int frameInset) {
  if (style <= 0)
    return CRect();
  CRect insets(LinesOn(style, 0), LinesOn(style, 1), LinesOn(style, 2), LinesOn(style, 3));
  int edge = (style & kFramePressed) ? frameInset : ((style & kFrameRaised) ? 1 : 0);
  insets.left += edge;
  insets.top += edge;
  insets.right += edge;
  insets.bottom += edge;
  return insets;
}

CRect DrawGridFrame(CDC* dc, const CRect& rect, const CGridCell& cell, const CGridFramePens& pens,
                    int frameInset) {
  const int style = cell.m_nFrameStyle;
  if (style <= 0)
    return rect;
  HGDIOBJ oldPen =
      dc->SelectObject(cell.m_hPen ? static_cast<HGDIOBJ>(cell.m_hPen) : GetStockObject(BLACK_PEN));
  const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
  for (int i = 0; i < LinesOn(style, 0); ++i)
    Line(dc, l + i, t, l + i, b + 1);
  for (int i = 0; i < LinesOn(style, 1); ++i)
    Line(dc, l, t + i, r + 1, t + i);
  for (int i = 0; i < LinesOn(style, 2); ++i)
    Line(dc, r - i, t, r - i, b + 1);
  for (int i = 0; i < LinesOn(style, 3); ++i)
    Line(dc, l, b - i, r + 1, b - i);
  CRect insets = GridFrameInsets(style, frameInset);
  CRect inner(rect.left + insets.left, rect.top + insets.top, rect.right - insets.right,
              rect.bottom - insets.bottom);
  if (style & (kFramePressed | kFrameRaised)) {
    // The 3-D edge sits just inside the plain lines.
    int el = l + LinesOn(style, 0), et = t + LinesOn(style, 1);
    int er = r - LinesOn(style, 2), eb = b - LinesOn(style, 3);
    bool pressed = (style & kFramePressed) != 0;
    dc->SelectObject(pressed ? pens.shadow : pens.light);
    Line(dc, el, eb, el, et);
    Line(dc, el, et, er + 1, et);
    dc->SelectObject(pressed ? pens.light : pens.shadow);
    Line(dc, el, eb, er + 1, eb);
    Line(dc, er, et, er, eb);
  }
  dc->SelectObject(oldPen);
  return inner;
}

void DrawGridButton(CDC* dc, const CRect& rect, bool pressed, const CGridFramePens& pens) {
  dc->FillSolidRect(rect, GetSysColor(COLOR_BTNFACE));
  if (rect.Width() < 2 || rect.Height() < 2)
    return;
  const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
  HGDIOBJ old = dc->SelectObject(pressed ? pens.shadow : pens.light);
  Line(dc, l, b, l, t);
  Line(dc, l, t, r + 1, t);
  dc->SelectObject(pressed ? pens.light : pens.shadow);
  Line(dc, l, b, r + 1, b);
  Line(dc, r, t, r, b);
  dc->SelectObject(old);
}

void DrawGridTriangle(CDC* dc, const CRect& rect, bool up) {
  const int cx = (rect.left + rect.right) / 2;
  const int top = (rect.top + rect.bottom) / 2 - 1;
  HGDIOBJ old = dc->SelectObject(GetStockObject(BLACK_PEN));
  for (int i = 0; i < 3; ++i) {
    const int half = up ? i : 2 - i; // rows 1, 3, 5 wide pointing up; 5, 3, 1 pointing down
    Line(dc, cx - half, top + i, cx + half + 1, top + i);
  }
  dc->SelectObject(old);
}
