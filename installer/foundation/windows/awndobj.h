#pragma once

#include <windows.h>

class dynstr;
class fpath;

// The operations every window, dialog and control wrapper of the engine offers. A wrapper answers its
// window from hwnd(); everything else works on that handle.
class awndobj {
public:
  virtual HWND hwnd() const = 0;

  // Program-wide nested LockWindowUpdate of one window at a time.
  int lockupdate(int flag);
  // The window text (at most 255 characters). With a `required` message a blank text is reported on the
  // parent dialog for this control, and the call answers 0.
  int gettext(dynstr& out, const char* required = nullptr);
  int gettext(fpath& out, const char* required = nullptr);
  int getlong(long& out);
  int getint(int& out);
  int getuint(unsigned& out);
  // Formats into 512 characters at most (longer output is cut), then SetWindowTextA.
  int settextf(const char* format, ...);

  // Centres over `over`, by default the parent, else the desktop.
  void center(HWND over = nullptr);
  // Moves the centre to a screen point and keeps the window on the screen.
  void centerat(int x, int y);
  void resizecentered(int width, int height, int repaint);
  void setclientsize(int width, int height, int hasMenu);
  void fitto(HWND other, int hasMenu);
  // The window rectangle in its parent's client coordinates (screen coordinates for a top-level window).
  void getrect(RECT& out) const;
  int width() const;
  int height() const;
  int clientwidth() const;
  int clientheight() const;
  // Width in the low and height in the high 16 bits; a combo box measures its dropped-down list.
  DWORD extent() const;
  int isclass(const char* name) const;
  int is(HWND window) const { return hwnd() == window; }
  void setzorder(HWND after, UINT flags);
  HWND sibling(int n) const;
  LRESULT sendcommand(LPARAM lParam, int id, int code);
  BOOL postcommand(LPARAM lParam, int id, int code);
  LRESULT notifyparent(int code);
  BOOL postparent(int code);
  void minimize();
  void maximize();
  HMENU getmenu() const { return GetMenu(hwnd()); }
  // Thousandths of the client area, as screen coordinates.
  POINT permilletoscreen(POINT point) const;
  int permillex(int x) const;
  int permilley(int y) const;

  // Shows the formatted text in the error box, then puts the focus on the dialog item.
  void fielderror(int item, const char* format, ...);
  // Formats (512 characters at most) and shows the error box owned by this window.
  void errorbox(const char* format, ...);
  void invalidateitem(int item);
  void moveitems(int anchorA, int count, int anchorB, int show, int skipA, int skipB);
  // Copies the controls of a dialog template (all but its first) into this window beside the anchor
  // item; answers how many were made.
  int clonecontrols(LPCSTR templateName, int anchor, int visible);
  void destroycontrols(int anchor, int count);

protected:
  ~awndobj() = default;
};

// Any window handle as an awndobj, for GetDlgItem and GetParent results.
class hwndref : public awndobj {
public:
  explicit hwndref(HWND window = nullptr) : window_(window) {}
  HWND hwnd() const override { return window_; }
  void set(HWND window) { window_ = window; }

private:
  HWND window_;
};

// The error box is the engine's own message box; it reaches errorbox() through this sink, which the
// message box module installs. Without one the system's box serves. Answers the sink it replaces.
using ErrorBoxSink = void (*)(HWND owner, const char* text);
ErrorBoxSink SetErrorBoxSink(ErrorBoxSink sink);

inline int LoWord(DWORD value) { return static_cast<int>(value & 0xFFFF); }
inline int HiWord(DWORD value) { return static_cast<int>((value >> 16) & 0xFFFF); }
inline DWORD MakeLong(int low, int high) {
  return (static_cast<DWORD>(low) & 0xFFFF) | ((static_cast<DWORD>(high) & 0xFFFF) << 16);
}
