#include <gridctrl/GridCtrl.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridScrollBars.h>
#include <gridctrl/GridTipWnd.h>

#include <algorithm>

namespace {

// Above this many rows no per-row height is kept.
const int kMaxRowTable = 63999;
// The most rows for which a per-row height table may be rebuilt.
const int kMaxRowTableRebuild = 64001;

} // namespace

// ---- Dimensions ----

int CGridCtrl::SetLayoutSize(int& measure, int size) {
  if (size < 0)
    return kGridNoSuch;
  measure = size;
  Layout();
  RedrawAll();
  return kGridOk;
}

int CGridCtrl::SetRowCountEx(int count, BOOL redraw) {
  if (count < 0)
    return kGridNoSuch;
  if (!m_dims.uniformRows && count > kMaxRowTable) {
    m_dims.uniformRows = true;
    std::vector<int>().swap(m_dims.rowHeights);
  }
  if (!m_dims.uniformRows)
    m_dims.rowHeights.resize(static_cast<size_t>(count), m_dims.defRowHeight);
  m_dims.rowCount = count;
  bool moved = false;
  if (count == 0) {
    m_dims.curRow = m_dims.prevCurRow = m_dims.topRow = m_dims.prevTopRow = 0;
  } else {
    m_dims.topRow = std::min(m_dims.topRow, count - 1);
    if (m_dims.curRow >= count) {
      m_dims.curRow = count - 1;
      moved = true;
    }
  }
  RecomputeLastTopRow();
  Layout();
  if (moved)
    Commit();
  if (redraw)
    RedrawAll();
  return kGridOk;
}

int CGridCtrl::SetColCountEx(int count, BOOL redraw) {
  if (count < 0)
    return kGridNoSuch;
  const size_t n = static_cast<size_t>(count);
  m_dims.colWidths.resize(n, m_dims.defColWidth);
  m_colDefaults.resize(n, m_defaultCell);
  m_colHeaders.resize(n, m_cornerCell);
  m_dims.colCount = count;
  bool moved = false;
  if (count == 0) {
    m_dims.curCol = m_dims.prevCurCol = m_dims.leftCol = m_dims.prevLeftCol = 0;
  } else if (m_dims.curCol >= count) {
    m_dims.curCol = count - 1;
    moved = true;
  }
  m_dims.leftCol = std::min(m_dims.leftCol, std::max(0, count - 1));
  RecomputeLastLeftCol();
  Layout();
  if (moved)
    Commit();
  if (redraw)
    RedrawAll();
  return kGridOk;
}

int CGridCtrl::SetColWidth(int col, int width) {
  if (col < 0 || col >= m_dims.colCount || width < 0)
    return kGridNoSuch;
  m_dims.colWidths[static_cast<size_t>(col)] = width;
  Layout();
  RedrawAll();
  return kGridOk;
}

int CGridCtrl::GetColWidth(int col, int* width) const {
  if (col < 0 || col >= m_dims.colCount)
    return kGridNoSuch;
  *width = m_dims.colWidths[static_cast<size_t>(col)];
  return kGridOk;
}

int CGridCtrl::FitColWidths(int first, int last) {
  if (first < 0 || last < first || last >= m_dims.colCount)
    return kGridNoSuch;
  const int client = m_body && m_body->m_hWnd ? m_body->GetClientRect().Width() : m_dims.bodyWidth;
  int sum = 0;
  for (int col = first; col <= last; ++col)
    sum += m_dims.colWidths[static_cast<size_t>(col)];
  // Columns all of width 0 share the width equally rather than dividing by nothing.
  const float scale = sum > 0 ? static_cast<float>(client) / static_cast<float>(sum) : 0.0f;
  const int equalShare = client / (last - first + 1);
  int used = 0;
  for (int col = first; col < last; ++col) {
    int& width = m_dims.colWidths[static_cast<size_t>(col)];
    width = sum > 0 ? static_cast<int>(static_cast<float>(width) * scale) : equalShare;
    used += width;
  }
  m_dims.colWidths[static_cast<size_t>(last)] = std::max(0, client - used);
  Layout();
  RedrawAll();
  return kGridOk;
}

int CGridCtrl::SetDefRowHeight(int height) { return SetLayoutSize(m_dims.defRowHeight, height); }

