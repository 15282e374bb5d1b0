#pragma once

#include <wincore/BoundWindow.h>
#include <wincore/Units.h>

#include <windows.h>

namespace formsrt {

// A window of the forms runtime, bound to its object through the window core: the runtime's own classes
// (forms, the flex grid) at creation, a system control (button, edit, combo box...) by subclassing right
// after creation, so that its original procedure handles whatever the object leaves.
class Window : public wincore::BoundWindow {
public:
  ~Window() override;

  HWND hwnd() const { return handle(); }
  static Window* fromHandle(HWND hwnd) { return dynamic_cast<Window*>(BoundWindow::fromHandle(hwnd)); }

protected:
  // Creates a window of a runtime class (registered on first use) bound to this object.
  HWND createOwn(const char* className, UINT classStyle, DWORD exStyle, const char* text, DWORD style, int x,
                 int y, int width, int height, HWND parent, HMENU idOrMenu);
  // Creates a system control and subclasses it.
  HWND createSubclassed(const char* className, DWORD exStyle, const char* text, DWORD style, int x, int y,
                        int width, int height, HWND parent, int id);
  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone (after WM_NCDESTROY).
  virtual void onDestroyed() {}

private:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) final {
    return handleMessage(message, wParam, lParam);
  }
  void onFinalMessage(HWND) final { onDestroyed(); }
};

// Twips (1440 to the inch) and the screen's pixels.
using wincore::pixelsToTwipsX;
using wincore::pixelsToTwipsY;
using wincore::twipsToPixelsX;
using wincore::twipsToPixelsY;

} // namespace formsrt
