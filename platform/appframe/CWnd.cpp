#include <appframe/CWnd.h>

#include <wincore/WindowText.h>

namespace {

const char kClassName[] = "AfxFrameworkWnd";

} // namespace

const appframe::MessageMap* CWnd::GetThisMessageMap() {
  static const appframe::MessageEntry entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const appframe::MessageMap map{nullptr, entries};
  return &map;
}

const char* CWnd::WindowClassName() {
  registerClass(kClassName, CS_DBLCLKS);
  return kClassName;
}

CWnd::~CWnd() {
  if (m_hWnd)
    DestroyWindow();
  ReleaseFrames(); // also when the window was already being destroyed and is only let go
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) { return dynamic_cast<CWnd*>(fromHandle(hwnd)); }

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
  return create(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent,
                cs.hMenu) != nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd) {
  if (m_hWnd || !subclass(hwnd))
    return false;
  m_hWnd = hwnd;
  return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = parent ? GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
  return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
  HWND hwnd = unsubclass();
  ReleaseFrames();
  m_hWnd = nullptr;
  return hwnd;
}

bool CWnd::DestroyWindow() { return destroy(); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return callDefault(message, wParam, lParam);
}

LRESULT CWnd::Default() {
  if (!current_ || !m_hWnd)
    return 0;
  return DefWindowProc(current_->msg.message, current_->msg.wParam, current_->msg.lParam);
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

CString CWnd::GetWindowText() const { return CString(wincore::windowText(m_hWnd)); }

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

LRESULT CWnd::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    m_hWnd = handle();
  // The handler may destroy the window and delete the object, or throw: the message being handled is
  // put back only while the frame has not been released.
  struct Restore {
    CWnd* self;
    Frame frame;
    ~Restore() {
      if (!frame.released)
        self->current_ = frame.outer;
    }
  } restore{this, {{m_hWnd, message, wParam, lParam, 0, {0, 0}}, current_, false}};
  current_ = &restore.frame;
  return WindowProc(message, wParam, lParam);
}

void CWnd::onFinalMessage(HWND) {
  m_hWnd = nullptr;
  ReleaseFrames();
  PostNcDestroy();
}

void CWnd::ReleaseFrames() {
  for (Frame* frame = current_; frame; frame = frame->outer)
    frame->released = true;
  current_ = nullptr;
}
