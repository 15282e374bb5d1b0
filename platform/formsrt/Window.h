#pragma once

#include <windows.h>

namespace formsrt {

// The one window procedure of the forms runtime. A window of the runtime's own classes (forms, the flex
// grid) is bound to its object at WM_NCCREATE through the creation parameter; a system control (button,
// edit, combo box...) is bound right after creation by subclassing, and its original procedure handles
// whatever the object leaves. The object is found in GWLP_USERDATA and forgotten at WM_NCDESTROY.
class Window {
public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  static Window* fromHandle(HWND hwnd);

protected:
  // Creates a window of a runtime class (registered on first use) bound to this object.
  HWND createOwn(const char* className, UINT classStyle, DWORD exStyle, const char* text, DWORD style, int x,
                 int y, int width, int height, HWND parent, HMENU idOrMenu);
  // Creates a system control and subclasses it.
  HWND createSubclassed(const char* className, DWORD exStyle, const char* text, DWORD style, int x, int y,
                        int width, int height, HWND parent, int id);
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone (after WM_NCDESTROY).
  virtual void onDestroyed() {}

private:
  static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void bind(HWND hwnd);

  HWND hwnd_ = nullptr;
  WNDPROC original_ = nullptr;
};

// Twips (1440 to the inch) and the screen's pixels.
int twipsToPixelsX(int twips);
int twipsToPixelsY(int twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

} // namespace formsrt
