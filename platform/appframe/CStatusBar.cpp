#include <appframe/CStatusBar.h>

#include <commctrl.h>

#include <algorithm>

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM(WM_SIZE, OnSize)
END_MESSAGE_MAP()

void CStatusBar::OnSize(UINT, int, int) {
  Default();
  RecalcParts();
}

bool CStatusBar::Create(CWnd* parent, UINT id) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_BAR_CLASSES};
  InitCommonControlsEx(&init);
  SetDockSide(CBRS_BOTTOM);
  return CWnd::Create(STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM | CCS_NORESIZE,
                      CRect(0, 0, 0, 20), parent, id);
}

bool CStatusBar::SetIndicators(const UINT* ids, int count) {
  panes_.clear();
  HDC dc = GetDC(m_hWnd);
  HGDIOBJ old =
      SelectObject(dc, GetFont() ? static_cast<HGDIOBJ>(GetFont()) : GetStockObject(DEFAULT_GUI_FONT));
  for (int i = 0; i < count; ++i) {
    Pane pane{ids[i], SBPS_NORMAL, 0, ""};
    char prototype[128] = "";
    if (ids[i] != 0 && LoadStringA(GetModuleHandleA(nullptr), ids[i], prototype, sizeof prototype) > 0) {
      SIZE size{};
      GetTextExtentPoint32A(dc, prototype, lstrlenA(prototype), &size);
      pane.width = size.cx;
    }
    if (ids[i] == 0)
      pane.style = SBPS_NOBORDERS | SBPS_STRETCH;
    panes_.push_back(pane);
  }
  SelectObject(dc, old);
  ReleaseDC(m_hWnd, dc);
  RecalcParts();
  return true;
}

int CStatusBar::CommandToIndex(UINT id) const {
  for (size_t i = 0; i < panes_.size(); ++i)
    if (panes_[i].id == id)
      return static_cast<int>(i);
  return -1;
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const {
  const Pane& pane = panes_[static_cast<size_t>(index)];
  id = pane.id;
  style = pane.style;
  width = pane.width;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width) {
  Pane& pane = panes_[static_cast<size_t>(index)];
  bool relayout = pane.width != width || (pane.style & SBPS_STRETCH) != (style & SBPS_STRETCH);
  bool reshow = pane.style != style;
  pane.id = id;
  pane.style = style;
  pane.width = width;
  if (relayout)
    RecalcParts();
  else if (reshow)
    ShowPane(index);
}

bool CStatusBar::SetPaneText(int index, const char* text, bool) {
  if (index < 0 || index >= GetCount())
    return false;
  panes_[static_cast<size_t>(index)].text = text ? text : "";
  ShowPane(index);
  return true;
}

std::string CStatusBar::GetPaneText(int index) const { return panes_[static_cast<size_t>(index)].text; }

std::string CStatusBar::GetShownText(int index) const {
  char text[256] = "";
  SendMessage(SB_GETTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

int CStatusBar::CalcHeight(int) const {
  TEXTMETRICA metrics{};
  HDC dc = GetDC(m_hWnd);
  HGDIOBJ old =
      SelectObject(dc, GetFont() ? static_cast<HGDIOBJ>(GetFont()) : GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(m_hWnd, dc);
  return metrics.tmHeight + 8;
}

void CStatusBar::ShowPane(int index) {
  const Pane& pane = panes_[static_cast<size_t>(index)];
  WPARAM how = static_cast<WPARAM>(index) | ((pane.style & SBPS_NOBORDERS) ? SBT_NOBORDERS : 0) |
               ((pane.style & SBPS_POPOUT) ? SBT_POPOUT : 0);
  const char* text = (pane.style & SBPS_DISABLED) ? "" : pane.text.c_str();
  SendMessage(SB_SETTEXTA, how, reinterpret_cast<LPARAM>(text));
}

void CStatusBar::RecalcParts() {
  if (panes_.empty() || !m_hWnd)
    return;
  const int gap = 8; // room for each pane's border
  int fixed = 0;
  for (const Pane& pane : panes_)
    fixed += (pane.style & SBPS_STRETCH) ? 0 : pane.width + gap;
  int total = GetClientRect().Width();
  std::vector<int> rightEdges;
  int x = 0;
  for (const Pane& pane : panes_) {
    x += (pane.style & SBPS_STRETCH) ? std::max(0, total - fixed) : pane.width + gap;
    rightEdges.push_back(x);
  }
  rightEdges.back() = -1;
  SendMessage(SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
  for (int i = 0; i < GetCount(); ++i)
    ShowPane(i);
}
