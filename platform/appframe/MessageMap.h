#pragma once

#include <appframe/Geometry.h>

#include <windows.h>

class CWnd;

// How a window's messages reach its handlers.
//
// Each class lists the messages and commands it handles in a table next to its definition; the table
// names its base class's table, and the window procedure walks from the object's own class towards
// CWnd, taking the first entry that matches. A message no table takes goes to the default (or the
// subclassed control's original) procedure.
//
// An entry holds a plain function (no executable thunk) that unpacks WPARAM and LPARAM for one message
// and calls the typed member handler: Crack<WM_SIZE> knows that WM_SIZE carries a type and a size.
//
//   BEGIN_MESSAGE_MAP(CGridBody, CWnd)
//     ON_WM(WM_PAINT, OnPaint)
//     ON_COMMAND_RANGE(1000, 0xFFFF, OnMenuCommand)
//   END_MESSAGE_MAP()
namespace appframe {

using Handler = LRESULT (*)(CWnd* self, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
  UINT message;           // WM_COMMAND for commands; 0 for a registered message
  UINT code;              // command notification code (0 for menus)
  UINT firstId, lastId;   // command identifiers
  const UINT* registered; // the registered message's number, filled in at start-up
  Handler handler;
};

struct MessageMap {
  const MessageMap* (*base)();
  const MessageEntry* entries; // ends with an entry whose handler is null
};

template <UINT Message> struct Crack; // one specialisation per message with a typed handler

#define APPFRAME_CRACK(MSG, CALL)                                                                            \
  template <> struct Crack<MSG> {                                                                            \
    template <class T, auto F> static LRESULT Call(CWnd* w, WPARAM wParam, LPARAM lParam) {                  \
      T* self = static_cast<T*>(w);                                                                          \
      (void)wParam;                                                                                          \
      (void)lParam;                                                                                          \
      CALL;                                                                                                  \
    }                                                                                                        \
  };

#define APPFRAME_POINT CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))
APPFRAME_CRACK(WM_CREATE, return (self->*F)(reinterpret_cast<CREATESTRUCTA*>(lParam)))
APPFRAME_CRACK(WM_DESTROY, (self->*F)(); return 0)
APPFRAME_CRACK(WM_SIZE, (self->*F)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                                   static_cast<short>(HIWORD(lParam)));
               return 0)
APPFRAME_CRACK(WM_PAINT, (self->*F)(); return 0)
APPFRAME_CRACK(WM_PRINTCLIENT, (self->*F)(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam)); return 0)
APPFRAME_CRACK(WM_ERASEBKGND, return (self->*F)(reinterpret_cast<HDC>(wParam)))
APPFRAME_CRACK(WM_SETFOCUS, (self->*F)(reinterpret_cast<HWND>(wParam)); return 0)
APPFRAME_CRACK(WM_KILLFOCUS, (self->*F)(reinterpret_cast<HWND>(wParam)); return 0)
APPFRAME_CRACK(WM_TIMER, (self->*F)(static_cast<UINT_PTR>(wParam)); return 0)
APPFRAME_CRACK(WM_GETDLGCODE, return (self->*F)(reinterpret_cast<MSG*>(lParam)))
APPFRAME_CRACK(WM_MOUSEACTIVATE,
               return (self->*F)(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)))
APPFRAME_CRACK(WM_SETCURSOR,
               return (self->*F)(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam)))
APPFRAME_CRACK(WM_CAPTURECHANGED, (self->*F)(reinterpret_cast<HWND>(lParam)); return 0)
#define APPFRAME_CRACK_KEY(MSG)                                                                              \
  APPFRAME_CRACK(MSG, (self->*F)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0)
APPFRAME_CRACK_KEY(WM_KEYDOWN)
APPFRAME_CRACK_KEY(WM_KEYUP)
APPFRAME_CRACK_KEY(WM_CHAR)
#define APPFRAME_CRACK_MOUSE(MSG)                                                                            \
  APPFRAME_CRACK(MSG, (self->*F)(static_cast<UINT>(wParam), APPFRAME_POINT); return 0)
APPFRAME_CRACK_MOUSE(WM_MOUSEMOVE)
APPFRAME_CRACK_MOUSE(WM_LBUTTONDOWN)
APPFRAME_CRACK_MOUSE(WM_LBUTTONUP)
APPFRAME_CRACK_MOUSE(WM_LBUTTONDBLCLK)
APPFRAME_CRACK_MOUSE(WM_RBUTTONDOWN)
APPFRAME_CRACK_MOUSE(WM_RBUTTONUP)
#define APPFRAME_CRACK_SCROLL(MSG)                                                                           \
  APPFRAME_CRACK(MSG, (self->*F)(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0)
APPFRAME_CRACK_SCROLL(WM_HSCROLL)
APPFRAME_CRACK_SCROLL(WM_VSCROLL)

template <class T, auto F> LRESULT CallCommand(CWnd* w, WPARAM, LPARAM) {
  (static_cast<T*>(w)->*F)();
  return 0;
}
template <class T, auto F> LRESULT CallCommandRange(CWnd* w, WPARAM wParam, LPARAM) {
  (static_cast<T*>(w)->*F)(LOWORD(wParam));
  return 0;
}
template <class T, auto F> LRESULT CallRaw(CWnd* w, WPARAM wParam, LPARAM lParam) {
  return (static_cast<T*>(w)->*F)(wParam, lParam);
}

} // namespace appframe

#define DECLARE_MESSAGE_MAP()                                                                                \
public:                                                                                                      \
  static const appframe::MessageMap* GetThisMessageMap();                                                    \
  const appframe::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }                 \
                                                                                                             \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
  const appframe::MessageMap* theClass::GetThisMessageMap() {                                                \
    using ThisClass = theClass;                                                                              \
    using TheBaseClass = baseClass;                                                                          \
    static const appframe::MessageEntry entries[] = {

#define END_MESSAGE_MAP()                                                                                    \
  { 0, 0, 0, 0, nullptr, nullptr }                                                                           \
  }                                                                                                          \
  ;                                                                                                          \
  static const appframe::MessageMap map{&TheBaseClass::GetThisMessageMap, entries};                          \
  return &map;                                                                                               \
  }

// A message with a typed handler (see Crack above).
#define ON_WM(message, handler)                                                                              \
  {message, 0, 0, 0, nullptr, &appframe::Crack<message>::Call<ThisClass, &ThisClass::handler>},
// LRESULT handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, handler)                                                                         \
  {message, 0, 0, 0, nullptr, &appframe::CallRaw<ThisClass, &ThisClass::handler>},
#define ON_REGISTERED_MESSAGE(variable, handler)                                                             \
  {0, 0, 0, 0, &variable, &appframe::CallRaw<ThisClass, &ThisClass::handler>},
// void handler()
#define ON_COMMAND(id, handler)                                                                              \
  {WM_COMMAND, 0, id, id, nullptr, &appframe::CallCommand<ThisClass, &ThisClass::handler>},
// void handler(UINT id)
#define ON_COMMAND_RANGE(first, last, handler)                                                               \
  {WM_COMMAND, 0, first, last, nullptr, &appframe::CallCommandRange<ThisClass, &ThisClass::handler>},
// A control's notification code: void handler()
#define ON_CONTROL(code, id, handler)                                                                        \
  {WM_COMMAND, code, id, id, nullptr, &appframe::CallCommand<ThisClass, &ThisClass::handler>},
