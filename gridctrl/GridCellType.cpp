#include <gridctrl/GridCellType.h>

#include <gridctrl/GridCtrl.h>

#include <algorithm>

namespace {

const char kEllipsis[] = "...";

} // namespace

HFONT CGridCellType::FontFor(const CGridCell& cell) const {
  if (cell.m_hFont)
    return cell.m_hFont;
  return m_pGrid ? m_pGrid->GetGridFont() : nullptr;
}

int CGridCellType::DrawBitmap(CDC* dc, const CRect& rect, const CGridCell& cell, COLORREF background) {
  BITMAP info{};
  if (!cell.m_hBitmap || !GetObjectA(cell.m_hBitmap, sizeof info, &info) || info.bmHeight <= 0)
    return 0;
  int height = info.bmHeight;
  int width = info.bmWidth;
  const int room = rect.Height() - 4;
  if (room <= 0)
    return 0; // no room for any picture: it would be drawn over the neighbours
  if (height > room) {
    width = width * room / height;
    height = room;
  }
  width = std::max(0, std::min(width, rect.Width() - 4));
  dc->FillSolidRect(CRect(rect.left, rect.top, std::min<int>(rect.right, rect.left + width + 4), rect.bottom),
                    background);
  // The picture's background (its top-left colour) takes the cell's background, in a copy: the
  // caller's bitmap may be drawn in other cells with other backgrounds.
  m_pictures.Draw(*dc, cell.m_hBitmap, info.bmWidth, info.bmHeight, background,
                  CRect(rect.left + 2, rect.top + 2, rect.left + 2 + width, rect.top + 2 + height));
  return width + 4;
}

CPoint CGridCellType::TextOrigin(const CRect& area, CSize extent, int align) {
  int x = area.left + 3;
  if (align & kAlignCentre)
    x = area.left + (area.Width() - extent.cx) / 2;
  else if (align & kAlignRight)
    x = area.right - extent.cx - 3;
  int y = area.top + 1;
  if (align & kAlignMiddle)
    y = area.top + (area.Height() - extent.cy) / 2;
  else if (align & kAlignBottom)
    y = area.bottom - extent.cy - 1;
  return CPoint(x, y);
}

void CGridCellType::Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) {
  const int flags = cell.m_nTypeFlags < 0 ? 0 : cell.m_nTypeFlags;
  const CString& text = (m_bDisplayText || (flags & 8)) ? cell.m_strDisplay : cell.m_strText;
  HFONT font = FontFor(cell);
  HGDIOBJ oldFont = font ? dc->SelectObject(font) : nullptr;
  const bool selectedLook = selected || (current && m_pDims && (m_pDims->curCellStyle & 2));
  const COLORREF foreground = selectedLook ? cell.m_crSelText : cell.m_crText;
  const COLORREF background = selectedLook ? cell.m_crSelBk : cell.m_crBk;
  dc->SetTextColor(foreground);
  dc->SetBkColor(background);
  dc->SetBkMode(OPAQUE);

  CRect area = rect;
  area.left += DrawBitmap(dc, rect, cell, background);
  CSize extent = dc->GetTextExtent(text, text.GetLength());
  const int align = cell.m_nAlign < 0 ? 0 : cell.m_nAlign;
  const CPoint origin = TextOrigin(area, extent, align);
  const int x = origin.x, y = origin.y;

  if (flags & 2) {
    dc->FillSolidRect(area, background);
    UINT format = DT_WORDBREAK | DT_NOPREFIX |
                  ((align & kAlignCentre) ? DT_CENTER : ((align & kAlignRight) ? DT_RIGHT : DT_LEFT));
    CRect textRect = area;
    textRect.DeflateRect(3, 1);
    dc->DrawText(text, &textRect, format);
  } else if ((flags & 4) && area.Width() < extent.cx + 6) {
    CSize dots = dc->GetTextExtent(kEllipsis, 3);
    CRect clip = area;
    clip.right = std::max<int>(area.left, area.right - dots.cx - 3);
    dc->FillSolidRect(area, background);
    dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, &clip, text, text.GetLength());
    int dotsX = std::max<int>(clip.right, rect.left + 1);
    dc->ExtTextOut(dotsX, y, ETO_CLIPPED, &area, kEllipsis, 3);
  } else {
    dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, &area, text, text.GetLength());
  }
  if (oldFont)
    dc->SelectObject(oldFont);
}

void CGridCellType::DrawScaled(CDC* dc, const CRect& rect, const CGridCell& cell, int, int screenHeight) {
  LOGFONTA logFont{};
  HFONT base = FontFor(cell);
  if (!base)
    base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!GetObjectA(base, sizeof logFont, &logFont) || screenHeight <= 0) {
    Draw(dc, rect, cell, FALSE, FALSE);
    return;
  }
  logFont.lfHeight = MulDiv(logFont.lfHeight, rect.Height(), screenHeight);
  CFont scaled;
  scaled.CreateFontIndirect(&logFont);
  CGridCell copy(cell);
  copy.m_hFont = scaled;
  Draw(dc, rect, copy, FALSE, FALSE);
}

void CGridCellType::OnEnterCell(int col, int row, const CGridCell&) {
  m_nEnteredCol = col;
  m_nEnteredRow = row;
  m_bEntered = TRUE;
}

void CGridCellType::OnLeaveCell(int, int, const CGridCell&) { m_bEntered = FALSE; }

void CGridCellType::Measure(CDC* dc, int* width, int* height, const CGridCell& cell) {
  HFONT font = FontFor(cell);
  HGDIOBJ old = font ? dc->SelectObject(font) : nullptr;
  CSize extent = dc->GetTextExtent(cell.m_strText, cell.m_strText.GetLength());
  if (old)
    dc->SelectObject(old);
  *width = extent.cx;
  *height = extent.cy;
}
