#include <appframe/CDC.h>

#include <appframe/CWnd.h>

CDC::~CDC() {
  if (owned_)
    DeleteDC();
}

bool CDC::Attach(HDC dc) {
  m_hDC = dc;
  owned_ = false;
  return dc != nullptr;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  owned_ = false;
  return dc;
}

bool CDC::CreateCompatibleDC(CDC* other) {
  m_hDC = ::CreateCompatibleDC(other ? other->m_hDC : nullptr);
  owned_ = m_hDC != nullptr;
  return owned_;
}

bool CDC::DeleteDC() {
  if (!m_hDC || !owned_)
    return false;
  ::DeleteDC(Detach());
  return true;
}

void CDC::FillSolidRect(const RECT& rect, COLORREF colour) {
  COLORREF old = ::SetBkColor(m_hDC, colour);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}

CPoint CDC::MoveTo(int x, int y) {
  POINT old{};
  ::MoveToEx(m_hDC, x, y, &old);
  return old;
}

CSize CDC::GetTextExtent(const char* text, int length) const {
  SIZE size{};
  ::GetTextExtentPoint32A(m_hDC, text, length, &size);
  return size;
}

CPaintDC::CPaintDC(CWnd* wnd) : hwnd_(wnd->GetSafeHwnd()) { Attach(::BeginPaint(hwnd_, &m_ps)); }

CPaintDC::~CPaintDC() { ::EndPaint(hwnd_, &m_ps); }

CClientDC::CClientDC(CWnd* wnd) : hwnd_(wnd->GetSafeHwnd()) { Attach(::GetDC(hwnd_)); }

CClientDC::~CClientDC() { ::ReleaseDC(hwnd_, Detach()); }
