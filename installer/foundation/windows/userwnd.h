#pragma once

#include <foundation/windows/awndobj.h>

#include <windows.h>

// Windows of the engine's own classes and their objects. The object travels to the window in the
// creation parameters and is kept in the window's first pointer-sized slot from WM_CREATE until its
// handler has seen WM_DESTROY; messages before WM_CREATE go to the default procedure.

// A window class description; register it once before creating windows of it.
class wndclass {
public:
  virtual ~wndclass() = default;
  virtual WNDPROC proc() const = 0;
  // RegisterClassA with one pointer-sized window slot; the class atom, 0 on failure.
  ATOM registerclass() const;

  UINT style = 0;
  const char* name = nullptr;
  const char* menu = nullptr;
  HICON icon = nullptr;
  HBRUSH background = nullptr;
  HCURSOR cursor = nullptr;
};

// The CreateWindowExA arguments of one window.
struct wndcreate {
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  const char* title = "";
  void* param = nullptr;
  HWND parent = nullptr;
  DWORD style = 0;
  HMENU menu = nullptr;
};

// The link between a window and its object.
class thunk {
public:
  thunk() = default;
  thunk(const thunk&) = delete;
  thunk& operator=(const thunk&) = delete;
  // An object still attached reports it, lets go of its window and destroys it.
  virtual ~thunk();

  virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  void attach(HWND window);
  void detach();
  HWND attached() const { return window_; }
  void destroy();

protected:
  HWND window_ = nullptr;
};

class userwnd : public thunk, public awndobj {
public:
  // Destroying the object while its window still exists is a fault: it is reported, and the window
  // stops naming the object before it is destroyed.
  ~userwnd() override;

  virtual LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  HWND hwnd() const override { return window_; }
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  int create(const wndclass& windowClass, wndcreate& parameters);

  // The shared procedure of every userwnd window class.
  static LRESULT CALLBACK windowproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// A class description whose procedure is the shared one.
class userwndclass : public wndclass {
public:
  WNDPROC proc() const override { return userwnd::windowproc; }
};