int CGridCtrl::SetUniformRowHeight(int on) {
  if (on == 1) {
    m_dims.uniformRows = true;
    std::vector<int>().swap(m_dims.rowHeights);
  } else {
    if (m_dims.rowCount > kMaxRowTableRebuild)
      return kGridNoSuch;
    m_dims.uniformRows = false;
    m_dims.rowHeights.assign(static_cast<size_t>(m_dims.rowCount), m_dims.defRowHeight);
  }
  Layout();
  RedrawAll();
  return kGridOk;
}

int CGridCtrl::SetRowHeight(int row, int height) {
  if (row < 0 || row >= m_dims.rowCount || height < 0)
    return kGridNoSuch;
  if (m_dims.uniformRows)
    m_dims.defRowHeight = height;
  else
    m_dims.rowHeights[static_cast<size_t>(row)] = height;
  Layout();
  RedrawAll();
  return kGridOk;
}

int CGridCtrl::GetRowHeight(int row, int* height) const {
  if (row < 0 || row >= m_dims.rowCount)
    return kGridNoSuch;
  *height = m_dims.RowHeight(row);
  return kGridOk;
}

int CGridCtrl::SetColHeaderHeight(int height) { return SetLayoutSize(m_dims.colHeaderHeight, height); }

int CGridCtrl::SetRowHeaderWidth(int width) { return SetLayoutSize(m_dims.rowHeaderWidth, width); }

int CGridCtrl::SetVScrollWidth(int width) { return SetLayoutSize(m_dims.vScrollWidth, width); }

int CGridCtrl::SetHScrollHeight(int height) { return SetLayoutSize(m_dims.hScrollHeight, height); }

// ---- Switches ----

int CGridCtrl::SetCurCellStyle(int style) {
  if (style < 0 || style > 3)
    return kGridNoSuch;
  m_dims.curCellStyle = style;
  return kGridOk;
}

int CGridCtrl::SetRowSelect(BOOL on) {
  m_dims.rowSelect = on != FALSE;
  if (m_dims.multiSelect)
    m_selection.SetMode(on ? CGridSelection::kRows : CGridSelection::kCells);
  return kGridOk;
}

int CGridCtrl::EnableSelection(BOOL on) {
  if (on) {
    m_dims.multiSelect = true;
    m_selection.SetMode(m_dims.rowSelect ? CGridSelection::kRows : CGridSelection::kCells);
    m_selection.StartRange(m_dims.curCol, m_dims.curRow);
    return kGridOk;
  }
  if (m_body)
    m_selection.MarkForRepaint(m_body->RepaintList());
  m_selection.SetMode(CGridSelection::kOff);
  m_dims.multiSelect = false;
  return kGridOk;
}

int CGridCtrl::SetRedraw(int on) {
  m_dims.redraw = on == 1;
  if (m_body)
    m_body->RepaintList().SetEnabled(m_dims.redraw);
  if (m_dims.redraw)
    RedrawAll();
  return kGridOk;
}

int CGridCtrl::SetFont(HFONT font) {
  m_hFont = font;
  if (m_tip)
    m_tip->SetFont(font);
  RedrawAll();
  return kGridOk;
}

int CGridCtrl::SetSizing(int option) {
  if (option < 0 || option > 2)
    return kGridNoSuch;
  m_dims.sizing = option;
  return kGridOk;
}

int CGridCtrl::EnablePopupMenu(BOOL on) {
  m_dims.popupMenu = on != FALSE;
  return kGridOk;
}

int CGridCtrl::SetScrollMode(int bar, int mode) {
  if (mode < 0 || mode > 2 || (bar != SB_VERT && bar != SB_HORZ))
    return kGridNoSuch;
  (bar == SB_VERT ? m_dims.vScrollMode : m_dims.hScrollMode) = mode;
  if (m_vScroll) {
    m_vScroll->Update();
    m_hScroll->Update();
  }
  return kGridOk;
}

int CGridCtrl::SetScrollTip(int bar, BOOL on) {
  if (bar != SB_VERT && bar != SB_HORZ)
    return kGridNoSuch;
  (bar == SB_VERT ? m_dims.vScrollTip : m_dims.hScrollTip) = on != FALSE;
  return kGridOk;
}
