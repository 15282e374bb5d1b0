#include <gridctrl/GridListCellType.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCtrl.h>

#include <algorithm>

namespace {

const UINT kListId = 123;
const int kListShift = 10;
const int kMostRows = 16;
const int kMissingFontHeight = 12;

// The height of a line of the font, as the list box gives each item; a font given by its character
// height has lines taller than that.
int LineHeight(HFONT font) {
  if (!font)
    return kMissingFontHeight;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  const bool measured = GetTextMetricsA(dc, &metrics) != FALSE;
  SelectObject(dc, old);
  DeleteDC(dc);
  return measured && metrics.tmHeight > 0 ? metrics.tmHeight : kMissingFontHeight;
}

} // namespace

CGridListCellType::CGridListCellType()
    : CGridCellType(2, false), m_nButtonWidth(GetSystemMetrics(SM_CXVSCROLL)), m_list(this) {}

std::vector<std::string> CGridListCellType::Items(const char* text) {
  std::vector<std::string> items;
  std::string line;
  for (const char* p = text; p && *p; ++p) {
    if (*p == '\n') {
      items.push_back(line);
      line.clear();
    } else {
      line += *p;
    }
  }
  return items;
}

CRect CGridListCellType::ButtonRect(const CRect& inner) const {
  return CRect(std::max<int>(inner.left, inner.right - m_nButtonWidth), inner.top, inner.right, inner.bottom);
}

BOOL CGridListCellType::AdjustEditRect(CRect& rect) {
  rect.right -= m_nButtonWidth + 1;
  return TRUE;
}

BOOL CGridListCellType::OnGridDestroy() {
  if (m_list.m_hWnd)
    m_list.DestroyWindow();
  return TRUE;
}

void CGridListCellType::Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) {
  const int flags = cell.m_nTypeFlags < 0 ? 0 : cell.m_nTypeFlags;
  const bool button = current || !(flags & kButtonOnCurrentOnly);
  if (!button) {
    CGridCellType::Draw(dc, rect, cell, selected, current);
    return;
  }
  const CRect face = ButtonRect(rect);
  CGridCellType::Draw(dc, CRect(rect.left, rect.top, std::max<int>(rect.left, face.left - 1), rect.bottom),
                      cell, selected, current);
  HGDIOBJ old = dc->SelectObject(GetStockObject(BLACK_PEN));
  dc->MoveTo(face.left - 1, rect.top); // the separator
  dc->LineTo(face.left - 1, rect.bottom);
  dc->SelectObject(old);
  const bool pressed =
      m_shown && m_pDims && m_nPressedCol == m_pDims->curCol && m_nPressedRow == m_pDims->curRow && current;
  DrawGridButton(dc, face, pressed, {m_pGrid->GetLightPen(), m_pGrid->GetShadowPen()});
  DrawGridTriangle(dc, face, false);
}

void CGridListCellType::Repaint(int col, int row) {
  if (col >= 0 && row >= 0)
    m_pGrid->RedrawCell(col, row);
}

int CGridListCellType::OnLButton(int col, int row, BOOL down, const CRect& rect, CPoint point) {
  if (!down) {
    const bool wasShown = m_shown;
    m_held = m_shown = false;
    if (wasShown)
      Repaint(col, row);
    return -1;
  }
  const bool swallow =
      m_nClosedCol == col && m_nClosedRow == row && m_nClosedPress == m_pGrid->GetBody()->PressNumber();
  m_nClosedCol = m_nClosedRow = m_nClosedPress = -1;
  if (m_nPressedCol == -2)
    m_nPressedCol = m_nPressedRow = -1;
  m_pGrid->GetMergedCell(col, row, &m_scratch);
  CGridCtrl::ApplyBuiltInDefaults(m_scratch);
  const CRect insets = GridFrameInsets(m_scratch.m_nFrameStyle, m_pDims->frameInset);
  const CRect inner(rect.left + insets.left, rect.top + insets.top, rect.right - insets.right,
                    rect.bottom - insets.bottom);
  const CRect button = ButtonRect(inner);
  if (!button.PtInRect(point))
    return -1;
  if (swallow)
    return -1; // the press that closed this list
  m_held = m_shown = true;
  m_heldButton = button;
  m_nPressedCol = col;
  m_nPressedRow = row;
  Repaint(col, row);
  OpenList(col, row);
  return -2;
}

int CGridListCellType::OnMouseMove(CPoint point, BOOL captured) {
  if (!captured || !m_held)
    return -1;
  const bool inside = m_heldButton.PtInRect(point) != 0;
  if (inside != m_shown) {
    m_shown = inside;
    Repaint(m_pDims->curCol, m_pDims->curRow);
  }
  return -1;
}

int CGridListCellType::OnKeyDown(UINT* key) {
  const bool open = *key == VK_RETURN || (*key == VK_DOWN && GetKeyState(VK_CONTROL) < 0);
  if (!open || m_pDims->rowCount == 0 || m_pDims->colCount == 0)
    return -1;
  *key = 0;
  OpenList(m_pDims->curCol, m_pDims->curRow);
  return -2;
}

void CGridListCellType::OpenList(int col, int row) {
  CGridBody* body = m_pGrid->GetBody();
  if (!body || !body->m_hWnd)
    return;
  if (m_list.m_hWnd)
    m_list.DestroyWindow();
  m_pGrid->GetMergedCell(col, row, &m_scratch);
  CString display = m_scratch.m_strDisplay;
  m_pGrid->OnCellNotify(2, col, row, 100, &display);
  const std::vector<std::string> items = Items(display);
  HFONT font = m_scratch.m_hFont ? m_scratch.m_hFont : m_pGrid->GetGridFont();
  CRect cell;
  m_pGrid->GetCellRect(col, row, &cell);
  const int rows = std::min(static_cast<int>(items.size()) + 1, kMostRows);
  const int height = rows * LineHeight(font) + 2;
  CRect place(cell.left + kListShift, cell.bottom, cell.right + kListShift, cell.bottom + height);
  const CRect client = body->GetClientRect();
  if (place.right > client.right)
    place.OffsetRect(client.right - place.right, 0);
  if (place.bottom > client.bottom)
    place.OffsetRect(0, client.bottom - place.bottom);
  if (place.left < 0)
    place.OffsetRect(-place.left, 0);
  if (place.top < 0)
    place.OffsetRect(0, -place.top);
  m_list.Open(m_pGrid, col, row);
  if (!m_list.Create(WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, place, body,
                     kListId))
    return;
  m_list.SetFont(font);
  for (const std::string& item : items)
    m_list.AddString(item.c_str());
  m_list.ShowWindow(SW_SHOW);
  m_list.SetFocus();
}
