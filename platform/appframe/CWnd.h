#pragma once

#include <appframe/CDC.h>
#include <appframe/CString.h>
#include <appframe/Geometry.h>
#include <appframe/MessageMap.h>
#include <wincore/BoundWindow.h>

// A window and the object that handles its messages.
//
// Every framework window runs through the window core (wincore/BoundWindow.h): a window created by
// Create/CreateEx gets the object through lpCreateParams and is bound at WM_NCCREATE; an existing window
// (a dialog's control, a common dialog) is bound by subclassing, and its original procedure stays the
// default for every message the object does not handle. On top, CWnd dispatches through message maps.
//
// A window may be destroyed inside one of its own handlers: at WM_NCDESTROY the object lets go of the
// window and PostNcDestroy runs, which may delete the object; nothing after the handler touches it.
// An exception a handler throws goes to the program's error reporter (a message box by default).
class CWnd : public wincore::BoundWindow {
public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  static const appframe::MessageMap* GetThisMessageMap();
  virtual const appframe::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

  // The object bound to a window, or null.
  static CWnd* FromHandlePermanent(HWND hwnd);
  // The class name the framework registers for its own windows.
  static const char* WindowClassName();

  bool CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id);
  bool Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
              UINT id) {
    return CreateEx(0, className, windowName, style, rect, parent, id);
  }
  virtual bool PreCreateWindow(CREATESTRUCTA&) { return true; }
  bool SubclassWindow(HWND hwnd);
  bool SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();
  bool DestroyWindow();

  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // The handling the window would get without this object: the subclassed procedure or DefWindowProc.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Default handling of the message being handled now.
  LRESULT Default();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam) != 0;
  }
  CRect GetClientRect() const;
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void MoveWindow(int x, int y, int width, int height, bool repaint = true) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  bool ShowWindow(int show) { return ::ShowWindow(m_hWnd, show) != 0; }
  bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != 0; }
  void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(const RECT* rect, bool erase = true) { ::InvalidateRect(m_hWnd, rect, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  HWND SetCapture() { return ::SetCapture(m_hWnd); }
  HWND GetParentHwnd() const { return ::GetParent(m_hWnd); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
  void ModifyStyle(DWORD remove, DWORD add);
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  CString GetWindowText() const;
  void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
  void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
  void ScrollWindow(int dx, int dy) {
    ::ScrollWindowEx(m_hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr, 0);
  }
  HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
  void SetFont(HFONT font, bool redraw = true) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }

  HWND m_hWnd = nullptr;

protected:
  // Runs after the window is gone and the object let go of it; a self-owning object deletes itself here.
  virtual void PostNcDestroy() {}
  // Dispatch through the message maps; override only to see messages before the tables.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
  void onFinalMessage(HWND hwnd) final;

private:
  static const appframe::MessageEntry* FindEntry(const appframe::MessageMap* map, UINT message,
                                                 WPARAM wParam);

  // A message being handled and the one it interrupted. A frame is released once the object lets go of
  // its window (the window destroyed inside a handler, the object perhaps deleted), so that its end no
  // longer touches the object.
  struct Frame {
    MSG msg;
    Frame* outer;
    bool released;
  };
  void ReleaseFrames();

  Frame* current_ = nullptr;
};
