#include <appframe/CFrameWnd.h>

#include <appframe/AfxIds.h>
#include <appframe/CCmdUI.h>
#include <appframe/CControlBar.h>
#include <appframe/CDocument.h>
#include <appframe/CView.h>
#include <appframe/CWinApp.h>
#include <appframe/CommandRouting.h>

#include <algorithm>
#include <vector>

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM(WM_CREATE, OnCreate)
ON_WM(WM_SIZE, OnSize)
ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
ON_MESSAGE(WM_SETFOCUS, OnSetFocus)
END_MESSAGE_MAP()

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  char text[256] = "";
  LoadStringA(instance, resourceId, text, sizeof text);
  std::string title = text;
  title = title.substr(0, title.find('\n'));
  title_ = title;
  menu_ = LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
  icon_ = LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
  context_ = context;
  bool created = CreateEx(0, nullptr, title.c_str(), style & ~FWS_ADDTOTITLE,
                          CRect(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0), parent, 0);
  context_ = nullptr;
  if (!created)
    return false;
  if (icon_) {
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
  return true;
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (cs.cx == 0 && cs.x == CW_USEDEFAULT)
    cs.cx = CW_USEDEFAULT;
  cs.hMenu = menu_;
  return true;
}

int CFrameWnd::OnCreate(CREATESTRUCTA* cs) { return OnCreateClient(cs, context_) ? 0 : -1; }

bool CFrameWnd::OnCreateClient(CREATESTRUCTA*, CCreateContext* context) {
  if (!context || !context->m_pNewViewClass)
    return true;
  CView* view = context->m_pNewViewClass();
  if (context->m_pCurrentDoc)
    context->m_pCurrentDoc->AddView(view);
  if (!view->Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)) {
    delete view;
    return false;
  }
  activeView_ = view;
  return true;
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, bool makeVisible) {
  if (doc) {
    std::vector<CView*> views = doc->GetViews();
    for (CView* view : views)
      view->OnInitialUpdate();
    if (!activeView_ && !views.empty())
      activeView_ = views.front();
  }
  OnUpdateFrameTitle();
  RecalcLayout();
  if (makeVisible) {
    CWinApp* app = AfxGetApp();
    ShowWindow(app && app->m_pMainWnd == this ? app->m_nCmdShow : SW_SHOWNORMAL);
    UpdateWindow();
  }
}

CDocument* CFrameWnd::GetActiveDocument() const { return activeView_ ? activeView_->GetDocument() : nullptr; }

void CFrameWnd::RecalcLayout() {
  if (!m_hWnd)
    return;
  CRect rest = GetClientRect();
  HWND pane = nullptr;
  for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (static_cast<UINT>(::GetDlgCtrlID(child)) == AFX_IDW_PANE_FIRST) {
      pane = child;
      continue;
    }
    auto* bar = dynamic_cast<CControlBar*>(FromHandlePermanent(child));
    if (!bar || !::IsWindowVisible(child))
      continue;
    int height = bar->CalcHeight(rest.Width());
    if (bar->GetDockSide() == CBRS_BOTTOM) {
      ::MoveWindow(child, rest.left, rest.bottom - height, rest.Width(), height, TRUE);
      rest.bottom -= height;
    } else {
      ::MoveWindow(child, rest.left, rest.top, rest.Width(), height, TRUE);
      rest.top += height;
    }
  }
  if (pane)
    ::MoveWindow(pane, rest.left, rest.top, rest.Width(), std::max(0L, rest.bottom - rest.top), TRUE);
}

void CFrameWnd::ShowControlBar(CControlBar* bar, bool show) {
  bar->ShowWindow(show ? SW_SHOWNA : SW_HIDE);
  RecalcLayout();
}

void CFrameWnd::DockControlBar(CControlBar* bar) {
  DWORD allowed = bar->GetDockable() & dockSides_;
  if (allowed & bar->GetDockSide())
    return;
  if (allowed & CBRS_ALIGN_TOP)
    bar->SetDockSide(CBRS_TOP);
  else if (allowed & CBRS_ALIGN_BOTTOM)
    bar->SetDockSide(CBRS_BOTTOM);
  RecalcLayout();
}

void CFrameWnd::OnUpdateFrameTitle() {
  CDocument* doc = GetActiveDocument();
  std::string caption = title_.str();
  if (doc && !doc->GetTitle().IsEmpty())
    caption = doc->GetTitle().str() + " - " + caption;
  SetWindowText(caption.c_str());
}

void CFrameWnd::OnSize(UINT, int, int) { RecalcLayout(); }

LRESULT CFrameWnd::OnSetFocus(WPARAM, LPARAM) {
  if (activeView_ && activeView_->m_hWnd)
    activeView_->SetFocus();
  return 0;
}

bool CFrameWnd::RouteCommand(UINT id, UINT code, LPARAM lParam) {
  WPARAM wParam = MAKEWPARAM(id, code);
  if (activeView_ && activeView_->m_hWnd)
    if (const auto* entry = appframe::FindCommandEntry(activeView_->GetMessageMap(), id, code)) {
      entry->handler(activeView_, wParam, lParam);
      return true;
    }
  if (const auto* entry = appframe::FindCommandEntry(GetMessageMap(), id, code)) {
    entry->handler(this, wParam, lParam);
    return true;
  }
  CWinApp* app = AfxGetApp();
  return code == 0 && app && app->OnCommand(id);
}

bool CFrameWnd::RouteUpdate(CCmdUI& ui) {
  auto lParam = reinterpret_cast<LPARAM>(&ui);
  WPARAM wParam = MAKEWPARAM(ui.m_nID, CN_UPDATE_COMMAND_UI);
  if (activeView_ && activeView_->m_hWnd)
    if (const auto* entry =
            appframe::FindCommandEntry(activeView_->GetMessageMap(), ui.m_nID, CN_UPDATE_COMMAND_UI)) {
      entry->handler(activeView_, wParam, lParam);
      return true;
    }
  if (const auto* entry = appframe::FindCommandEntry(GetMessageMap(), ui.m_nID, CN_UPDATE_COMMAND_UI)) {
    entry->handler(this, wParam, lParam);
    return true;
  }
  return false;
}

void CFrameWnd::UpdateMenu(HMENU menu) {
  if (CWinApp* app = AfxGetApp())
    app->UpdateRecentFileMenu(menu);
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    UINT id = GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1))
      continue; // a separator or a submenu
    CCmdUI ui(id, menu, static_cast<UINT>(i));
    RouteUpdate(ui);
  }
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (!HIWORD(lParam))
    UpdateMenu(reinterpret_cast<HMENU>(wParam));
  return 0;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A keyboard shortcut stands for its menu entry: its command (code 1, no control) goes where the
  // entry's would.
  if (message == WM_COMMAND && HIWORD(wParam) == 1 && lParam == 0)
    wParam = MAKEWPARAM(LOWORD(wParam), 0);
  if (message == WM_COMMAND && HIWORD(wParam) != CN_UPDATE_COMMAND_UI &&
      RouteCommand(LOWORD(wParam), HIWORD(wParam), lParam))
    return 0;
  return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::PostNcDestroy() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    PostQuitMessage(0);
  }
  delete this;
}
