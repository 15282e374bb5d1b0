#include <gridctrl/GridFaceCellTypes.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

const int kLargestFont = 500;
const size_t kMostFitted = 4096; // sizes kept; more are forgotten all at once
const int kSmallestFont = 2;

struct Colours {
  COLORREF text;
  COLORREF background;
};

Colours ColoursFor(const CGridCell& cell, BOOL selected, BOOL current, const CGridDims* dims) {
  const bool selectedLook = selected || (current && dims && (dims->curCellStyle & 2));
  return selectedLook ? Colours{cell.m_crSelText, cell.m_crSelBk} : Colours{cell.m_crText, cell.m_crBk};
}

// A triangle pointing right (or left) filling `box`.
void Arrow(CDC* dc, const CRect& box, bool right) {
  const int mid = (box.top + box.bottom) / 2;
  const POINT points[3] = {right ? POINT{box.left, box.top} : POINT{box.right, box.top},
                           right ? POINT{box.left, box.bottom} : POINT{box.right, box.bottom},
                           right ? POINT{box.right, mid} : POINT{box.left, mid}};
  dc->Polygon(points, 3);
}

} // namespace

int CGridCellType4::WidthAt(CDC* dc, const char* face, const CString& text, int height) {
  return m_fonts.TextWidth(*dc, face, height, text, text.GetLength());
}

int CGridCellType4::FittedHeight(CDC* dc, const char* face, const CString& text, int width, int limit) {
  // Widths grow with the height: when one step above the limit still fits, the search below would end
  // above the limit, which then decides.
  if (limit < kLargestFont && WidthAt(dc, face, text, limit + 1) <= width)
    return std::max(kSmallestFont, limit);
  const int length = std::max(1, text.GetLength());
  int height = std::max(1, width * 3 / (2 * length));
  const int measured = WidthAt(dc, face, text, height);
  if (measured > 0)
    height = std::max(1, std::min(kLargestFont, MulDiv(height, width, measured)));
  while (height < kLargestFont && WidthAt(dc, face, text, height) < width)
    ++height;
  while (height > 1 && WidthAt(dc, face, text, height) > width)
    --height;
  --height;
  return std::max(kSmallestFont, std::min(height, limit));
}

void CGridCellType4::Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) {
  const CString& text = (m_bDisplayText || (cell.m_nTypeFlags > 0 && (cell.m_nTypeFlags & 8)))
                            ? cell.m_strDisplay
                            : cell.m_strText;
  if (text.GetLength() == 0) {
    dc->FillSolidRect(rect, ColoursFor(cell, selected, current, m_pDims).background);
    return;
  }
  char face[LF_FACESIZE] = "";
  HGDIOBJ base =
      dc->SelectObject(FontFor(cell) ? FontFor(cell) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  GetTextFaceA(*dc, sizeof face, face);
  const int limit = std::max(kSmallestFont, rect.Height());
  const std::string key = std::string(face) + '\n' + static_cast<const char*>(text) + '\n' +
                          std::to_string(rect.Width()) + '\n' + std::to_string(limit);
  auto found = m_fitted.find(key);
  if (found == m_fitted.end()) {
    if (m_fitted.size() >= kMostFitted)
      m_fitted.clear();
    found = m_fitted.emplace(key, FittedHeight(dc, face, text, rect.Width(), limit)).first;
  }
  const int height = found->second;
  dc->SelectObject(base);
  CGridCell copy(cell);
  copy.m_hFont = m_fonts.Get(face, height);
  CGridCellType::Draw(dc, rect, copy, selected, current);
}

void CGridCellType5::Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL, BOOL) {
  const long value = std::max(0L, std::min(100L, std::strtol(cell.m_strText, nullptr, 10)));
  char label[32];
  if (cell.m_nTypeFlags == 1)
    lstrcpynA(label, cell.m_strDisplay, sizeof label);
  else
    std::snprintf(label, sizeof label, "%% %ld", value);
  const Colours normal = ColoursFor(cell, FALSE, FALSE, m_pDims);
  const Colours bar{cell.m_crSelText, cell.m_crSelBk};
  dc->FillSolidRect(rect, normal.background);
  const CRect inside(rect.left, rect.top + 1, rect.right, rect.bottom - 1);
  const int split = inside.left + static_cast<int>(inside.Width() * value / 100);
  HFONT font = FontFor(cell);
  HGDIOBJ old = font ? dc->SelectObject(font) : nullptr;
  const int length = lstrlenA(label);
  const CSize extent = dc->GetTextExtent(label, length);
  const int x = inside.left + (inside.Width() - extent.cx) / 2;
  const int y = inside.top + (inside.Height() - extent.cy) / 2;
  const CRect parts[2] = {CRect(inside.left, inside.top, split, inside.bottom),
                          CRect(split, inside.top, inside.right, inside.bottom)};
  const Colours colours[2] = {bar, normal};
  for (int i = 0; i < 2; ++i) {
    if (parts[i].Width() <= 0)
      continue;
    dc->SetTextColor(colours[i].text);
    dc->SetBkColor(colours[i].background);
    dc->ExtTextOut(x, y, ETO_OPAQUE | ETO_CLIPPED, &parts[i], label, length);
  }
  if (old)
    dc->SelectObject(old);
}

void CGridCellType8::Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) {
  // An arrow face shows the selected colours on the current cell whatever the current-cell style says.
  const Colours colours =
      (selected || current) ? Colours{cell.m_crSelText, cell.m_crSelBk} : Colours{cell.m_crText, cell.m_crBk};
  dc->FillSolidRect(rect, colours.background);
  if (rect.Width() <= 3)
    return;
  const int flags = cell.m_nTypeFlags;
  bool right, twice;
  if (flags <= 16) {
    right = true, twice = false;
  } else if (flags == 32) {
    right = false, twice = false;
  } else if (flags <= 64) {
    right = true, twice = true;
  } else if (flags == 128) {
    right = false, twice = true;
  } else {
    return;
  }
  const int side = std::max(2, std::min(rect.Width() / (twice ? 2 : 1), rect.Height()) / 2);
  const int width = twice ? 2 * side : side;
  const int left = rect.left + (rect.Width() - width) / 2;
  const int top = rect.top + (rect.Height() - side) / 2;
  CPen pen(PS_SOLID, 1, colours.text);
  CBrush brush(colours.text);
  HGDIOBJ oldPen = dc->SelectObject(pen);
  HGDIOBJ oldBrush = dc->SelectObject(brush);
  for (int i = 0; i < (twice ? 2 : 1); ++i) // a double arrow's halves stand a little apart
    Arrow(dc, CRect(left + i * side, top, left + (i + 1) * side - (twice ? 3 : 1), top + side), right);
  dc->SelectObject(oldBrush);
  dc->SelectObject(oldPen);
}
