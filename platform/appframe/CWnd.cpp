#include <appframe/CWnd.h>

#include <cstdio>

namespace {

const char kClassName[] = "AfxFrameworkWnd";

} // namespace

const appframe::MessageMap* CWnd::GetThisMessageMap() {
  static const appframe::MessageEntry entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const appframe::MessageMap map{nullptr, entries};
  return &map;
}

const char* CWnd::WindowClassName() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &CWnd::StandardProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
  }();
  (void)registered;
  return kClassName;
}

CWnd::~CWnd() {
  if (m_hWnd)
    DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  if (!hwnd)
    return nullptr;
  auto* wnd = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return wnd && wnd->m_hWnd == hwnd ? wnd : nullptr;
}

void CWnd::Bind(HWND hwnd) {
  m_hWnd = hwnd;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id) {
  if (m_hWnd)
    return false;
  CREATESTRUCTA cs{};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className ? className : WindowClassName();
  cs.lpszName = windowName ? windowName : "";
  cs.style = style;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.hwndParent = parent ? parent->m_hWnd : nullptr;
  cs.hMenu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
  cs.hInstance = GetModuleHandleA(nullptr);
  if (!PreCreateWindow(cs))
    return false;
  if (lstrcmpA(cs.lpszClass, kClassName) != 0) {
    // A control of a system class: create it, then take it over by subclassing.
    HWND hwnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    return hwnd && SubclassWindow(hwnd);
  }
  HWND hwnd = CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                              cs.hwndParent, cs.hMenu, cs.hInstance, this);
  return hwnd != nullptr && m_hWnd == hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd) {
  if (m_hWnd || !hwnd || FromHandlePermanent(hwnd))
    return false;
  Bind(hwnd);
  superProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StandardProc)));
  if (superProc_ == &CWnd::StandardProc)
    superProc_ = nullptr; // one of our own windows: the default is DefWindowProc
  return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = parent ? GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
  return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
  HWND hwnd = m_hWnd;
  if (!hwnd)
    return nullptr;
  if (superProc_)
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  superProc_ = nullptr;
  current_ = nullptr;
  destroying_ = false;
  m_hWnd = nullptr;
  return hwnd;
}

bool CWnd::DestroyWindow() {
  if (!m_hWnd || destroying_)
    return false;
  return ::DestroyWindow(m_hWnd) != 0;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (superProc_)
    return CallWindowProcA(superProc_, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  if (!current_ || !m_hWnd)
    return 0;
  return DefWindowProc(current_->message, current_->wParam, current_->lParam);
}

CRect CWnd::GetClientRect() const {
  CRect rect;
  ::GetClientRect(m_hWnd, &rect);
  return rect;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) {
  DWORD style = (GetStyle() & ~remove) | add;
  ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(style));
}

CString CWnd::GetWindowText() const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::GetWindowTextA(m_hWnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(lstrlenA(text.c_str())));
  return CString(text);
}

const appframe::MessageEntry* CWnd::FindEntry(const appframe::MessageMap* map, UINT message, WPARAM wParam) {
  for (; map; map = map->base ? map->base() : nullptr) {
    for (const appframe::MessageEntry* e = map->entries; e->handler; ++e) {
      if (e->registered) {
        if (*e->registered == message && message != 0)
          return e;
        continue;
      }
      if (e->message != message)
        continue;
      if (message != WM_COMMAND)
        return e;
      UINT id = LOWORD(wParam);
      if (HIWORD(wParam) == e->code && id >= e->firstId && id <= e->lastId)
        return e;
    }
  }
  return nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const appframe::MessageEntry* entry = FindEntry(GetMessageMap(), message, wParam);
  if (entry)
    return entry->handler(this, wParam, lParam);
  return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    // The last message: default handling, then the object lets go and may delete itself.
    HWND hwnd = m_hWnd;
    WNDPROC super = superProc_;
    UnsubclassWindow();
    LRESULT result = super ? CallWindowProcA(super, hwnd, message, wParam, lParam)
                           : ::DefWindowProcA(hwnd, message, wParam, lParam);
    PostNcDestroy();
    return result;
  }
  if (message == WM_DESTROY)
    destroying_ = true;
  MSG msg{m_hWnd, message, wParam, lParam, 0, {0, 0}};
  const MSG* outer = current_;
  current_ = &msg;
  LRESULT result = WindowProc(message, wParam, lParam);
  // The handler may have destroyed the window and deleted the object; touch it only while it is bound.
  if (FromHandlePermanent(msg.hwnd) == this)
    current_ = outer;
  return result;
}

LRESULT CALLBACK CWnd::StandardProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = FromHandlePermanent(hwnd);
  if (!wnd && message == WM_NCCREATE) {
    wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (wnd)
      wnd->Bind(hwnd);
  }
  if (!wnd)
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return wnd->Dispatch(message, wParam, lParam);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "exception in the handler of message 0x%04X: %s\n", message, e.what());
  } catch (...) {
    std::fprintf(stderr, "exception in the handler of message 0x%04X\n", message);
  }
  return 0;
}
