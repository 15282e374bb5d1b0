#pragma once

#include <windows.h>

// The window core that the three framework layers stand on: one window procedure for every window bound
// to an object.
//
// How this works. A window of one of the core's registered classes is created with its object in
// lpCreateParams and bound at WM_NCCREATE, the first message that carries it (never through a global
// "object being created"); an existing window, typically a system control, is bound by subclassing, and
// its original procedure stays the default for every message the object leaves. Every message then
// passes one exception barrier on its way to onMessage: an error thrown by a handler goes to the
// program's error reporter (ErrorReporter.h) and never into the system's code.
//
// Where the object is kept decides what every message costs, since each one looks it up, and nothing on
// that path may call the window server (under Wine a window property costs such a call on every look-up,
// about 10 us, some thirty times a plain window procedure). A window of a core class keeps its object in
// the class's own window extra bytes (one pointer-sized slot at offset 0), which the system answers inside
// the process. A subclassed window of another class (a system control, a dialog made from a template, a
// common dialog) has no slot of ours, so its object sits in a table of this process, from window handle to
// object, guarded by a lock since windows are bound and looked up on more than one thread; only windows of
// this process are ever subclassed, so another program's window is never found. Neither uses
// GWLP_USERDATA: a subclassed control keeps its user-data slot for whoever created it (a common dialog,
// another library, the program). Both hold a full pointer, so an object anywhere in a 64-bit address space
// is found again. fromHandle tells the two kinds apart by the class's procedure.
//
// Unbinding happens at WM_NCDESTROY, the last message: the object lets go of the window (the original
// procedure is put back, the table entry removed, so a handle value the system hands out again later
// finds nothing), the default handling runs, and then onFinalMessage, which may delete the
// object. So a window may be destroyed inside one of its own handlers; after any call that can destroy
// the window, a handler checks handle() before touching the window again. A DestroyWindow asked for while
// WM_DESTROY is being handled (destroy() from inside the first destruction) does nothing.
namespace wincore {

class BoundWindow {
public:
  BoundWindow() = default;
  // A window still bound is let go (unsubclassed), never left pointing at a dead object; the layers
  // destroy their windows in their own destructors.
  virtual ~BoundWindow();
  BoundWindow(const BoundWindow&) = delete;
  BoundWindow& operator=(const BoundWindow&) = delete;

  HWND handle() const { return hwnd_; }
  // The object bound to a window, or null.
  static BoundWindow* fromHandle(HWND hwnd);

  // Registers a window class that runs through the core's procedure, once per name.
  static void registerClass(const char* className, UINT classStyle, HBRUSH background = nullptr);
  // Creates a window of a registered core class bound to this object; null on failure.
  HWND create(DWORD exStyle, const char* className, const char* text, DWORD style, int x, int y, int width,
              int height, HWND parent, HMENU idOrMenu);
  // Binds an existing window by subclassing it; false when it is already bound or this object is.
  bool subclass(HWND hwnd);
  // Lets go of the window without destroying it and answers it.
  HWND unsubclass();
  // DestroyWindow, unless the window is already being destroyed.
  bool destroy();
  bool isDestroying() const { return destroying_; }
  // True for a subclassed window of another class, whose own procedure does the default handling.
  bool isSubclassed() const { return original_ != nullptr; }

  // What the window would do without this object: the original procedure or DefWindowProc.
  LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);

protected:
  // Every message but the last; by default the original handling.
  virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs once the window is gone and the object has let go of it; a self-owning object deletes itself.
  virtual void onFinalMessage(HWND /*hwnd*/) {}

private:
  static LRESULT CALLBACK classProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static bool isOwnClass(HWND hwnd);
  // The stored object if it is bound to this window.
  static BoundWindow* boundTo(void* stored, HWND hwnd);
  LRESULT route(UINT message, WPARAM wParam, LPARAM lParam);
  // False when another object took the window first.
  bool bind(HWND hwnd);
  void unbind();

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
  bool ownClass_ = false;   // kept in the window's extra bytes rather than in the process's table
  bool destroying_ = false; // WM_DESTROY has arrived
};

} // namespace wincore
