#pragma once

#include "InstallScreen.h"
#include "ScreenGeometry.h"

#include <fpath.h>
#include <userwnd.h>

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

  InstallScreen& screen_;
  const GadgetButton& button_;
  GadgetTracker tracker_;
  HWND focus_ = nullptr;
};

class InstallScreen : public userwnd {
public:
  explicit InstallScreen(const InstallScreenSettings& settings);
  ~InstallScreen() override;

  // Creates the screen window and the shown buttons, and activates the screen; 0 at the first step
  // that fails (what was made stays until hide()).
  int realize(ScreenHost& host);
  void hide();
  // A gadget button's command with the window that had the focus before it.
  void command(int id, HWND focus);
  GadgetWindow* button(int n) { return buttons_[n]; }

  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int createwindow();
  int backgroundsize(SIZE& size);
  void movebuttons();

  const InstallScreenSettings& settings_;
  ScreenHost* host_ = nullptr;
  GadgetWindow* buttons_[3] = {};
};
