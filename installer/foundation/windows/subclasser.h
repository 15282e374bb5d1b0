#pragma once

#include <foundation/windows/awndobj.h>

#include <windows.h>

class SubclassChain;

// Gives an existing window (a dialog control) an object of its own. The window is bound once through
// the window core, which hands its messages to the topmost subclasser; several can be stacked on one
// window, each passing what it does not handle to the one below it, and the lowest to the window's own
// procedure. When the window goes, every subclasser on it is detached at its last message.
class subclasser : public awndobj {
public:
  subclasser() = default;
  subclasser(const subclasser&) = delete;
  subclasser& operator=(const subclasser&) = delete;
  // Detaches: a window never names a destroyed object.
  virtual ~subclasser();

  HWND hwnd() const override { return window_; }
  virtual LRESULT wndproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  void attach(HWND window);
  // Takes this object out of the window's chain, wherever it stands in it; 1.
  int detach();
  // The next object down the chain, else the window's own procedure.
  LRESULT defproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  int isattached() const;

private:
  HWND window_ = nullptr;
  SubclassChain* chain_ = nullptr;
  subclasser* previous_ = nullptr;
};

// The topmost subclasser of a window, or null.
subclasser* GetSubclassObject(HWND window);
