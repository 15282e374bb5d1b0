#pragma once

#include <engine/screen/InstallScreen.h>
#include <engine/screen/ScreenGeometry.h>

#include <foundation/dialogs/gauge.h>
#include <foundation/drawing/dc.h>
#include <foundation/drawing/palette.h>
#include <foundation/paths/fpath.h>
#include <foundation/windows/dlgbox.h>
#include <foundation/windows/userwnd.h>

#include <windows.h>

// The install screen as windows: the backdrop window behind the installer's dialogs and its three
// gadget buttons. The install controller is the host: it gives the files, texts and handlers.
class ScreenHost {
public:
  virtual int metafilepath(fpath& out) = 0;
  virtual int backgroundpath(fpath& out) = 0;
  virtual int picturepath(fpath& out) = 0;
  virtual void exit(HWND focus) = 0;
  virtual void help(HWND focus) = 0;
  virtual void minimize() = 0;
  virtual const char* title() = 0;
  virtual HICON icon() = 0;
  virtual HMODULE bitmapmodule() = 0;
  // The answer to every screen message the screen does not handle itself (DefWindowProcA for those
  // the host does not handle either).
  virtual LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
  ~ScreenHost() = default;
};

class InstallScreen;

// One gadget button's window: pressed, dragged out and back, released.
class GadgetWindow : public userwnd {
public:
  GadgetWindow(InstallScreen& screen, const GadgetButton& button) : screen_(screen), button_(button) {}
  ~GadgetWindow() override { destroy(); }

  int create(HWND owner, const RECT& rect);
  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int state() const { return tracker_.state(); }
  const GadgetButton& button() const { return button_; }

private:
  void repaint();
  void paint();

  InstallScreen& screen_;
  const GadgetButton& button_;
  GadgetTracker tracker_;
  HWND focus_ = nullptr;
};

// The small activity dialog: two gauges that show 77 and 90 percent at rest and move between 70 and
// 100 percent, at most every 200 milliseconds, while the installer works.
class ActivityDialog : public dlgbox {
public:
  ActivityDialog(const ScreenActivity& element, awndobj& screen) : element_(element), screen_(screen) {}
  ~ActivityDialog() override { close(); }

  int create(HWND owner);
  void close();
  // Animating steps at `tick` milliseconds draw new values; others show the resting ones.
  void step(int animating, DWORD tick);
  int percent(int n) const { return gauges_[n].percent; }

  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  const ScreenActivity& element_;
  awndobj& screen_;
  gauge gauges_[2];
  ActivityPace pace_;
};

class InstallScreen : public userwnd {
public:
  explicit InstallScreen(const InstallScreenSettings& settings);
  ~InstallScreen() override;

  // Creates the screen window, the shown buttons and the shown activity dialog, and activates the
  // screen; 0 at the first step that fails (what was made stays until hide()).
  int realize(ScreenHost& host);
  void hide();
  // One animated step of the activity dialog (when shown), at the clock's tick.
  void activitytick();
  ActivityDialog* activity() { return activity_; }
  // A gadget button's command with the window that had the focus before it.
  void command(int id, HWND focus);
  GadgetWindow* button(int n) { return buttons_[n]; }
  HMODULE bitmapmodule() const { return host_ ? host_->bitmapmodule() : nullptr; }
  // Paints the layers (background, picture, metafile, texts) of the client area into the DC; only
  // what meets `damaged` of the background is drawn.
  void paint(HDC hdc, const RECT& client, const RECT& damaged);

  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int createwindow();
  void buildpalettes(palette& background, palette& picture);
  void paintbackground(dc& device, const RECT& client, const RECT& damaged);
  void paintpicture(dc& device, SIZE client);
  void paintmetafile(dc& device, SIZE client);
  void painttexts(dc& device, SIZE client);
  int backgroundsize(SIZE& size);
  void movebuttons();

  const InstallScreenSettings& settings_;
  ScreenHost* host_ = nullptr;
  GadgetWindow* buttons_[3] = {};
  ActivityDialog* activity_ = nullptr;
};
