#include <appframe/CView.h>

#include <appframe/CDocument.h>
#include <appframe/CFrameWnd.h>

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM(WM_PAINT, OnPaint)
ON_WM(WM_PRINTCLIENT, OnPrintClient)
ON_WM(WM_MOUSEACTIVATE, OnMouseActivate)
END_MESSAGE_MAP()

CView::~CView() {
  if (m_pDocument)
    m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const {
  for (HWND hwnd = m_hWnd ? ::GetParent(m_hWnd) : nullptr; hwnd; hwnd = ::GetParent(hwnd))
    if (auto* frame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(hwnd)))
      return frame;
  return nullptr;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(); }

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnDraw(&dc);
}

void CView::OnPrintClient(HDC hdc, UINT) {
  CDC dc;
  dc.Attach(hdc);
  OnDraw(&dc);
  dc.Detach();
}

int CView::OnMouseActivate(HWND, UINT, UINT) {
  if (CFrameWnd* frame = GetParentFrame())
    frame->SetActiveView(this);
  return MA_ACTIVATE;
}
